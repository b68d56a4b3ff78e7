#pragma once

#include <functional>
#include <string_view>

#include "host/runtime/Class.h"
#include "host/runtime/Fatal.h"
#include "host/runtime/Messaging.h"

// Blocks are std::functions wrapped as runtime objects, so that they can be stored, passed as
// arguments and kept alive by reference like any other object (completions, handlers).

namespace rt {

class BlockBase : public Object {
public:
    const char* signature() const { return m_signature; }

protected:
    const char* m_signature { "" };
};

Class* blockClass();

template<class Sig>
class Block;

template<class R, class... Args>
class Block<R(Args...)> final : public BlockBase {
public:
    static constexpr const char* kSignature = MethodSignature<R, Args...>::value;

    Block() { m_signature = kSignature; }
    R operator()(Args... args) const { return m_function(std::forward<Args>(args)...); }
    std::function<R(Args...)> m_function;
};

template<class Sig, class F>
Ref<Block<Sig>> makeBlock(F&& function)
{
    auto block = createObject<Block<Sig>>(blockClass());
    block->m_function = std::forward<F>(function);
    return block;
}

// Calls a block received as an object. A block of another signature stops the process, as
// calling through the wrong function type would be undefined.
template<class Sig, class... Args>
auto callBlock(Object* block, Args&&... args)
{
    using BlockType = Block<Sig>;
    if (!block)
        return typename std::function<Sig>::result_type();
    auto* base = dynamic_cast<BlockBase*>(block);
    if (!base || std::string_view(base->signature()) != BlockType::kSignature)
        fatal("block of signature \"%s\" called as \"%s\"", base ? base->signature() : "(not a block)",
            BlockType::kSignature);
    return (*static_cast<BlockType*>(base))(std::forward<Args>(args)...);
}

}
