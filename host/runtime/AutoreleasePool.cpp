#include "host/runtime/AutoreleasePool.h"

#include <vector>

namespace rt {

namespace {

// Objects autoreleased outside any pool are released when their thread ends.
struct PoolStack {
    std::vector<Object*> objects;
    ~PoolStack() { drainTo(0); }
    void drainTo(std::size_t mark)
    {
        // Releasing may autorelease more objects, so pop one at a time.
        while (objects.size() > mark) {
            Object* obj = objects.back();
            objects.pop_back();
            obj->release();
        }
    }
};

PoolStack& stack()
{
    thread_local PoolStack s;
    return s;
}

}

AutoreleasePool::AutoreleasePool()
    : m_mark(stack().objects.size())
{
}

AutoreleasePool::~AutoreleasePool() { stack().drainTo(m_mark); }

Object* autorelease(Object* obj)
{
    if (obj)
        stack().objects.push_back(obj);
    return obj;
}

}
