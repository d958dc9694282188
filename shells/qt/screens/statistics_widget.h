// The statistics data screen over the calculator (StatisticDataView, key DATA): the rows of the data set
// ("No.", "Value", "Count"), the entry row, "N: %d" and the screen's own 16-key keypad. A touch on a
// row's value or count selects it for editing; the keypad (or the desktop keyboard: digits, ".", "-",
// Return, Backspace, Delete) types into the selected component. The delete questions are the platform's
// alerts. Leaving (the window's Back, Escape) rebuilds the data set X of the statistics functions.
#pragma once

#include <QWidget>
#include <string>

class GuiContext;
class StatisticDataView;
class KeyPad;
class QBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

class StatisticsWidget : public QWidget {
    Q_OBJECT
  public:
    StatisticsWidget(StatisticDataView& model, GuiContext& context, QWidget* parent = nullptr);
    ~StatisticsWidget() override;
    void refresh();

    // Parts the tests drive.
    QTableWidget* table() const { return m_table; }
    QPushButton* entryValue() const { return m_entryValue; }
    QPushButton* entryCount() const { return m_entryCount; }
    QLabel* nLabel() const { return m_n; }
    KeyPad* keypad() const { return m_keypad; }

  protected:
    // A new skin reaches the widget as a palette change from the window.
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildKeypad();
    void setPressed(int slot, bool pressed);

    StatisticDataView& m_model;
    QBoxLayout* m_layout;
    QTableWidget* m_table;
    QLabel* m_entryCaption;
    QPushButton* m_entryValue;
    QPushButton* m_entryCount;
    QLabel* m_n;
    KeyPad* m_keypad;
    std::string m_shownRows;  // the rows as shown, to rebuild the table only on change
    std::string m_skinName;
    bool m_built = false;
};
