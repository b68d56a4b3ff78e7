#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "DeviceCatalog.h"
#include "IsolatedRun.h"
#include "RenderCache.h"

// What the page asks to see: one picture of Settings, or the banner playing.
struct RenderRequest {
    enum class Kind { Picture, Banner };
    Kind kind { Kind::Picture };
    DeviceCatalog::Entry device;
    std::string page { "root" };
    std::vector<std::string> taps; // rows pressed on the way, in order
    std::string style { "light" };
    bool restyled { true };
    bool whole { false };
    std::vector<std::uint8_t> domain; // the look's binary property list; unused for stock Settings

    // Everything that makes two answers differ, whole, so equal keys mean equal pictures.
    std::string cacheKey() const;
};

struct RenderAnswer {
    int status { 200 };
    std::string body; // JSON
};

struct RenderServiceSettings {
    std::filesystem::path program; // tamarind-sim itself
    RunLimits limits;
    std::size_t cacheEntries { 48 };
    std::size_t cacheBytes { std::size_t(64) << 20 };
    // Renders that run at once (one per core, at least two); more wait, up to `maximumWaiting`,
    // and beyond that are refused at once. Each waiting render holds one of the server's
    // threads, so running and waiting renders together stay below the server's thread count.
    unsigned concurrent { 2 };
    unsigned maximumWaiting { 14 };
    // The banner is recorded for this many seconds of simulated time.
    double bannerSeconds { 3 };
};

// Draws what the page asks for, each render in a child process of its own with its own copy of
// the device and its own preferences file, so that one render cannot take the server down or
// see another's options. Safe to call from the server's threads.
class RenderService {
public:
    explicit RenderService(RenderServiceSettings);
    ~RenderService();

    RenderAnswer render(const RenderRequest&);

    const RenderCache& cache() const { return m_cache; }
    std::uint64_t rendersRun() const { return m_rendersRun; }

private:
    RenderAnswer run(const RenderRequest&);
    bool enter();
    void leave();

    RenderServiceSettings m_settings;
    std::filesystem::path m_workRoot;
    RenderCache m_cache;
    std::mutex m_mutex;
    std::condition_variable m_turn;
    unsigned m_running { 0 };
    unsigned m_waiting { 0 };
    std::atomic<std::uint64_t> m_rendersRun { 0 };
    std::atomic<std::uint64_t> m_nextJob { 0 };
};
