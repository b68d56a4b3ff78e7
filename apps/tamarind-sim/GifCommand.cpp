#include "GifCommand.h"

#include <cmath>
#include <cstdio>
#include <dlfcn.h>
#include <iostream>
#include <nlohmann/json.hpp>
#include <numeric>

#include "CommandLine.h"
#include "GifFrames.h"
#include "SimSupport.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Geometry.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/imageio/CGImage.h"
#include "host/platform/InputFile.h"
#include "host/runtime/Runtime.h"

namespace {

// The library, loaded here when the command runs before (or without) a device session.
rt::Class* animatedImageClass()
{
    if (rt::Class* cls = rt::getClass("FLAnimatedImage"))
        return cls;
    std::string path = TAM_LIBRARY_PATH;
    if (const char* env = std::getenv("TAMARIND_LIBRARY"))
        path = env;
    if (path.empty() || !dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL))
        return nullptr;
    return rt::getClass("FLAnimatedImage");
}

// The rate a playback view asks its display link for: delays counted in steps of half the
// shortest accepted delay (hundredths of a second), their greatest common divisor, and the
// ceiling of one over it. Delays are taken as the 32-bit values the view reads.
std::optional<long> refreshRate(const std::vector<double>& delays, double minimumDelay)
{
    if (delays.empty())
        return std::nullopt;
    double precision = 2.0 / minimumDelay;
    auto scaled = [&](double delay) {
        return static_cast<std::uint64_t>(std::llrint(static_cast<double>(static_cast<float>(delay)) * precision));
    };
    std::uint64_t divisor = scaled(delays.front());
    for (double delay : delays)
        divisor = std::gcd(divisor, scaled(delay));
    if (!divisor)
        return std::nullopt;
    return static_cast<long>(std::ceil(1 / (static_cast<double>(divisor) / precision)));
}

nlohmann::json describeImage(rt::Object* image, NSData* data, bool isGif, double minimumDelay)
{
    unsigned long frameCount = message<unsigned long>(image, "frameCount");
    auto* delayTable = message(image, "delayTimesForIndexes");
    nlohmann::json delays = nlohmann::json::array();
    std::vector<double> kept;
    for (unsigned long i = 0; i < frameCount; ++i) {
        auto* delay = rt::send<rt::Object*>(delayTable, SELECTOR("objectForKey:"), NSNumber::withInteger(long(i)));
        if (isNumber(delay)) {
            kept.push_back(static_cast<NSNumber*>(delay)->doubleValue());
            delays.push_back(kept.back());
        } else {
            delays.push_back(nullptr);
        }
    }
    auto* poster = static_cast<CGImage*>(message(message(image, "posterImage"), "CGImage"));
    double bytesPerFrame = poster ? double(poster->bytesPerRow()) * double(poster->height()) : 0;
    CGSize size = message<CGSize>(image, "size");
    auto rate = refreshRate(kept, minimumDelay);
    return {
        { "isGIF", isGif },
        { "bytes", data->length() },
        { "frameCount", frameCount },
        { "loopCount", message<unsigned long>(image, "loopCount") },
        { "posterFrameIndex", message<unsigned long>(image, "posterImageFrameIndex") },
        { "size", { { "width", size.width }, { "height", size.height } } },
        { "delays", delays },
        { "decodedMegabytes", bytesPerFrame * double(kept.size()) / 1048576 },
        { "frameCacheSizeOptimal", message<unsigned long>(image, "frameCacheSizeOptimal") },
        { "preferredFramesPerSecond", rate ? nlohmann::json(*rate) : nlohmann::json(nullptr) },
    };
}

struct GifOptions {
    std::string framesFolder;
    bool verbose { false };
};

// Takes --frames DIR and --verbose out of the arguments; nothing when --frames has no folder.
std::optional<GifOptions> takeGifOptions(std::vector<std::string>& arguments)
{
    GifOptions options;
    for (size_t i = 0; i < arguments.size();) {
        if (arguments[i] == "--verbose") {
            options.verbose = true;
            arguments.erase(arguments.begin() + long(i));
        } else if (arguments[i] == "--frames") {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            options.framesFolder = arguments[i + 1];
            arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
        } else {
            ++i;
        }
    }
    return options;
}

// The model's log levels, as its sink receives them.
constexpr unsigned long kLogError = 1, kLogWarning = 2, kLogVerbose = 5;

}

int gifCommand(std::vector<std::string> arguments)
{
    auto options = takeGifOptions(arguments);
    if (!options || arguments.size() != 1)
        return fail("gif needs one FILE and takes --frames DIR and --verbose");
    std::string error;
    auto bytes = readInputFile(arguments[0], kMaximumGifBytes, error);
    if (!bytes)
        return fail(error);

    rt::Class* cls = animatedImageClass();
    using IsGif = bool (*)(NSData*);
    auto isDataAGIF = reinterpret_cast<IsGif>(dlsym(RTLD_DEFAULT, "isDataAGIF"));
    auto* minimumDelay = static_cast<const double*>(dlsym(RTLD_DEFAULT, "kFLAnimatedImageDelayTimeIntervalMinimum"));
    if (!cls || !isDataAGIF || !minimumDelay)
        return fail("the Tamarind library with its GIF classes could not be loaded");

    rt::AutoreleasePool pool;
    // The model's messages are silent unless a sink is installed. They go to standard error, so
    // that standard output stays one JSON document: warnings and errors always, the model's
    // running commentary only when the user asks for it.
    auto sink = rt::makeBlock<void(rt::Object*, unsigned long)>([](rt::Object* text, unsigned long level) {
        const char* kind = level <= kLogError ? "error: " : level == kLogWarning ? "warning: " : "";
        std::fprintf(stderr, "tamarind-sim: %s%s\n", kind, toStdString(text).c_str());
    });
    rt::send(cls, SELECTOR("setLogBlock:logLevel:"), sink, options->verbose ? kLogVerbose : kLogWarning);
    auto data = NSData::create(std::move(*bytes));
    bool isGif = isDataAGIF(data.get());
    rt::Ref<rt::Object> image = rt::send<rt::Object*>(cls, SELECTOR("animatedImageWithGIFData:"), data);
    rt::send(cls, SELECTOR("setLogBlock:logLevel:"), static_cast<rt::BlockBase*>(nullptr), 0ul);
    if (!image)
        return fail(arguments[0] + (isGif ? " is a GIF that cannot be played" : " is not a GIF"));
    auto description = describeImage(image.get(), data.get(), isGif, *minimumDelay);
    if (!options->framesFolder.empty()) {
        auto files = writeGifFrames({ data->bytes(), data->bytes() + data->length() }, options->framesFolder, error);
        if (!files)
            return fail(error);
        description["frameFiles"] = *files;
    }
    std::cout << description.dump(1) << "\n";
    return 0;
}
