// The Equation Solver page: the mode list, the reduced input line the keys type into, the Space / Add /
// Solve buttons, and either the typeset equation with its roots (mode 0) or the table of equations with a
// delete button each and the row "Tap here to add new equation..." (mode 1; after solving, the unknowns
// in its place until the input line is touched). Formulas are painted by the models' Draw through a
// QtCanvas; the table is rebuilt from describe() whenever its rows change.
#pragma once

#include <QWidget>
#include <nlohmann/json.hpp>

class GuiContext;
class EquationSolverView;
class LiteLineWidget;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;
class MimeCanvas;

class EquationSolverWidget : public QWidget {
    Q_OBJECT
  public:
    EquationSolverWidget(EquationSolverView& model, GuiContext& context, QWidget* parent = nullptr);
    ~EquationSolverWidget() override;
    void refresh();

    // Parts the tests drive.
    QComboBox* modes() const { return m_modes; }
    LiteLineWidget* inputLine() const { return m_line; }
    QPushButton* button(const QString& name) const;
    // The rows of the mode-1 table in order (equations, then the add row; or the result rows).
    const std::vector<QWidget*>& tableRows() const { return m_rows; }
    QWidget* formula() const;

  private:
    void rebuildTable(const nlohmann::json& rows);
    QWidget* equationRow(int index, const nlohmann::json& row);
    QWidget* resultRow(int index);

    EquationSolverView& m_model;
    GuiContext& m_context;
    QComboBox* m_modes;
    LiteLineWidget* m_line;
    QPushButton* m_blank;
    QPushButton* m_enter;
    QPushButton* m_equals;
    QStackedWidget* m_pages;
    QScrollArea* m_formulaScroll;
    MimeCanvas* m_formula;
    QScrollArea* m_tableScroll;
    QWidget* m_table = nullptr;
    std::vector<QWidget*> m_rows;
    bool m_updating = false;
    nlohmann::json m_shownRows;
};
