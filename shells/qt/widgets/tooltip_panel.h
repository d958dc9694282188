// The visual function help of the calculator display: a small panel that hangs under the display while the
// caret stands on a function (and the tooltip setting is on), drawn by the tooltip model (name, syntax,
// example). It takes no clicks; whatever it covers stays usable around it.
#pragma once

#include <QWidget>
#include <string>

class MyLedView;
class FunctionTooltip;

class TooltipPanel : public QWidget {
    Q_OBJECT
  public:
    // parent is the display's parent; the panel is placed in its coordinates.
    TooltipPanel(const MyLedView& display, const FunctionTooltip& tooltip, std::string resourceFolder,
                 QWidget* parent);

    // Shows the tip the model gives now under displayGeometry (the display's rectangle in the parent),
    // magnified by scale (the display's, at most 1.6), or hides the panel when there is none.
    void sync(const QRect& displayGeometry, double scale);
    // The logical size the current tip needs; empty when none shows.
    QSizeF logicalSize() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const MyLedView& m_display;
    const FunctionTooltip& m_tooltip;
    std::string m_resources;
    double m_scale = 1;
};
