#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "host/runtime/Object.h"
#include "host/runtime/Selector.h"

// Type strings derived from C++ signatures at compile time, as the Objective-C compiler writes
// them: "v@:" for void(id, SEL), "B@:" for bool(id, SEL), "v@:@" for void(id, SEL, id). A
// geometry type opts in by specialising Encoding next to its definition.

namespace rt {

class Class;
class BlockBase;

template<class T, class = void>
struct Encoding {
    static_assert(sizeof(T) == 0, "no type encoding for this type");
};

#define TAM_ENCODING(type, string)                        \
    template<>                                            \
    struct Encoding<type> {                               \
        static constexpr std::string_view value = string; \
    }

TAM_ENCODING(void, "v");
TAM_ENCODING(bool, "B");
TAM_ENCODING(char, "c");
TAM_ENCODING(signed char, "c");
TAM_ENCODING(unsigned char, "C");
TAM_ENCODING(short, "s");
TAM_ENCODING(unsigned short, "S");
TAM_ENCODING(int, "i");
TAM_ENCODING(unsigned, "I");
TAM_ENCODING(long, "q");
TAM_ENCODING(unsigned long, "Q");
TAM_ENCODING(long long, "q");
TAM_ENCODING(unsigned long long, "Q");
TAM_ENCODING(float, "f");
TAM_ENCODING(double, "d");
TAM_ENCODING(SEL, ":");
TAM_ENCODING(const char*, "*");
TAM_ENCODING(char*, "*");
TAM_ENCODING(std::nullptr_t, "@");

// An enumeration travels as its underlying integer, as in Objective-C.
template<class T>
struct Encoding<T, std::enable_if_t<std::is_enum_v<T>>> : Encoding<std::underlying_type_t<T>> { };

template<class T>
struct Encoding<T*, std::enable_if_t<std::is_base_of_v<Object, T> && !std::is_base_of_v<Class, T> && !std::is_base_of_v<BlockBase, T>>> {
    static constexpr std::string_view value = "@";
};
template<class T>
struct Encoding<T*, std::enable_if_t<std::is_base_of_v<Class, T>>> {
    static constexpr std::string_view value = "#";
};
template<class T>
struct Encoding<T*, std::enable_if_t<std::is_base_of_v<BlockBase, T>>> {
    static constexpr std::string_view value = "@?";
};
template<class T>
struct Encoding<T*, std::enable_if_t<!std::is_base_of_v<Object, T> && !std::is_same_v<std::remove_cv_t<T>, char>>> {
    static constexpr std::string_view value = "^v";
};

// Normalises what a call site passes to what a method receives: strong references are passed
// borrowed, nil is an object, and cv-qualifiers and references do not change the signature.
template<class T>
struct ArgumentType {
    using type = T;
};
template<class T>
struct ArgumentType<Ref<T>> {
    using type = T*;
};
template<>
struct ArgumentType<std::nullptr_t> {
    using type = Object*;
};
template<class T>
using ArgumentTypeT = typename ArgumentType<std::decay_t<T>>::type;

template<class T>
struct IsRef : std::false_type { };
template<class T>
struct IsRef<Ref<T>> : std::true_type { };

template<class R, class... Args>
struct MethodSignature {
    static constexpr auto build()
    {
        constexpr std::string_view parts[] = { Encoding<std::remove_cv_t<R>>::value, "@", ":",
            Encoding<std::remove_cvref_t<Args>>::value... };
        std::array<char, length() + 1> out {};
        std::size_t at = 0;
        for (auto part : parts)
            for (char c : part)
                out[at++] = c;
        out[at] = 0;
        return out;
    }
    static constexpr std::size_t length()
    {
        std::size_t n = 2 + Encoding<std::remove_cv_t<R>>::value.size();
        ((n += Encoding<std::remove_cvref_t<Args>>::value.size()), ...);
        return n;
    }
    static constexpr auto storage = build();
    static constexpr const char* value = storage.data();
};

// The type string of an implementation function R(id, SEL, Args...).
template<class F>
struct ImpSignature;
template<class R, class Self, class... Args>
struct ImpSignature<R (*)(Self, SEL, Args...)> : MethodSignature<R, Args...> {
    static_assert(std::is_pointer_v<Self> && std::is_base_of_v<Object, std::remove_pointer_t<Self>>,
        "an implementation takes its receiver first");
};

}
