#pragma once

#include "host/uikit/UIView.h"

class UIImageView;
class UILabel;

enum UITableViewCellStyle : long {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType : long {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
    UITableViewCellAccessoryDetailButton = 4,
};

// Where a cell sits in its section, which decides its rounded corners and its separator.
enum class CellGroupPosition { Middle, First, Last, Only };

// UITableViewCell: a row's view. Its tree is the one UIKit builds: a _UISystemBackgroundView
// (the cell's background, rounded at the ends of an inset-grouped section), the
// UITableViewCellContentView holding the image view and labels, the accessory (a
// _UITableCellAccessoryButton with the chevron or check, or the accessory view), and a
// _UITableViewCellSeparatorView that the table asks for.
class UITableViewCell : public UIView {
public:
    static rt::Class* classObject();
    static rt::Class* contentViewClass();
    static rt::Class* separatorClass();
    static rt::Class* accessoryButtonClass();
    static rt::Class* systemBackgroundClass();

    // alloc + initWithStyle:reuseIdentifier: by message.
    static rt::Ref<UITableViewCell> create(long style, rt::Object* reuseIdentifier, rt::Class* = classObject());

    // Builds the subviews for a style (initWithStyle:reuseIdentifier:'s work).
    void setUp(long style, rt::Object* reuseIdentifier);
    // The class of the content view setUp makes; a cell shown through a content configuration
    // has a content view of its own kind.
    virtual rt::Class* contentViewClassForCell() const { return contentViewClass(); }

    UIView* contentView() const { return m_contentView.get(); }
    UILabel* textLabel() const { return m_textLabel.get(); }
    UILabel* detailTextLabel() const { return m_detailTextLabel.get(); }
    UIImageView* imageView() const { return m_imageView.get(); }
    long accessoryType() const { return m_accessoryType; }
    void setAccessoryType(long);
    void setAccessoryView(rt::Object*);

    // The host's own layout: content view, accessory, image and labels.
    void layoutCell();
    // Set by the table before the cell is shown.
    void setGroupPosition(CellGroupPosition, long tableStyle, bool wantsSeparator, double separatorLeft);

    bool drawsOwnBackground() const override;

    rt::Object* reuseIdentifier() const { return m_reuseIdentifier.get(); }
    UIView* accessoryView() const { return m_accessoryView.get(); }
    // The button that shows the chevron, check or info mark of an accessory type.
    UIView* accessoryButton() const { return m_accessoryButton.get(); }
    UIView* separator() const { return m_separator.get(); }
    bool isSelected() const { return m_selected; }
    bool isHighlighted() const { return m_highlighted; }
    long selectionStyle() const { return m_selectionStyle; }
    // Sets the style without a message, for cells the host sets up itself.
    void setSelectionStyle(long style) { m_selectionStyle = style; }
    CellGroupPosition groupPosition() const { return m_position; }
    long tableStyle() const { return m_tableStyle; }

private:
    static void registerCellInitializers(rt::Class*);
    static void registerCellContent(rt::Class*);
    static void registerCellState(rt::Class*);
    void updateAccessory();
    CGRect layoutAccessory(CGRect bounds);
    void layoutLabels(CGRect content, bool hasAccessory);

    long m_style { UITableViewCellStyleDefault };
    rt::Ref<rt::Object> m_reuseIdentifier;
    rt::Ref<UIView> m_contentView;
    rt::Ref<UILabel> m_textLabel;
    rt::Ref<UILabel> m_detailTextLabel;
    rt::Ref<UIImageView> m_imageView;
    long m_accessoryType { UITableViewCellAccessoryNone };
    rt::Ref<UIView> m_accessoryView;
    rt::Ref<UIView> m_accessoryButton;
    rt::Ref<UIView> m_systemBackground;
    rt::Ref<UIView> m_separator;
    rt::Ref<UIView> m_backgroundView;
    rt::Ref<UIView> m_selectedBackgroundView;
    long m_selectionStyle { 3 };
    bool m_selected { false };
    bool m_highlighted { false };
    CellGroupPosition m_position { CellGroupPosition::Only };
    long m_tableStyle { 0 };
    bool m_wantsSeparator { false };
    double m_separatorLeft { 16 };
};

bool isTableViewCell(rt::Object*);
