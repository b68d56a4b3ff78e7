#pragma once

#include "host/render/Path.h"
#include "host/runtime/Runtime.h"

// UIBezierPath: an outline that can be filled, stroked or added to the clip of the current
// drawing destination (an image renderer's block). Fill and stroke use the colours last set with
// -[UIColor setFill] / setStroke / set.
class UIBezierPath final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIBezierPath> create(Path);

private:
    static void registerMethods(rt::Class*);
    void setLineWidth(double);

    Path m_path;
    double m_lineWidth { 1 };
};
