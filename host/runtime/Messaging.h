#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "host/runtime/Class.h"
#include "host/runtime/Object.h"
#include "host/runtime/Selector.h"
#include "host/runtime/TypeEncoding.h"

// Message sending.
//
//   send<R>(receiver, SELECTOR("name:"), args...)   a call site with its own inline cache
//   send<R>(receiver, someSel, args...)             a dynamic send (target-action, performSelector)
//   sendSuper<R>(receiver, currentClass, SELECTOR("name"), args...)
//
// A nil receiver answers zero. The signature the call site expects (derived from R and the
// arguments) must equal the type string of the method found; otherwise the process stops with a
// message naming the class, the selector and both type strings. A selector that no class in the
// chain answers is offered to forwardingTargetForSelector:, then to discardUnrecognizedSelector:
// (a proxy whose target is gone swallows it, and the send answers zero), and otherwise stops the
// process.
//
// The inline cache remembers (class, implementation). A site that has cached something is on a
// list of sites, and any method added or replaced anywhere clears every site on it, so a hit
// needs no check beyond the class. Sites are read and written from several threads, so the cache
// is a small seqlock. Sites live in static storage and are never freed: a library holding call
// sites must not be unloaded.

namespace rt {

struct Lookup {
    IMP imp;
    Object* receiver;
};

class CallSite {
public:
    // Constant-initialised, so a site in a function-local static costs no guard check per send;
    // the selector is interned on first use.
    constexpr explicit CallSite(const char* name)
        : m_name(name)
    {
    }
    SEL sel() const
    {
        SEL s = m_sel.load(std::memory_order_acquire);
        return s ? s : intern();
    }
    operator SEL() const { return sel(); }
    // The selector without the check: only for a send that hit the cache, since a site caches
    // nothing before its selector is interned.
    SEL internedSel() const { return m_sel.load(std::memory_order_relaxed); }

    // Returns the cached implementation for cls when it is current, else null.
    IMP cached(Class* cls, const char* types) const
    {
        // Acquire loads keep the second read of the sequence after the fields, as a fence would;
        // they cost nothing more on x86 and, unlike a fence, ThreadSanitizer understands them.
        std::uint32_t s = m_seq.load(std::memory_order_acquire);
        Class* c = m_class.load(std::memory_order_acquire);
        IMP imp = m_imp.load(std::memory_order_acquire);
        const char* t = m_types.load(std::memory_order_acquire);
        if (c != cls || t != types || (s & 1) || m_seq.load(std::memory_order_relaxed) != s)
            return nullptr;
        return imp;
    }
    // The site's other entries: a site that sees several classes (a dealloc, a layoutSubviews
    // sent to every kind of view) keeps the last few beside the one the fast path checks.
    // Checked only on a miss of the first entry, so the fast path is unchanged.
    IMP cachedOther(Class* cls, const char* types) const;
    // Caches what a lookup found, unless a method table changed since `generation` was read
    // before the lookup: the change has cleared the sites already, and the result may be stale.
    void store(Class* cls, const char* types, IMP imp, std::uint64_t generation) const;

private:
    friend void invalidateCallSites();
    SEL intern() const;
    void clear() const;

    const char* m_name;
    mutable std::atomic<SEL> m_sel { nullptr };
    mutable std::atomic<std::uint32_t> m_seq { 0 };
    mutable std::atomic<Class*> m_class { nullptr };
    mutable std::atomic<IMP> m_imp { nullptr };
    mutable std::atomic<const char*> m_types { nullptr };
    static constexpr int kOtherEntries = 3;
    mutable std::atomic<Class*> m_otherClass[kOtherEntries] {};
    mutable std::atomic<IMP> m_otherImp[kOtherEntries] {};
    mutable std::atomic<const char*> m_otherTypes[kOtherEntries] {};
    mutable unsigned m_nextOther { 0 };
    // The list of sites that have cached something; guarded by the writers' lock.
    mutable const CallSite* m_nextSite { nullptr };
    mutable bool m_listed { false };
};

// Clears every call site's cache. Called after any method table changed.
void invalidateCallSites();

// The slow path: finds the implementation, checks the signature, fills the site's cache (when
// given) and resolves forwarding. A null implementation means the receiver discarded the message
// (discardUnrecognizedSelector:) and the send answers zero; other unknown selectors stop the
// process.
Lookup lookupForSend(Object* receiver, SEL, const char* expectedTypes, const CallSite* site);
Lookup lookupForSuperSend(Object* receiver, Class* startClass, SEL, const char* expectedTypes);
// Whether the receiver's class (or superclasses) implements the selector; no forwarding.
bool respondsTo(const Object* receiver, SEL);

template<class T>
inline Object* asObject(T* ptr) { return static_cast<Object*>(const_cast<std::remove_cv_t<T>*>(ptr)); }
template<class T>
inline Object* asObject(const Ref<T>& ref) { return ref.get(); }
inline Object* asObject(std::nullptr_t) { return nullptr; }

template<class T>
inline decltype(auto) passArgument(T&& arg)
{
    if constexpr (IsRef<std::decay_t<T>>::value)
        return arg.get();
    else if constexpr (std::is_null_pointer_v<std::decay_t<T>>)
        return static_cast<Object*>(nullptr);
    else
        return std::forward<T>(arg);
}

#define SELECTOR(name)                                     \
    ([]() -> const ::rt::CallSite& {                       \
        static const ::rt::CallSite tam_call_site { name }; \
        return tam_call_site;                              \
    }())

// A miss: looks up, fills the site and calls. Out of line so that the inline fast path needs no
// registers of its own beyond the compares and can end in a tail jump.
template<class R, class... Params>
[[gnu::noinline, gnu::cold]] R sendUncached(Object* self, const CallSite& site, const char* types, Params... args)
{
    Lookup found = lookupForSend(self, site.sel(), types, &site);
    if (!found.imp) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    return reinterpret_cast<R (*)(Object*, SEL, Params...)>(found.imp)(found.receiver, site.sel(), std::move(args)...);
}

template<class R = void, class Receiver, class... Args>
inline R send(const Receiver& receiver, const CallSite& site, Args&&... args)
{
    using Fn = R (*)(Object*, SEL, ArgumentTypeT<Args>...);
    constexpr const char* types = MethodSignature<R, ArgumentTypeT<Args>...>::value;
    Object* self = asObject(receiver);
    if (!self) [[unlikely]] {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    IMP imp = site.cached(self->isa(), types);
    if (!imp) [[unlikely]] {
        return sendUncached<R, ArgumentTypeT<Args>...>(self, site, types,
            static_cast<ArgumentTypeT<Args>>(passArgument(std::forward<Args>(args)))...);
    }
    return reinterpret_cast<Fn>(imp)(self, site.internedSel(), static_cast<ArgumentTypeT<Args>>(passArgument(std::forward<Args>(args)))...);
}

template<class R = void, class Receiver, class... Args>
inline R send(const Receiver& receiver, SEL selector, Args&&... args)
{
    using Fn = R (*)(Object*, SEL, ArgumentTypeT<Args>...);
    constexpr const char* types = MethodSignature<R, ArgumentTypeT<Args>...>::value;
    Object* self = asObject(receiver);
    if (!self) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    Lookup found = lookupForSend(self, selector, types, nullptr);
    if (!found.imp) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    return reinterpret_cast<Fn>(found.imp)(found.receiver, selector, static_cast<ArgumentTypeT<Args>>(passArgument(std::forward<Args>(args)))...);
}

// [super name]: looks up from the superclass of `currentClass`, the class whose method is running.
template<class R = void, class Receiver, class... Args>
inline R sendSuper(const Receiver& receiver, Class* currentClass, SEL selector, Args&&... args)
{
    using Fn = R (*)(Object*, SEL, ArgumentTypeT<Args>...);
    constexpr const char* types = MethodSignature<R, ArgumentTypeT<Args>...>::value;
    Object* self = asObject(receiver);
    if (!self || !currentClass) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    Lookup found = lookupForSuperSend(self, currentClass->superclass(), selector, types);
    return reinterpret_cast<Fn>(found.imp)(self, selector, static_cast<ArgumentTypeT<Args>>(passArgument(std::forward<Args>(args)))...);
}

// Allocates an instance of cls and sends it `init`; the caller owns the result.
Ref<Object> newObject(Class* cls);

template<class T>
Ref<T> newObject(Class* cls) { return Ref<T>(static_cast<T*>(newObject(cls).get())); }

bool isKindOf(const Object* obj, const Class* cls);

template<class T>
T* dynamicCast(Object* obj, const Class* cls) { return isKindOf(obj, cls) ? static_cast<T*>(obj) : nullptr; }

}
