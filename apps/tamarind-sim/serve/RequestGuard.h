#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

// What every request must pass before the server looks at it.

// A browser names in Host the address it meant to reach. A page of another site that has its
// own name resolve to 127.0.0.1 (DNS rebinding) still sends its own name, so only requests for
// 127.0.0.1 or localhost, on the server's port, are answered.
bool isLoopbackHost(std::string_view host, int port);

// A browser sends Origin with requests a page makes; a page of another site may not post to the
// editor. Requests without one (programs, the address bar) pass.
bool isOwnOrigin(std::string_view origin, int port);

// Requests beyond a steady rate (with room for a burst) are refused, so that a flood is answered
// with a quick refusal instead of a queue without end. Safe to use from several threads.
class RequestRate {
public:
    RequestRate(double perSecond, double burst);
    bool admit();

private:
    using Clock = std::chrono::steady_clock;
    double m_perSecond;
    double m_burst;
    double m_tokens;
    Clock::time_point m_last;
    std::mutex m_mutex;
};
