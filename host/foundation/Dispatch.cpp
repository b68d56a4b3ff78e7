#include "host/foundation/Dispatch.h"

#include "host/foundation/RunLoop.h"

void dispatchAsyncMain(std::function<void()> work) { RunLoop::main().post(std::move(work)); }

void dispatchAfterMain(int64_t nanoseconds, std::function<void()> work)
{
    RunLoop::main().addTimer(static_cast<double>(nanoseconds) / 1e9, std::move(work));
}

rt::Class* SerialQueue::classObject()
{
    static rt::Class* cls = rt::defineCppClass<SerialQueue>("OS_dispatch_queue_serial", rt::rootClass());
    return cls;
}

rt::Ref<SerialQueue> SerialQueue::create(std::string label)
{
    auto q = rt::adopt(static_cast<SerialQueue*>(classObject()->allocate()));
    q->m_label = std::move(label);
    q->m_state = std::make_shared<State>();
    q->m_thread = std::thread(&SerialQueue::run, q->m_state);
    return q;
}

SerialQueue::~SerialQueue()
{
    if (!m_state)
        return;
    {
        std::lock_guard guard(m_state->lock);
        m_state->stopping = true;
    }
    m_state->wake.notify_all();
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach();
    else
        m_thread.join();
}

void SerialQueue::async(std::function<void()> work)
{
    RunLoop::main().backgroundWorkBegan();
    {
        std::lock_guard guard(m_state->lock);
        m_state->work.push_back(std::move(work));
    }
    m_state->wake.notify_one();
}

void SerialQueue::run(std::shared_ptr<State> state)
{
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock guard(state->lock);
            state->wake.wait(guard, [&] { return state->stopping || !state->work.empty(); });
            if (state->work.empty())
                return;
            work = std::move(state->work.front());
            state->work.pop_front();
        }
        {
            rt::AutoreleasePool pool;
            work();
        }
        RunLoop::main().backgroundWorkEnded();
    }
}
