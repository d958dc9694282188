// The tip page of the strip (TipCalcView): the two sliders (percent to tip, number of people) with their
// values, and the result panel (bill, tip, total and the shares per person) shown or hidden as the model
// says; a hint takes the panel's place while it is hidden. The page takes no keyboard focus: typed keys
// stay with the calculator, whose "=" gives the page its bill.
#pragma once

#include <QWidget>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

class GuiContext;
class QLabel;
class QPushButton;
class QSlider;
class QFrame;
class QLayout;
class TipCalcView;

class TipWidget : public QWidget {
    Q_OBJECT
  public:
    TipWidget(TipCalcView& model, GuiContext& context, QWidget* parent = nullptr);
    ~TipWidget() override;

    void refresh();

    // Parts the tests drive and read.
    QSlider* tipSlider() const { return m_tipSlider; }
    QSlider* peopleSlider() const { return m_peopleSlider; }
    QFrame* resultPanel() const { return m_panel; }
    // A label of the page by the model's name ("tip", "total_per_person", "tip_percent_label", ...).
    QLabel* label(const std::string& name) const;
    QPushButton* menuButton() const { return m_menu; }

  private:
    QLayout* buildSliders(const nlohmann::json& description);
    QFrame* buildPanel(const nlohmann::json& description);
    QSlider* slider(const char* control, QWidget* parent);

    TipCalcView& m_model;
    bool m_updating = false;
    QSlider* m_tipSlider;
    QSlider* m_peopleSlider;
    QFrame* m_panel;
    QLabel* m_hint;
    QPushButton* m_menu;
    std::map<std::string, QLabel*> m_labels;
};
