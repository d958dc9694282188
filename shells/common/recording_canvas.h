// A canvas that draws nothing and records every call, so that tests can assert geometry and text.
// Text metrics are fixed-width: every UTF-16 unit is advance() wide (by default 0.6 of the font size, or a
// fixed width set with setFixedAdvance()), and a line is as high as the font size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

enum class CanvasOp {
    SaveState,
    RestoreState,
    SetStrokeColor,
    SetFillColor,
    SetLineWidth,
    BeginPath,
    MoveTo,
    LineTo,
    ClosePath,
    AddRect,
    StrokePath,
    FillPath,
    ClipToRect,
    StrokeRect,
    FillRect,
    DrawImage,
    DrawText,
    DrawCoverage,
};

struct CanvasCall {
    CanvasOp op;
    CanvasPoint point;                 // MoveTo, LineTo, DrawText (origin)
    CanvasRect rect;                   // AddRect, ClipToRect, StrokeRect, FillRect, DrawImage (destination)
    std::optional<CanvasRect> source;  // DrawImage crop
    CanvasColor color;                 // SetStrokeColor, SetFillColor
    double value = 0;                  // SetLineWidth
    std::u16string text;               // DrawText
    std::string name;                  // DrawImage
    CanvasFont font;                   // DrawText
    int width = 0, height = 0;         // DrawCoverage (the mask's size; rect is the destination)
    std::uint64_t inkSum = 0;          // DrawCoverage: the sum of the mask's bytes
};

class RecordingCanvas : public Canvas {
  public:
    void saveState() override { record(CanvasOp::SaveState); }
    void restoreState() override { record(CanvasOp::RestoreState); }
    void setStrokeColor(const CanvasColor& color) override;
    void setFillColor(const CanvasColor& color) override;
    void setLineWidth(double width) override;
    void beginPath() override { record(CanvasOp::BeginPath); }
    void moveTo(CanvasPoint p) override;
    void lineTo(CanvasPoint p) override;
    void closePath() override { record(CanvasOp::ClosePath); }
    void addRect(const CanvasRect& rect) override;
    void strokePath() override { record(CanvasOp::StrokePath); }
    void fillPath() override { record(CanvasOp::FillPath); }
    void clipToRect(const CanvasRect& rect) override;
    void strokeRect(const CanvasRect& rect) override;
    void fillRect(const CanvasRect& rect) override;
    void drawImage(const std::string& name, const CanvasRect& dest,
                   const std::optional<CanvasRect>& source = std::nullopt) override;
    void drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) override;
    void drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                      const CanvasRect& dest) override;
    CanvasTextSize measureText(const std::u16string& text, const CanvasFont& font) const override;

    // Every UTF-16 unit measures px wide whatever the font; 0 returns to the font-relative width.
    void setFixedAdvance(double px) { m_fixedAdvance = px; }
    double advance(const CanvasFont& font) const;

    const std::vector<CanvasCall>& calls() const { return m_calls; }
    // The calls of one kind, in order.
    std::vector<CanvasCall> callsOf(CanvasOp op) const;
    void clear() { m_calls.clear(); }

  private:
    CanvasCall& record(CanvasOp op);

    std::vector<CanvasCall> m_calls;
    double m_fixedAdvance = 0;
};
