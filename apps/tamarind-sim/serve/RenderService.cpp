#include "RenderService.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "Base64.h"
#include "SimSupport.h"
#include "host/platform/InputFile.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A banner recording writes one picture per frame shown; its GIF is read back at most this big.
constexpr std::size_t kMaximumAnswerFileBytes = std::size_t(64) << 20;

RenderAnswer failure(int status, const std::string& message)
{
    return { status, json { { "error", message } }.dump() };
}

std::vector<std::string> childArguments(const RenderRequest& request, double bannerSeconds)
{
    std::vector<std::string> args { "tamarind-sim", "--device", request.device.folder.string(), "--style",
        request.style };
    if (request.restyled)
        args.insert(args.end(), { "--prefs", "look.plist" });
    else
        args.push_back("--no-tweak");
    if (request.kind == RenderRequest::Kind::Banner) {
        args.insert(args.end(), { "banner", "--out", "banner", std::to_string(bannerSeconds) });
        return args;
    }
    args.insert(args.end(), { "snapshot", request.page, "--out", "picture.png" });
    if (request.whole)
        args.push_back("--full");
    for (auto& row : request.taps)
        args.insert(args.end(), { "--tap", row });
    return args;
}

// The answer the page reads: the picture (or the banner's GIF) and what the child said about it.
RenderAnswer answerFrom(const RenderRequest& request, const fs::path& folder, const RunOutcome& outcome)
{
    auto said = json::parse(outcome.out, nullptr, false);
    if (!said.is_object())
        return failure(500, "the render's description of its picture is unreadable");
    fs::path file = request.kind == RenderRequest::Kind::Banner ? folder / "banner" / "banner.gif" : folder / "picture.png";
    std::string error;
    auto bytes = readInputFile(file, kMaximumAnswerFileBytes, error);
    if (!bytes)
        return failure(500, "the render left no picture: " + error);
    json answer;
    if (request.kind == RenderRequest::Kind::Banner) {
        answer = { { "gif", encodeBase64(*bytes) }, { "frames", said["frames"].size() },
            { "seconds", said.value("seconds", 0.0) } };
    } else {
        answer = { { "picture", encodeBase64(*bytes) }, { "title", said.value("title", "") },
            { "scale", said.value("scale", 1.0) }, { "rows", said.value("rows", json::array()) } };
    }
    return { 200, answer.dump() };
}

}

std::string RenderRequest::cacheKey() const
{
    std::string key = std::string(kind == Kind::Banner ? "banner" : "picture") + '\n' + device.name + '\n'
        + device.folder.string() + '\n' + page + '\n' + style + '\n' + (restyled ? "restyled" : "stock") + '\n'
        + (whole ? "whole" : "screen") + '\n';
    for (auto& row : taps)
        key += "tap " + row + '\n';
    if (restyled)
        key.append(domain.begin(), domain.end());
    return key;
}

RenderService::RenderService(RenderServiceSettings settings)
    : m_settings(std::move(settings))
    , m_cache(m_settings.cacheEntries, m_settings.cacheBytes)
{
    std::string pattern = (fs::temp_directory_path() / "tamarind-serve-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        m_workRoot = pattern;
}

RenderService::~RenderService()
{
    std::error_code ec;
    if (!m_workRoot.empty())
        fs::remove_all(m_workRoot, ec);
}

bool RenderService::enter()
{
    std::unique_lock lock(m_mutex);
    if (m_running >= m_settings.concurrent && m_waiting >= m_settings.maximumWaiting)
        return false;
    ++m_waiting;
    m_turn.wait(lock, [&] { return m_running < m_settings.concurrent; });
    --m_waiting;
    ++m_running;
    return true;
}

void RenderService::leave()
{
    {
        std::lock_guard lock(m_mutex);
        --m_running;
    }
    m_turn.notify_one();
}

RenderAnswer RenderService::render(const RenderRequest& request)
{
    std::string key = request.cacheKey();
    if (auto cached = m_cache.find(key))
        return { 200, std::move(*cached) };
    if (!enter())
        return failure(429, "too many pictures asked for at once; try again in a moment");
    RenderAnswer answer = run(request);
    leave();
    if (answer.status == 200)
        m_cache.insert(key, answer.body);
    return answer;
}

RenderAnswer RenderService::run(const RenderRequest& request)
{
    if (m_workRoot.empty())
        return failure(500, "the server has no folder to render in");
    fs::path folder = m_workRoot / ("job-" + std::to_string(m_nextJob++));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return failure(500, "cannot make a folder to render in: " + ec.message());
    std::string unwritten;
    if (request.restyled
        && !writeFile(folder / "look.plist",
            { reinterpret_cast<const char*>(request.domain.data()), request.domain.size() }, unwritten)) {
        fs::remove_all(folder, ec);
        return failure(500, "cannot write the look's preferences file");
    }
    // The child's copy of the device goes into the job's folder, so that it is removed with the
    // folder even when the child was stopped before it could remove it itself.
    auto outcome = runIsolated(m_settings.program, childArguments(request, m_settings.bannerSeconds),
        folder, m_settings.limits, { { "TMPDIR", folder.string() } });
    ++m_rendersRun;
    RenderAnswer answer;
    if (outcome.succeeded())
        answer = answerFrom(request, folder, outcome);
    else if (outcome.end == RunOutcome::End::TimedOut)
        answer = failure(504, outcome.failure());
    else if (outcome.end == RunOutcome::End::Exited)
        answer = failure(422, outcome.failure());
    else
        answer = failure(500, outcome.failure());
    fs::remove_all(folder, ec);
    // A picture's answer is a few megabytes built in passing; what is freed goes back to the
    // system, so the server's memory stays that of its cache.
    malloc_trim(0);
    return answer;
}
