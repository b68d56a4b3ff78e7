#pragma once

#include <cstdint>

#include "host/runtime/Runtime.h"

// NSNumber: a boolean, an integer or a floating-point value, converted on request as
// Foundation converts them.
class NSNumber : public rt::Object {
public:
    enum class Kind { Bool, Integer, Real };

    static rt::Class* classObject();
    static rt::Ref<NSNumber> withBool(bool);
    static rt::Ref<NSNumber> withInteger(int64_t);
    static rt::Ref<NSNumber> withDouble(double);
    // A number that remembers it was made from a float, as Foundation's does (objCType "f"), so
    // that it describes and formats by the float's own shortest form.
    static rt::Ref<NSNumber> withFloat(float);

    Kind kind() const { return m_kind; }
    bool boolValue() const { return m_kind == Kind::Real ? m_real != 0 : m_integer != 0; }
    int64_t integerValue() const { return m_kind == Kind::Real ? static_cast<int64_t>(m_real) : m_integer; }
    double doubleValue() const { return m_kind == Kind::Real ? m_real : static_cast<double>(m_integer); }
    // Made from a float: a real number that describes itself by the float's shortest form.
    bool isFloat() const { return m_single; }

private:
    static rt::Ref<NSNumber> make(Kind);

    Kind m_kind { Kind::Integer };
    int64_t m_integer { 0 };
    double m_real { 0 };
    bool m_single { false };
};

bool isNumber(rt::Object*);
