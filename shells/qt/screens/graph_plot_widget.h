// The plot screen over the calculator: the model's view (plot, axes, crosshair, go-to values) painted
// through a QtCanvas one point per pixel at the widget's size (a resize gives the model the new view size),
// with the zoom, origin, crosshair and go-to buttons on the view's button bar and the go-to keypad over it.
//
// The mouse pans (or moves the crosshair) by dragging and zooms with its wheel; on a touch screen one
// finger pans and two fingers pinch. Typed keys: + and - zoom, G opens the go-to keypad, and while it is
// open digits, ".", "-" (the sign), Backspace, Enter (Go) and Escape (Cancel). Every gesture reaches the
// model as the tap words a headless run uses ("touch_down:X,Y", "wheel:N" ...).
#pragma once

#include <QWidget>
#include <array>
#include <nlohmann/json.hpp>

class GuiContext;
class GraphPlotView;
class QLabel;
class QPushButton;
class QFrame;
class PlotCanvas;

class GraphPlotWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGotoKeys = 15;

    GraphPlotWidget(GraphPlotView& model, GuiContext& context, QWidget* parent = nullptr);
    ~GraphPlotWidget() override;
    void refresh();

    // Parts the tests drive.
    QWidget* canvas() const;
    QPushButton* button(const QString& name) const;
    QFrame* gotoPanel() const { return m_goto; }
    QPushButton* gotoKey(int index) const { return m_gotoKeys.at(static_cast<size_t>(index)); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QFrame* buildGoto();
    void placeOverlays();

    friend class PlotCanvas;
    GraphPlotView& m_model;
    PlotCanvas* m_canvas;
    QWidget* m_bar;
    QPushButton* m_pointer;
    QFrame* m_goto;
    QLabel* m_gotoField;
    std::array<QPushButton*, kGotoKeys> m_gotoKeys{};
};
