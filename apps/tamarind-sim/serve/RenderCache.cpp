#include "RenderCache.h"

RenderCache::RenderCache(std::size_t maximumEntries, std::size_t maximumBytes)
    : m_maximumEntries(maximumEntries)
    , m_maximumBytes(maximumBytes)
{
}

std::optional<std::string> RenderCache::find(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    auto found = m_index.find(key);
    if (found == m_index.end())
        return std::nullopt;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->answer;
}

void RenderCache::insert(const std::string& key, std::string answer)
{
    // The key counts too: a look's pictures make it as large as the answer.
    std::size_t size = key.size() * 2 + answer.size();
    if (size > m_maximumBytes || m_maximumEntries == 0)
        return;
    std::lock_guard lock(m_mutex);
    if (auto found = m_index.find(key); found != m_index.end()) {
        m_bytes -= found->second->key.size() * 2 + found->second->answer.size();
        m_order.erase(found->second);
        m_index.erase(found);
    }
    m_order.push_front({ key, std::move(answer) });
    m_index.emplace(key, m_order.begin());
    m_bytes += size;
    evictWithLock();
}

void RenderCache::evictWithLock()
{
    while (m_order.size() > m_maximumEntries || m_bytes > m_maximumBytes) {
        auto& last = m_order.back();
        m_bytes -= last.key.size() * 2 + last.answer.size();
        m_index.erase(last.key);
        m_order.pop_back();
    }
}

std::size_t RenderCache::entries() const
{
    std::lock_guard lock(m_mutex);
    return m_order.size();
}

std::size_t RenderCache::bytes() const
{
    std::lock_guard lock(m_mutex);
    return m_bytes;
}
