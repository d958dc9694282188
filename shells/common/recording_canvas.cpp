#include "common/recording_canvas.h"

CanvasCall& RecordingCanvas::record(CanvasOp op) {
    m_calls.push_back(CanvasCall{op, {}, {}, std::nullopt, {}, 0, {}, {}, {}});
    return m_calls.back();
}

void RecordingCanvas::setStrokeColor(const CanvasColor& color) {
    record(CanvasOp::SetStrokeColor).color = color;
}
void RecordingCanvas::setFillColor(const CanvasColor& color) {
    record(CanvasOp::SetFillColor).color = color;
}
void RecordingCanvas::setLineWidth(double width) {
    record(CanvasOp::SetLineWidth).value = width;
}
void RecordingCanvas::moveTo(CanvasPoint p) {
    record(CanvasOp::MoveTo).point = p;
}
void RecordingCanvas::lineTo(CanvasPoint p) {
    record(CanvasOp::LineTo).point = p;
}
void RecordingCanvas::addRect(const CanvasRect& rect) {
    record(CanvasOp::AddRect).rect = rect;
}
void RecordingCanvas::clipToRect(const CanvasRect& rect) {
    record(CanvasOp::ClipToRect).rect = rect;
}
void RecordingCanvas::strokeRect(const CanvasRect& rect) {
    record(CanvasOp::StrokeRect).rect = rect;
}
void RecordingCanvas::fillRect(const CanvasRect& rect) {
    record(CanvasOp::FillRect).rect = rect;
}

void RecordingCanvas::drawImage(const std::string& name, const CanvasRect& dest,
                                const std::optional<CanvasRect>& source) {
    CanvasCall& c = record(CanvasOp::DrawImage);
    c.name = name;
    c.rect = dest;
    c.source = source;
}

void RecordingCanvas::drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) {
    CanvasCall& c = record(CanvasOp::DrawText);
    c.text = text;
    c.point = origin;
    c.font = font;
}

double RecordingCanvas::advance(const CanvasFont& font) const {
    return m_fixedAdvance > 0 ? m_fixedAdvance : font.size * 0.6;
}

CanvasTextSize RecordingCanvas::measureText(const std::u16string& text, const CanvasFont& font) const {
    return CanvasTextSize{advance(font) * static_cast<double>(text.size()), font.size};
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasOp op) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : m_calls) {
        if (c.op == op) out.push_back(c);
    }
    return out;
}

void RecordingCanvas::drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                                   const CanvasRect& dest) {
    if (width <= 0 || height <= 0 || coverage.size() != static_cast<size_t>(width) * height) return;
    CanvasCall& c = record(CanvasOp::DrawCoverage);
    c.rect = dest;
    c.width = width;
    c.height = height;
    for (std::uint8_t b : coverage) c.inkSum += b;
}
