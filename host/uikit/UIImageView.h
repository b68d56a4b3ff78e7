#pragma once

#include "host/uikit/UIView.h"

class UIImage;

// UIImageView: shows an image in its bounds by its content mode. Template images take the
// view's tint colour. The image drawn is asked for by message (`image`), so a subclass that
// answers another image (an animated view's current frame) is shown as it says; layer contents,
// when set, win over both.
class UIImageView : public UIView {
public:
    static rt::Class* classObject();

    UIImage* image() const { return m_image.get(); }
    void setImage(rt::Object*);

    CGSize defaultSizeThatFits(CGSize) const override;
    CGSize defaultIntrinsicContentSize() const override;
    void drawContent(Canvas&, long style) const override;

private:
    static void registerMethods(rt::Class*);

    rt::Ref<UIImage> m_image;
    rt::Ref<UIImage> m_highlightedImage;
    bool m_highlighted { false };
};

// Where an image of `imageSize` goes in `bounds` under a content mode.
CGRect imageRectForContentMode(CGRect bounds, CGSize imageSize, long contentMode);
