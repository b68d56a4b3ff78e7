#pragma once

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// The answers of the last few renders, so that asking again for a picture already drawn (going
// back to a look, switching between light and dark) costs nothing. Bounded both in entries and
// in bytes; the least recently used answer leaves first. Keys are compared whole, so two looks
// never share an answer. Safe to use from several threads.
class RenderCache {
public:
    RenderCache(std::size_t maximumEntries, std::size_t maximumBytes);

    std::optional<std::string> find(const std::string& key);
    // An answer larger than the whole cache is not kept.
    void insert(const std::string& key, std::string answer);

    std::size_t entries() const;
    std::size_t bytes() const;

private:
    struct Entry {
        std::string key;
        std::string answer;
    };
    void evictWithLock();

    std::size_t m_maximumEntries;
    std::size_t m_maximumBytes;
    mutable std::mutex m_mutex;
    std::list<Entry> m_order; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
    std::size_t m_bytes { 0 };
};
