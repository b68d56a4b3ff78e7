#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/render/Canvas.h"

// A canvas that keeps what is drawn on it instead of drawing it: every call is recorded, with
// the images it names held, and played back later onto a real canvas of the same scale. An
// image renderer draws onto one so that its image costs nothing until its pixels are used.
//
// The recording answers intersectsClip() with true: it cannot know the clip's effect without
// drawing, and drawing more than the clip shows changes nothing once played back.
class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(double scale)
        : m_scale(scale)
    {
    }

    double scale() const override { return m_scale; }
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void clip(const Path&) override;
    bool intersectsClip(const CGRect&) const override { return true; }
    void fill(const Path&, RGBAColor, FillRule = FillRule::NonZero) override;
    void stroke(const Path&, double width, RGBAColor) override;
    void drawImage(const CGImage&, const CGRect& destination, double alpha, const RGBAColor* tint) override;
    void drawText(const std::string&, const TextStyle&, const CGRect& box) override;
    void blurBehind(const CGRect&, double radius) override;
    void beginGroup() override;
    void endGroup(double alpha) override;

    // Draws everything recorded so far onto `target`, in order.
    void replay(Canvas& target) const;

    // A copy of the recording as it stands; later drawing on this canvas does not reach it.
    std::shared_ptr<const RecordingCanvas> snapshot() const { return std::make_shared<RecordingCanvas>(*this); }

private:
    using Command = std::function<void(Canvas&)>;

    double m_scale;
    std::vector<std::shared_ptr<const Command>> m_commands;

    void record(Command);
};
