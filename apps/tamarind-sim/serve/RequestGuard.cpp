#include "RequestGuard.h"

#include <algorithm>
#include <cctype>

#include "SimSupport.h"

namespace {

// "NAME" or "NAME:PORT" with NAME one of the loopback names and PORT, when given, the server's.
bool namesThisServer(std::string_view authority, int port)
{
    std::string text = lowered(authority);
    for (std::string name : { "127.0.0.1", "localhost" }) {
        if (text == name || text == name + ":" + std::to_string(port))
            return true;
    }
    return false;
}

}

bool isLoopbackHost(std::string_view host, int port)
{
    return namesThisServer(host, port);
}

bool isOwnOrigin(std::string_view origin, int port)
{
    if (origin.empty())
        return true;
    constexpr std::string_view scheme = "http://";
    if (!lowered(origin).starts_with(scheme))
        return false;
    return namesThisServer(origin.substr(scheme.size()), port);
}

RequestRate::RequestRate(double perSecond, double burst)
    : m_perSecond(perSecond)
    , m_burst(burst)
    , m_tokens(burst)
    , m_last(Clock::now())
{
}

bool RequestRate::admit()
{
    std::lock_guard lock(m_mutex);
    auto now = Clock::now();
    m_tokens = std::min(m_burst, m_tokens + std::chrono::duration<double>(now - m_last).count() * m_perSecond);
    m_last = now;
    if (m_tokens < 1)
        return false;
    m_tokens -= 1;
    return true;
}
