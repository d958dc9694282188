// The calculator display: draws the display model through a QtCanvas scaled to the widget, and hands mouse
// and touch presses to the model's touch handling (indicators, caret, scroll arrows, drag scrolling).
// With a function tooltip set, its panel hangs under the display while the model says it shows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class MyLedView;
class FunctionTooltip;
class TooltipPanel;

class DisplayWidget : public QWidget {
    Q_OBJECT
  public:
    DisplayWidget(MyLedView& display, std::string resourceFolder, QWidget* parent = nullptr);

    // A short red flash over the display (the desktop's stand-in for vibrating on an error).
    void flash();
    // The logical size of the display (320 x 120 portrait, 480 x 96 landscape, taller in RPN mode).
    QSizeF logicalSize() const;

    // Called once, after the first paint (start-up measurements).
    std::function<void()> onFirstPaint;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

    // The function help to show under the display (null: none).
    void setFunctionTooltip(const FunctionTooltip* tooltip);
    // The tooltip's panel while it shows, else null.
    QWidget* tooltipPanel() const;
    // Called after each press and release the display model got (a touch may open the history).
    std::function<void()> onTouched;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void syncTooltip();
    QPointF toLogical(const QPointF& p) const;
    double scale() const;

    MyLedView& m_display;
    std::string m_resources;
    bool m_flash = false;
    const FunctionTooltip* m_tooltip = nullptr;
    QPointer<TooltipPanel> m_tooltipPanel;
};
