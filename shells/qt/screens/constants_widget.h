// The Constants page of the strip (ConstantView): the field buttons (group, sub-group, and in a group with
// two levels a sub-sub-group), each sending its key code to the calculator, whose list opens in the
// window's list panel; the value list of the innermost sub-group; the chosen value and the Insert button
// (key 173) that puts it into the input line.
#pragma once

#include <QWidget>
#include <array>

class GuiContext;
class ConstantView;
class QLabel;
class QPushButton;
class QTreeWidget;

class ConstantsWidget : public QWidget {
    Q_OBJECT
  public:
    ConstantsWidget(ConstantView& model, GuiContext& context, QWidget* parent = nullptr);
    ~ConstantsWidget() override;
    void refresh();

    // Parts the tests drive: the field buttons by name ("group", "subgroup1", "subgroup2", "value"), the
    // value list.
    QPushButton* fieldButton(const std::string& field) const;
    QTreeWidget* valueList() const { return m_constants; }
    // The value caption as the model gives it (the label shows it elided to its width).
    QString valueText() const { return m_valueText; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void tapField(const char* field);

    ConstantView& m_model;
    std::array<QLabel*, 3> m_headings{};
    std::array<QPushButton*, 3> m_fields{};  // group, subgroup1, subgroup2
    std::array<QString, 3> m_fieldTexts;
    QString m_valueText;
    QTreeWidget* m_constants;
    QLabel* m_value;
    QPushButton* m_insert;
    std::string m_shownList;  // the value list as shown (names and values), to rebuild only on change
    bool m_updating = false;
};
