#include "tamarind/styling/RootTextViews.h"

#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<TextViewImp> originalTextViewDidMoveToWindow;

void textViewDidMoveToWindow(rt::Object* textView, rt::SEL cmd)
{
    originalTextViewDidMoveToWindow(textView, cmd);
    if (isOnRootList(textView))
        rt::send(textView, SELECTOR("removeFromSuperview"));
}

}
