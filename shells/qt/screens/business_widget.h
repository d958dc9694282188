// The percentage page of the strip (BusinessCalcView): the two form buttons, and a row per field (what it
// means in the form, the "=" beside the result field, the field in its state's colour: the focused one
// framed and bold, the result one on grey). A tap on a field goes to the model, which moves the states.
// The digits come from the calculator's keypad (and the desktop keys that press it): the page takes no
// keyboard focus.
#pragma once

#include <QWidget>
#include <array>
#include <nlohmann/json.hpp>

class GuiContext;
class BusinessCalcView;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLayout;
class QPushButton;
class TapLabel;

class BusinessWidget : public QWidget {
    Q_OBJECT
  public:
    BusinessWidget(BusinessCalcView& model, GuiContext& context, QWidget* parent = nullptr);
    ~BusinessWidget() override;

    void refresh();

    // Parts the tests drive and read.
    TapLabel* field(int index) const { return m_fields[static_cast<size_t>(index)]; }
    QLabel* caption(int index) const { return m_captions[static_cast<size_t>(index)]; }
    QLabel* equal(int index) const { return m_equals[static_cast<size_t>(index)]; }
    QAbstractButton* modeButton(int mode) const;
    QPushButton* menuButton() const { return m_menu; }

  private:
    QLayout* buildTop(const nlohmann::json& description);
    QLayout* buildFields(const nlohmann::json& description);

    BusinessCalcView& m_model;
    bool m_updating = false;
    QButtonGroup* m_modes;
    QPushButton* m_menu;
    std::array<QLabel*, 3> m_captions{};
    std::array<QLabel*, 3> m_equals{};
    std::array<TapLabel*, 3> m_fields{};
};
