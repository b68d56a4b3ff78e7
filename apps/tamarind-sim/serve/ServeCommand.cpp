#include "ServeCommand.h"

#include <algorithm>
#include <csignal>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <thread>

#include "DeviceSession.h"
#include "EditorServer.h"
#include "OptionCatalog.h"
#include "SimSupport.h"

namespace fs = std::filesystem;

namespace {

// The ranges serve's options accept. A render needs a moment and some room to run at all.
constexpr double kMaximumPort = 65535;
constexpr double kMinimumRenderSeconds = 0.01, kMaximumRenderSeconds = 600;
constexpr double kMinimumRenderMegabytes = 16, kMaximumRenderMegabytes = 65536;

bool parseArguments(const std::vector<std::string>& arguments, EditorServerSettings& settings, std::string& error)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (a == "--port" && hasValue) {
            auto port = numberBetween(arguments[++i], 0, kMaximumPort);
            if (!port || *port != static_cast<int>(*port)) {
                error = "--port takes a port number from 0 to " + decimal(kMaximumPort) + " (0: any free port)";
                return false;
            }
            settings.port = static_cast<int>(*port);
        } else if (a == "--render-seconds" && hasValue) {
            auto seconds = numberBetween(arguments[++i], kMinimumRenderSeconds, kMaximumRenderSeconds);
            if (!seconds) {
                error = "--render-seconds takes a number of seconds above 0 and at most " + decimal(kMaximumRenderSeconds);
                return false;
            }
            settings.render.limits.seconds = *seconds;
        } else if (a == "--render-megabytes" && hasValue) {
            auto megabytes = numberBetween(arguments[++i], kMinimumRenderMegabytes, kMaximumRenderMegabytes);
            if (!megabytes) {
                error = "--render-megabytes takes a number of megabytes from " + decimal(kMinimumRenderMegabytes)
                    + " to " + decimal(kMaximumRenderMegabytes);
                return false;
            }
            settings.render.limits.megabytes = static_cast<size_t>(*megabytes);
        } else {
            error = "serve takes only --port N, --render-seconds S and --render-megabytes M";
            return false;
        }
    }
    return true;
}

// Interrupts end the server from a thread of their own, so that stopping it is an ordinary call
// and not one made inside a signal handler.
std::thread stopOnSignal(EditorServer& server, sigset_t signals)
{
    return std::thread([&server, signals] {
        int received = 0;
        sigwait(&signals, &received);
        server.stop();
    });
}

}

int serveCommand(const CommandLine& line)
{
    if (line.noTweak || !line.prefs.empty() || !line.sets.empty() || !line.style.empty())
        return fail("serve takes only --device; the options, the style and stock Settings are chosen on its page");
    EditorServerSettings settings;
    settings.render.concurrent = std::max(2u, std::thread::hardware_concurrency());
    // A sanitizer build draws several times slower; its renders get the time that takes.
    if (sanitizerBuild())
        settings.render.limits.seconds *= 6;
    std::string error;
    if (!parseArguments(line.arguments, settings, error))
        return fail(error);
    // Renders run this very program, even when a rebuild has since replaced its file.
    settings.render.program = "/proc/self/exe";
    fs::path devicesFolder = defaultDeviceFolder().parent_path();
    DeviceCatalog devices(devicesFolder, line.device.empty() ? fs::path() : fs::absolute(line.device));
    auto initial = devices.find(devices.initial());
    if (!initial)
        return fail(line.device.empty() ? "no device found in " + devicesFolder.string()
                                        : "cannot read the device " + line.device);
    // The options are read once, before any render, within limits of their own: the render
    // limits given may be too tight for anything to run, and the server must still start.
    auto catalog = readOptionCatalog(settings.render.program, initial->folder, RunLimits { 120, 0 }, error);
    if (!catalog)
        return fail(error);

    // Every thread that answers a picture would otherwise keep an allocation arena of its own
    // holding the megabytes of the last answer it built; two arenas keep the server's memory
    // near what its cache holds.
    mallopt(M_ARENA_MAX, 2);

    // Signals are blocked before the server's threads start, so that only the waiting thread
    // takes them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    EditorServer server(settings, std::move(*catalog), devices);
    if (!server.bind(error))
        return fail(error);
    std::printf("tamarind-sim: the option editor is at http://127.0.0.1:%d/ (open it in a browser; Ctrl-C stops it)\n",
        server.port());
    std::fflush(stdout);
    std::thread waiter = stopOnSignal(server, signals);
    server.serve();
    // The server stopped on its own (its socket failed): the waiting thread is woken to end.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    return 0;
}
