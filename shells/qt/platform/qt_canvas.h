// Canvas over a QPainter, and the text metrics of the desktop's fonts.
//
// The screens' logical coordinates are drawn as they are; a widget scales its painter to its own size
// first. "Verdana" and "Verdana-Bold" map to DejaVu Sans (regular and bold) when Verdana is not
// installed; any other name is asked of the font database as a family. Without a painter the canvas only
// measures (the models' text metrics).
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <map>
#include <vector>

#include "platform/canvas.h"

class QPainter;

class QtCanvas : public Canvas {
  public:
    // painter may be null (measuring only); resourceFolder resolves drawImage names.
    explicit QtCanvas(QPainter* painter = nullptr, std::string resourceFolder = {});

    void saveState() override;
    void restoreState() override;
    void setStrokeColor(const CanvasColor& color) override;
    void setFillColor(const CanvasColor& color) override;
    void setLineWidth(double width) override;
    void beginPath() override;
    void moveTo(CanvasPoint p) override;
    void lineTo(CanvasPoint p) override;
    void closePath() override;
    void addRect(const CanvasRect& rect) override;
    void strokePath() override;
    void fillPath() override;
    void clipToRect(const CanvasRect& rect) override;
    void strokeRect(const CanvasRect& rect) override;
    void fillRect(const CanvasRect& rect) override;
    void drawImage(const std::string& name, const CanvasRect& dest,
                   const std::optional<CanvasRect>& source = std::nullopt) override;
    void drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                      const CanvasRect& dest) override;
    void drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) override;
    CanvasTextSize measureText(const std::u16string& text, const CanvasFont& font) const override;

    // The desktop font for a canvas font name and size (points are taken as logical pixels).
    static QFont FontFor(const CanvasFont& font);
    static QColor ColorOf(const CanvasColor& c);

  private:
    struct State {
        QColor stroke{Qt::black}, fill{Qt::black};
        double lineWidth = 1;
    };
    void applyPen();

    QPainter* m_painter;
    std::string m_resources;
    State m_state;
    std::vector<State> m_saved;
    QPainterPath m_path;
};
