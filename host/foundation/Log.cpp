#include "host/foundation/Log.h"

#include <cstdio>
#include <mutex>

namespace {

struct LogState {
    std::mutex lock;
    int captures { 0 };
    std::vector<std::string> captured;
};

LogState& state()
{
    static auto* s = new LogState;
    return *s;
}

}

void hostLog(const std::string& line)
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    if (s.captures) {
        s.captured.push_back(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

LogCapture::LogCapture()
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    if (s.captures++ == 0)
        s.captured.clear();
}

LogCapture::~LogCapture()
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    --s.captures;
}

std::vector<std::string> LogCapture::lines() const
{
    auto& s = state();
    std::lock_guard guard(s.lock);
    return s.captured;
}
