#pragma once

#include <map>

#include "host/uikit/UIControl.h"

class UIImageView;
class UILabel;

enum UIButtonType : long {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
    UIButtonTypeContactAdd = 5,
    UIButtonTypeClose = 7,
};

// UIButton: an image and a title per control state, laid out by the content alignments, and an
// optional menu that a tap opens when it is the primary action.
class UIButton : public UIControl {
public:
    static rt::Class* classObject();
    static rt::Ref<UIButton> create(long type);

    UIButton();

    rt::Object* imageForState(unsigned long) const;
    rt::Object* titleForState(unsigned long) const;
    void setImage(rt::Object*, unsigned long state);
    void setTitle(rt::Object*, unsigned long state);
    UIImageView* imageView() const { return m_imageView.get(); }
    UILabel* titleLabel() const { return m_titleLabel.get(); }

    void layoutButton();
    CGSize defaultSizeThatFits(CGSize) const override;
    CGSize defaultIntrinsicContentSize() const override;
    void simulateTap() override;

    long buttonType() const { return m_buttonType; }
    rt::Object* menu() const { return m_menu.get(); }
    bool showsMenuAsPrimaryAction() const { return m_showsMenuAsPrimaryAction; }
    // The menu a tap opened and nobody has chosen from yet; closing it only forgets it.
    rt::Object* openMenu() const { return m_openMenu.get(); }
    void closeMenu() { m_openMenu = nullptr; }

private:
    static void registerMethods(rt::Class*);
    void refreshContent();

    long m_buttonType { UIButtonTypeCustom };
    rt::Ref<UIImageView> m_imageView;
    rt::Ref<UILabel> m_titleLabel;
    std::map<unsigned long, rt::Ref<rt::Object>> m_images;
    std::map<unsigned long, rt::Ref<rt::Object>> m_titles;
    std::map<unsigned long, rt::Ref<rt::Object>> m_titleColors;
    rt::Ref<rt::Object> m_menu;
    bool m_showsMenuAsPrimaryAction { false };
    rt::Ref<rt::Object> m_openMenu;
};
