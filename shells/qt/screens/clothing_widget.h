// The clothing-size charts over the calculator (opened by the unit converter's first group entry): the
// chart button (it lists the charts), then one row per sizing system, its label beside a button with
// its size at the selected column ("N/A" where it has none); rows beyond the chart are disabled. A row's
// button lists that row's sizes; choosing one selects its column for every row. The lists cover the
// screen while open.
#pragma once

#include <QWidget>
#include <array>
#include <string>

class GuiContext;
class ClothingView;
class OverlayList;
class QLabel;
class QPushButton;

class ClothingWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRows = 8;

    ClothingWidget(ClothingView& model, GuiContext& context, QWidget* parent = nullptr);
    ~ClothingWidget() override;
    void refresh();

    // Parts the tests drive.
    QPushButton* chartButton() const { return m_chart; }
    QPushButton* rowButton(int row) const { return m_buttons[static_cast<size_t>(row)]; }
    QLabel* rowLabel(int row) const { return m_labels[static_cast<size_t>(row)]; }
    OverlayList* list() const { return m_list; }

  protected:
    // A new skin reaches the widget as a palette change from the window.
    void changeEvent(QEvent* event) override;

  private:
    void applySkin();

    ClothingView& m_model;
    QPushButton* m_chart;
    QLabel* m_hint;
    std::array<QLabel*, kRows> m_labels{};
    std::array<QPushButton*, kRows> m_buttons{};
    OverlayList* m_list;
    std::string m_skinName;
    bool m_built = false;
};
