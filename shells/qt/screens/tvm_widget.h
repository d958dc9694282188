// The time-value-of-money screen (TVMView): a row per box (the check button of the value to solve, the
// caption, which checks that button when tapped, and the box), the payment-type segments and the finance
// keypad; the boxes beside the keypad when the screen is wider than tall, above it otherwise. Desktop keys
// press the keypad's keys as on the loan form.
#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

class FinanceBox;
class FinancePad;
class GuiContext;
class KeyboardWidget;
class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class TVMView;

class TVMWidget : public QWidget {
    Q_OBJECT
  public:
    TVMWidget(TVMView& model, GuiContext& context, QWidget* parent = nullptr);
    ~TVMWidget() override;

    // Sets boxes, focus, the checked button and the payment type from the model.
    void refresh();

    // Parts the tests drive and read (field names as the model's).
    FinanceBox* box(const std::string& field) const;
    QAbstractButton* checkButton(const std::string& field) const;
    QWidget* caption(const std::string& field) const;
    QAbstractButton* segment(int index) const;
    KeyboardWidget* keypad() const;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QLayout* buildFields();
    void addFieldRow(QGridLayout* grid, int row, const std::string& field, const QString& caption,
                     bool checkable);
    QLayout* buildPaymentType(const nlohmann::json& description);

    TVMView& m_model;
    std::unique_ptr<FinancePad> m_keypad;
    QBoxLayout* m_layout;
    std::map<std::string, FinanceBox*> m_boxes;
    std::map<std::string, QAbstractButton*> m_checks;
    std::map<std::string, QWidget*> m_captions;
    QButtonGroup* m_segments = nullptr;
    bool m_updating = false;
};
