// The Currency Converter and Unit Converter pages of the strip (one widget over UnitConverterView in
// either mode): the group button with the caption ("Currency (<date>)" in currency mode), three unit
// boxes, each a unit button and its value, the focused box framed; in currency mode the Update button with
// a busy indicator while the table downloads. The group list and the unit lists (favourites first, with
// their add and delete actions) cover the page while open. Values come from the calculator's results;
// C clears them; the model does both.
#pragma once

#include <QWidget>
#include <array>
#include <nlohmann/json.hpp>
#include <string>

class GuiContext;
class UnitConverterView;
class OverlayList;
class QPushButton;
class QProgressBar;
class QFrame;

class UnitConverterWidget : public QWidget {
    Q_OBJECT
  public:
    UnitConverterWidget(UnitConverterView& model, GuiContext& context, QWidget* parent = nullptr);
    ~UnitConverterWidget() override;
    void refresh();

    // Parts the tests drive.
    QPushButton* groupButton() const { return m_group; }
    QPushButton* unitButton(int box) const { return m_units[static_cast<size_t>(box - 1)]; }
    // The value as shown (a long one in a smaller font, or cut at its end; the tooltip holds it whole).
    QPushButton* valueButton(int box) const { return m_values[static_cast<size_t>(box - 1)]; }
    QPushButton* updateButton() const { return m_update; }
    QProgressBar* busyIndicator() const { return m_busy; }
    OverlayList* list() const { return m_list; }

  protected:
    // A new skin reaches the widget as a palette change from the window.
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QFrame* buildBox(int box);
    void showList(const nlohmann::json& d);
    void applySkin();
    void fitValue(size_t box);

    UnitConverterView& m_model;
    GuiContext& m_context;
    QPushButton* m_group;
    QPushButton* m_update = nullptr;
    QProgressBar* m_busy = nullptr;
    std::array<QFrame*, 3> m_boxes{};
    std::array<QPushButton*, 3> m_units{};
    std::array<QPushButton*, 3> m_values{};
    std::array<QString, 3> m_unitTexts;
    std::array<QString, 3> m_valueTexts;
    double m_valueFontSize = 12;
    QString m_groupText;
    OverlayList* m_list;
    std::string m_skinName;
    bool m_built = false;
};
