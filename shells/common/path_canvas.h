// The bookkeeping every exporting canvas needs: the graphics state stack (colours, line width, clip) and
// the current path, which strokePath()/fillPath() hand to the output as subpaths and then clear. The
// output side (SVG text, a pixel buffer) implements the drawing hooks.
#pragma once

#include <optional>
#include <vector>

#include "platform/canvas.h"

class PathCanvas : public Canvas {
  public:
    // One open or closed polyline of the current path.
    struct Subpath {
        std::vector<CanvasPoint> points;
        bool closed = false;
    };

    // What saveState()/restoreState() keep.
    struct State {
        CanvasColor stroke{0, 0, 0, 1};
        CanvasColor fill{0, 0, 0, 1};
        double lineWidth = 1;
        std::optional<CanvasRect> clip;  // none: the whole surface
    };

    void saveState() override { m_stack.push_back(m_state); }
    void restoreState() override;
    void setStrokeColor(const CanvasColor& color) override { m_state.stroke = color; }
    void setFillColor(const CanvasColor& color) override { m_state.fill = color; }
    void setLineWidth(double width) override { m_state.lineWidth = width > 0 ? width : 0; }
    void beginPath() override { m_path.clear(); }
    void moveTo(CanvasPoint p) override;
    void lineTo(CanvasPoint p) override;
    void closePath() override;
    void addRect(const CanvasRect& rect) override;
    void strokePath() override;
    void fillPath() override;
    // An empty intersection leaves a zero-sized clip: nothing is drawn until the state is restored.
    void clipToRect(const CanvasRect& rect) override;
    void strokeRect(const CanvasRect& rect) override;
    void fillRect(const CanvasRect& rect) override;
    // The mask as filled rectangles (one per run of equal coverage in a row), each in the fill colour with
    // its opacity scaled by the coverage.
    void drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                      const CanvasRect& dest) override;

  protected:
    const State& state() const { return m_state; }

    // Draw the subpaths with the current state's stroke colour and width, or fill them (non-zero winding)
    // with its fill colour, inside its clip.
    virtual void stroke(const std::vector<Subpath>& path) = 0;
    virtual void fill(const std::vector<Subpath>& path) = 0;

  private:
    static Subpath RectPath(const CanvasRect& rect);

    State m_state;
    std::vector<State> m_stack;
    std::vector<Subpath> m_path;
};
