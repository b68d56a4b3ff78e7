#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "host/runtime/Runtime.h"

// Grand Central Dispatch, as far as the library uses it: once tokens, the main queue (the main
// run loop), delayed work on it, and private serial queues that run on their own thread.

using DispatchOnceToken = std::once_flag;

inline void dispatchOnce(DispatchOnceToken& token, const std::function<void()>& work)
{
    std::call_once(token, work);
}

void dispatchAsyncMain(std::function<void()>);
// dispatch_after(dispatch_time(DISPATCH_TIME_NOW, nanoseconds), main queue, work)
void dispatchAfterMain(int64_t nanoseconds, std::function<void()>);

// A private serial queue: work runs in order, one item at a time, on the queue's own thread.
// The thread ends when the queue is destroyed, after the work already queued has run.
class SerialQueue : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<SerialQueue> create(std::string label);
    ~SerialQueue() override;

    void async(std::function<void()>);
    const std::string& label() const { return m_label; }

private:
    // Shared with the queue's thread, which may outlive the queue object when the last reference
    // is dropped by work running on the queue itself.
    struct State {
        std::mutex lock;
        std::condition_variable wake;
        std::deque<std::function<void()>> work;
        bool stopping { false };
    };
    static void run(std::shared_ptr<State>);

    std::string m_label;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
