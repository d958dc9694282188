// A reduced input line (the plotter's function lines, the equation solver's line) drawn through a QtCanvas.
//
// The line keeps its own logical height (its font follows it); the widget scales that height to its own and
// gives the line the logical width that fills the widget, so a wider window shows more of the line instead
// of larger text. Mouse presses, drags and releases go to the line's touch handling in its coordinates
// (the line tells its delegate it was touched, places the caret, scrolls, repeats on its arrows).
#pragma once

#include <QWidget>
#include <string>

class MyLedViewLite;

class LiteLineWidget : public QWidget {
    Q_OBJECT
  public:
    LiteLineWidget(MyLedViewLite& line, std::string resourceFolder, QWidget* parent = nullptr);
    ~LiteLineWidget() override;

    // Points of the line per widget pixel are 1 / scale().
    double scale() const;
    // A widget position in the line's coordinates.
    QPointF toLogical(const QPointF& p) const;
    // Drawn with a frame of the selection colour when the line is the selected one of its group.
    void setHighlighted(bool highlighted);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    MyLedViewLite& m_line;
    std::string m_resources;
    bool m_highlighted = false;
};
