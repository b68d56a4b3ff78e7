#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// NSError: a domain, a code and a description, as file and plist operations report them.
class NSError : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSError> create(std::string domain, long code, std::string description);

private:
    std::string m_domain;
    long m_code { 0 };
    std::string m_description;
};
