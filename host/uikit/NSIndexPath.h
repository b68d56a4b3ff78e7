#pragma once

#include "host/runtime/Runtime.h"

// NSIndexPath as tables use it: a section and a row (item).
class NSIndexPath final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSIndexPath> create(long section, long row);
    // An autoreleased index path, for arguments.
    static NSIndexPath* make(long section, long row);

    long section() const { return m_section; }
    long row() const { return m_row; }

private:
    long m_section { 0 };
    long m_row { 0 };
};

bool isIndexPath(rt::Object*);
