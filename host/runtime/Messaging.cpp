#include "host/runtime/Messaging.h"

#include <cstring>
#include <mutex>

#include "host/runtime/Fatal.h"

namespace rt {

SEL CallSite::intern() const
{
    // Interning is idempotent, so threads racing here all store the same selector.
    SEL s = rt::sel(m_name);
    m_sel.store(s, std::memory_order_release);
    return s;
}

namespace {

// Writers are rare (misses and method changes), so they take turns on one lock; readers never
// wait for it.
std::mutex& writersLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

const CallSite* g_listedSites = nullptr;

}

void CallSite::store(Class* cls, const char* types, IMP imp, std::uint64_t generation) const
{
    // The fast path passes the interned selector without checking it, so a site never caches
    // an implementation before its selector is interned.
    sel();
    std::lock_guard guard(writersLock());
    if (g_methodGeneration.load(std::memory_order_acquire) != generation)
        return;
    if (!m_listed) {
        m_listed = true;
        m_nextSite = g_listedSites;
        g_listedSites = this;
    }
    std::uint32_t s = m_seq.load(std::memory_order_relaxed);
    m_seq.store(s + 1, std::memory_order_relaxed);
    // Release stores publish the odd sequence before the fields: a reader that sees any new
    // field sees the odd sequence too on its second read, and misses.
    Class* previous = m_class.load(std::memory_order_relaxed);
    if (previous && previous != cls) {
        // The displaced entry moves to the other entries, oldest out first.
        int slot = static_cast<int>(m_nextOther++ % kOtherEntries);
        m_otherClass[slot].store(previous, std::memory_order_release);
        m_otherImp[slot].store(m_imp.load(std::memory_order_relaxed), std::memory_order_release);
        m_otherTypes[slot].store(m_types.load(std::memory_order_relaxed), std::memory_order_release);
    }
    m_class.store(cls, std::memory_order_release);
    m_imp.store(imp, std::memory_order_release);
    m_types.store(types, std::memory_order_release);
    m_seq.store(s + 2, std::memory_order_release);
}

IMP CallSite::cachedOther(Class* cls, const char* types) const
{
    std::uint32_t s = m_seq.load(std::memory_order_acquire);
    for (int i = 0; i < kOtherEntries; ++i) {
        if (m_otherClass[i].load(std::memory_order_acquire) != cls)
            continue;
        IMP imp = m_otherImp[i].load(std::memory_order_acquire);
        const char* t = m_otherTypes[i].load(std::memory_order_acquire);
        if (t != types || (s & 1) || m_seq.load(std::memory_order_relaxed) != s)
            return nullptr;
        return imp;
    }
    return nullptr;
}

// Locking: the caller holds the writers' lock.
void CallSite::clear() const
{
    std::uint32_t s = m_seq.load(std::memory_order_relaxed);
    m_seq.store(s + 1, std::memory_order_relaxed);
    m_class.store(nullptr, std::memory_order_release);
    for (auto& other : m_otherClass)
        other.store(nullptr, std::memory_order_release);
    m_seq.store(s + 2, std::memory_order_release);
}

void invalidateCallSites()
{
    std::lock_guard guard(writersLock());
    for (const CallSite* site = g_listedSites; site; site = site->m_nextSite)
        site->clear();
}

namespace {

[[noreturn]] void unrecognized(Object* receiver, SEL selector)
{
    Class* cls = receiver->isa();
    fatal("unrecognized selector %c[%s %s] sent to %s %p", cls->isMetaclass() ? '+' : '-', cls->name(),
        selName(selector), cls->isMetaclass() ? "class" : "instance", static_cast<void*>(receiver));
}

[[noreturn]] void signatureMismatch(Object* receiver, SEL selector, const Method* m, const char* expected)
{
    Class* cls = receiver->isa();
    fatal("signature mismatch sending %c[%s %s]: the method's type string is \"%s\", the call site's is \"%s\"",
        cls->isMetaclass() ? '+' : '-', cls->name(), selName(selector), m->types.c_str(), expected);
}

// Depth guard: a forwarding target that forwards back to the receiver would otherwise loop.
thread_local int t_forwardDepth = 0;

}

Lookup lookupForSend(Object* receiver, SEL selector, const char* expectedTypes, const CallSite* site)
{
    Class* cls = receiver->isa();
    // Read the generation before the lookup: a change racing with us leaves a stale generation
    // in the cache, which only costs another miss.
    if (site) {
        if (IMP imp = site->cachedOther(cls, expectedTypes))
            return { imp, receiver };
    }
    std::uint64_t generation = g_methodGeneration.load(std::memory_order_acquire);
    if (Method* m = cls->lookup(selector)) {
        if (m->types != expectedTypes)
            signatureMismatch(receiver, selector, m, expectedTypes);
        IMP imp = m->imp.load(std::memory_order_acquire);
        if (site)
            site->store(cls, expectedTypes, imp, generation);
        return { imp, receiver };
    }
    static const CallSite forwarding { "forwardingTargetForSelector:" };
    if (t_forwardDepth < 16 && cls->lookup(forwarding.sel())) {
        ++t_forwardDepth;
        Object* target = send<Object*>(receiver, forwarding, selector);
        Lookup result {};
        if (target && target != receiver)
            result = lookupForSend(target, selector, expectedTypes, nullptr);
        --t_forwardDepth;
        if (result.imp || result.receiver)
            return result;
    }
    // The last resort, standing in for forwardInvocation: with an invocation whose return value
    // is left unset: a class that implements discardUnrecognizedSelector: is told the selector,
    // and the message answers zero whatever its signature.
    static const CallSite discarding { "discardUnrecognizedSelector:" };
    if (cls->lookup(discarding.sel())) {
        send(receiver, discarding, selector);
        return { nullptr, receiver };
    }
    unrecognized(receiver, selector);
}

Lookup lookupForSuperSend(Object* receiver, Class* startClass, SEL selector, const char* expectedTypes)
{
    Method* m = startClass ? startClass->lookup(selector) : nullptr;
    if (!m)
        unrecognized(receiver, selector);
    if (m->types != expectedTypes)
        signatureMismatch(receiver, selector, m, expectedTypes);
    return { m->imp.load(std::memory_order_acquire), receiver };
}

bool respondsTo(const Object* receiver, SEL selector)
{
    return receiver && receiver->isa()->lookup(selector);
}

bool isKindOf(const Object* obj, const Class* cls)
{
    return obj && cls && obj->isa()->isSubclassOf(cls);
}

Ref<Object> newObject(Class* cls)
{
    if (!cls)
        return nullptr;
    // init consumes the reference alloc gave and returns one: self, another object, or nil after
    // releasing self when it fails, as in Objective-C.
    Object* obj = cls->allocate();
    return adopt(send<Object*>(obj, SELECTOR("init")));
}

}
