// The formula view: the input line's expression typeset. The formula is painted by the model's Draw
// through a QtCanvas; the model renders its bitmap at the screen's pixel density (setRenderScale) so the
// formula stays sharp on a dense screen. Under it, small, the engine text it was made from.
#pragma once

#include <QWidget>

class GuiContext;
class FormularView;
class QLabel;

class FormulaCanvas;

class FormulaViewWidget : public QWidget {
    Q_OBJECT
  public:
    FormulaViewWidget(FormularView& model, GuiContext& context, QWidget* parent = nullptr);
    ~FormulaViewWidget() override;
    void refresh();

    QWidget* canvas() const;

  private:
    FormularView& m_model;
    FormulaCanvas* m_canvas;
    QLabel* m_text;
};
