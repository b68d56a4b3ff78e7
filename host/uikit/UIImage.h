#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/imageio/CGImage.h"
#include "host/runtime/Runtime.h"

class UIColor;

enum UIImageRenderingMode : long {
    UIImageRenderingModeAutomatic = 0,
    UIImageRenderingModeAlwaysOriginal = 1,
    UIImageRenderingModeAlwaysTemplate = 2,
};

// UIImage: a bitmap (CGImage, premultiplied RGBA) with a scale and a rendering mode. Template
// images draw their shape in the tint colour of the view that shows them. System symbols
// (+systemImageNamed:) are drawn by the host and are templates.
class UIImage final : public rt::Object {
public:
    static rt::Class* classObject();

    static rt::Ref<UIImage> create(
        rt::Ref<CGImage>, double scale = 1, long renderingMode = UIImageRenderingModeAutomatic);
    // A PNG, JPEG or GIF file from this machine's file system; null when the file is missing or
    // its header is unreadable. An "@2x"/"@3x" suffix in the name sets the scale.
    static rt::Ref<UIImage> createWithContentsOfFile(const std::filesystem::path&);
    static rt::Ref<UIImage> createWithData(const std::uint8_t* bytes, std::size_t length, double scale = 1);
    // The image keeps the encoded bytes and decodes them when its pixels are first used, once.
    static rt::Ref<UIImage> createWithEncodedBytes(std::shared_ptr<const std::vector<std::uint8_t>>, double scale = 1);
    // The image of a system symbol at the given point size, or null for an unknown name.
    static rt::Ref<UIImage> systemImage(const std::string& name);
    // The system's blank app icon (+blankIcon).
    static rt::Ref<UIImage> blankIcon();

    CGImage* cgImage() const { return m_image.get(); }
    CGSize size() const;
    double scale() const { return m_scale; }
    long renderingMode() const { return m_renderingMode; }
    // Whether drawing uses the tint colour: always-template images, and automatic-mode symbols.
    bool isTemplate() const;
    long orientation() const { return m_orientation; }
    // The colour set with imageWithTintColor:, null for none.
    UIColor* tintColor() const { return m_tintColor.get(); }
    bool isSymbol() const { return m_isSymbol; }
    // The system symbol's name, for a symbol image.
    const std::string& symbolName() const { return m_symbolName; }
    // These store only, for the factories that make images.
    void setOrientation(long orientation) { m_orientation = orientation; }
    void markSymbol(std::string name);

    // A copy with another rendering mode and, when `tint` is not null, another tint colour.
    rt::Ref<UIImage> copyWith(long renderingMode, UIColor* tint) const;

private:
    rt::Ref<CGImage> m_image;
    double m_scale { 1 };
    long m_renderingMode { UIImageRenderingModeAutomatic };
    long m_orientation { 0 };
    bool m_isSymbol { false };
    std::string m_symbolName;
    rt::Ref<UIColor> m_tintColor;
};

bool isImage(rt::Object*);
