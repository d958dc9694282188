// The RPN stack screen: the stack levels in a table (level 1, the top of the stack, in the bottom row),
// the entry row under them, and the screen's keypad of digits, ENTER and the stack commands.
//
// A click on a row focuses it (tap "row:K" / "entry"); keypad keys go to pressKeypad(index). Typed keys
// work too: digits, ".", Enter, Backspace, "-" for the sign, Up and Down move the focus between rows.
// The clear key's question is the model's alert. Everything shown is read back from describe().
#pragma once

#include <QWidget>
#include <nlohmann/json.hpp>

class GuiContext;
class RPNCalcView;
class KeyPad;
class QBoxLayout;
class QLabel;
class QTableWidget;

class RPNStackWidget : public QWidget {
    Q_OBJECT
  public:
    RPNStackWidget(RPNCalcView& model, GuiContext& context, QWidget* parent = nullptr);
    ~RPNStackWidget() override;
    void refresh();

    // Parts the tests drive.
    QTableWidget* table() const { return m_table; }
    KeyPad* keypad() const { return m_keypad; }
    // The centre of keypad key index (0 ENTER ... 22 Clear) in the keypad's coordinates.
    QPoint keyCentre(int index) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildKeypad();
    void press(int index);
    void fillRow(int row, const QString& order, const QString& value, bool focus, bool entry, bool message);
    // The model's row of a table row (the entry row follows the stack rows).
    void clickRow(int row);
    // Rows share the table's height (at least a line each; more rows scroll).
    void fitRows();

    RPNCalcView& m_model;
    GuiContext& m_context;
    QBoxLayout* m_body;
    QLabel* m_header;
    QTableWidget* m_table;
    KeyPad* m_keypad;
    int m_pressed = -1;
    nlohmann::json m_shown;
};
