// The calculator display: draws the display model through a QtCanvas scaled to the widget, and hands mouse
// and touch presses to the model's touch handling (indicators, caret, scroll arrows, drag scrolling).
#pragma once

#include <QWidget>
#include <functional>

class MyLedView;

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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPointF toLogical(const QPointF& p) const;
    double scale() const;

    MyLedView& m_display;
    std::string m_resources;
    bool m_flash = false;
};
