#include <gtest/gtest.h>

#include "GifModelSupport.h"
#include "host/foundation/Data.h"
#include "host/foundation/String.h"
#include "host/imageio/CGImageSource.h"
#include "tamarind/banner/GifClasses.h"

namespace {

// The eight-byte PNG signature and the start of its header chunk: image data of another type.
const std::vector<std::uint8_t> kPngStart
    = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R' };

TEST(GifModelCreation, BadDataGivesNilWithTheMessageOfTheStepThatRejectsIt)
{
    // A header and a logical screen but no frame at all.
    std::vector<std::uint8_t> noFrames = writeGif({ 4, 4, kTestColors, std::nullopt, {} });
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } cases[] = {
        { "empty", {}, "No animated GIF data supplied." },
        { "png", kPngStart, "Supplied data is of type public.png and doesn't seem to be GIF data" },
        { "garbage", { 'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e' },
            "Supplied data is of type (null) and doesn't seem to be GIF data" },
        { "GIF without a version", { 'G', 'I', 'F' }, "Supplied data is of type (null)" },
        { "no frames", noFrames, "Failed to create any valid frames for GIF with properties" },
    };
    for (const auto& c : cases) {
        GifLogRecorder log;
        EXPECT_FALSE(createImage(c.bytes)) << c.name;
        ASSERT_EQ(log.messages().size(), 1u) << c.name;
        EXPECT_NE(log.messages()[0].find(c.message), std::string::npos) << c.name << ": " << log.messages()[0];
    }
}

TEST(GifModelCreation, PlainInitIsRefusedWithBothMessages)
{
    GifLogRecorder log;
    rt::Class* cls = rt::getClass("FLAnimatedImage");
    EXPECT_EQ(rt::send<rt::Object*>(rt::send<rt::Object*>(cls, SELECTOR("alloc")), SELECTOR("init")), nullptr);
    ASSERT_EQ(log.messages().size(), 2u);
    EXPECT_EQ(log.messages()[0], "No animated GIF data supplied.");
    EXPECT_NE(log.messages()[1].find("Use `-initWithAnimatedGIFData:`"), std::string::npos);
}

TEST(GifModelCreation, ReadsFramesLoopCountPosterAndSize)
{
    TestGif gif = solidAnimation(3, 6, 4);
    gif.loopCount = 2;
    auto image = createImage(writeGif(gif));
    ASSERT_TRUE(image);
    EXPECT_EQ(message<unsigned long>(image, "frameCount"), 3u);
    EXPECT_EQ(message<unsigned long>(image, "loopCount"), 2u);
    EXPECT_EQ(message<unsigned long>(image, "posterImageFrameIndex"), 0u);
    EXPECT_EQ(message<CGSize>(image, "size"), CGSizeMake(6, 4));
    EXPECT_TRUE(message<bool>(image, "isPredrawingEnabled"));
    EXPECT_EQ(indexesOf(message(image, "allFramesIndexSet")), (std::vector<unsigned long> { 0, 1, 2 }));
    // The poster is cached from the start; nothing else is decoded, and there is no queue, until
    // a frame is asked for.
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (std::vector<unsigned long> { 0 }));
    EXPECT_EQ(message(image, "serialQueue"), nullptr);
    EXPECT_EQ(message(image, "posterImage"), message(image, "imageLazilyCachedAtIndex:", 0ul));
    std::string description = toStdString(message(image, "description"));
    EXPECT_EQ(description.rfind("<FLAnimatedImage: 0x", 0), 0u) << description;
    EXPECT_NE(description.find("> size={6, 4} frameCount=3"), std::string::npos) << description;

    gif.loopCount.reset();
    EXPECT_EQ(message<unsigned long>(createImage(writeGif(gif)), "loopCount"), 0u);
}

TEST(GifModelCreation, DelaysFallBackAndTooShortOnesBecomeTheDefault)
{
    struct Case {
        const char* name;
        std::vector<std::optional<int>> hundredths;
        std::vector<double> kept;
    } cases[] = {
        { "no delays at all", { std::nullopt, std::nullopt, std::nullopt }, { 0.1, 0.1, 0.1 } },
        { "later frames take their predecessor's", { 4, std::nullopt, std::nullopt }, { 0.04, 0.04, 0.04 } },
        { "too short", { 0, 1, 2 }, { 0.1, 0.1, 0.02 } },
        { "ordinary", { 3, 50, 7 }, { 0.03, 0.5, 0.07 } },
    };
    for (const auto& c : cases) {
        TestGif gif = solidAnimation(int(c.hundredths.size()), 2, 2);
        for (std::size_t i = 0; i < c.hundredths.size(); ++i)
            gif.frames[i].delay = c.hundredths[i];
        auto image = createImage(writeGif(gif));
        ASSERT_TRUE(image) << c.name;
        for (std::size_t i = 0; i < c.kept.size(); ++i)
            EXPECT_DOUBLE_EQ(delayOf(image, i).value_or(-1), c.kept[i]) << c.name << ", frame " << i;
    }
}

TEST(GifModelCreation, FramesThatCannotBeDecodedAreDroppedButCounted)
{
    // Without any colour table the first frame cannot be decoded; the others bring their own.
    TestGif gif = solidAnimation(3, 2, 2, std::nullopt);
    gif.globalColors.clear();
    gif.frames[1].localColors = kTestColors;
    gif.frames[2].localColors = kTestColors;
    gif.frames[2].delay = 5;
    GifLogRecorder log(3);
    auto image = createImage(writeGif(gif));
    ASSERT_TRUE(image);
    EXPECT_EQ(message<unsigned long>(image, "frameCount"), 3u);
    EXPECT_EQ(message<unsigned long>(image, "posterImageFrameIndex"), 1u);
    EXPECT_TRUE(log.saw("Dropping frame 0 because failed to `CGImageSourceCreateImageAtIndex`"));
    // Frame 1 has no delay and its predecessor none on record, which reads as 0 and is rounded up.
    EXPECT_FALSE(delayOf(image, 0));
    EXPECT_DOUBLE_EQ(delayOf(image, 1).value_or(-1), 0.1);
    EXPECT_DOUBLE_EQ(delayOf(image, 2).value_or(-1), 0.05);
    EXPECT_EQ(indexesOf(message(image, "frameIndexesToCache")), (std::vector<unsigned long> { 0, 1, 2 }));
}

TEST(GifModelCreation, FramesOfZeroSizeShowTheScreenAsItStandsForTheirDelay)
{
    TestGif gif = solidAnimation(4, 2, 2);
    gif.frames[1] = solidFrame(1, 1, 0, 1, Green);
    gif.frames[1].delay = 30;
    gif.frames[2] = solidFrame(0, 0, 2, 0, Blue);
    gif.frames[2].delay = 40;
    auto image = createImage(writeGif(gif), 0, false);
    ASSERT_TRUE(image);
    EXPECT_EQ(message<unsigned long>(image, "frameCount"), 4u);
    EXPECT_DOUBLE_EQ(delayOf(image, 1).value_or(-1), 0.3);
    EXPECT_DOUBLE_EQ(delayOf(image, 2).value_or(-1), 0.4);
    auto* source = static_cast<CGImageSource*>(message(image, "imageSource"));
    for (std::size_t i : { 1, 2 })
        EXPECT_EQ(picture(*source->createImageAtIndex(i)), (Picture { "RR", "RR" })) << i;
}

TEST(GifModelCreation, SingleFrameIsKeptAndNoted)
{
    GifLogRecorder log(3);
    auto image = createImage(writeGif(solidAnimation(1, 2, 2)));
    ASSERT_TRUE(image);
    EXPECT_TRUE(log.saw("Created valid GIF but with only a single frame."));
}

TEST(GifModelCreation, SizeForImageAcceptsImagesOnly)
{
    auto image = createImage(writeGif(solidAnimation(2, 5, 3)));
    rt::Class* cls = rt::getClass("FLAnimatedImage");
    GifLogRecorder log;
    EXPECT_EQ(rt::send<CGSize>(cls, SELECTOR("sizeForImage:"), image), CGSizeMake(5, 3));
    EXPECT_EQ(rt::send<CGSize>(cls, SELECTOR("sizeForImage:"), message(image, "posterImage")), CGSizeMake(5, 3));
    EXPECT_EQ(rt::send<CGSize>(cls, SELECTOR("sizeForImage:"), nullptr), CGSize {});
    EXPECT_TRUE(log.messages().empty());
    EXPECT_EQ(rt::send<CGSize>(cls, SELECTOR("sizeForImage:"), ns("a string")), CGSize {});
    EXPECT_TRUE(log.saw("`image` isn't of expected types `UIImage` or `FLAnimatedImage`: a string"));
}

TEST(GifModelCreation, LogMessagesAreBuiltOnlyForTheLevelsTheSinkTakes)
{
    rt::Class* cls = rt::getClass("FLAnimatedImage");
    int built = 0;
    auto build = rt::makeBlock<rt::Object*()>([&] {
        ++built;
        return static_cast<rt::Object*>(ns("built"));
    });
    rt::send(cls, SELECTOR("logStringFromBlock:withLevel:"), build, 4ul);
    EXPECT_EQ(built, 0) << "no sink installed";
    GifLogRecorder log(3);
    rt::send(cls, SELECTOR("logStringFromBlock:withLevel:"), build, 4ul);
    EXPECT_EQ(built, 0) << "level above the sink's";
    rt::send(cls, SELECTOR("logStringFromBlock:withLevel:"), build, 3ul);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(log.messages(), std::vector<std::string> { "built" });
}

TEST(GifData, TestsTheFirstThreeBytesOnly)
{
    struct Case {
        std::string bytes;
        bool isGif;
    } cases[] = {
        { "", false },
        { "GI", false },
        { "GIF", true },
        { "GIF89a", true },
        { "GIF87a", true },
        { "GIFxyz", true },
        { "gif89a", false },
        { "\x89PNG", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDataAGIF(NSData::create(c.bytes.data(), c.bytes.size())), c.isGif) << c.bytes;
    EXPECT_FALSE(isDataAGIF(nullptr));
}

}
