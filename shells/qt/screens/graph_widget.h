// The Graph page's screen, above the Graph keys: the three function lines y1, y2, y3 (reduced input lines;
// a click selects one and places its caret), a colour button beside each, and the Plot button that shows
// the plot over the calculator. A colour button turns the panel into the 16-colour picker until a colour
// is chosen or the picker is closed.
#pragma once

#include <QWidget>
#include <array>

class GuiContext;
class GraphView;
class LiteLineWidget;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

class GraphWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kLines = 3;
    static constexpr int kColours = 16;

    GraphWidget(GraphView& model, GuiContext& context, QWidget* parent = nullptr);
    ~GraphWidget() override;
    void refresh();

    // Parts the tests drive.
    LiteLineWidget* line(int index) const { return m_lines.at(static_cast<size_t>(index)); }
    QToolButton* colourButton(int index) const { return m_colourButtons.at(static_cast<size_t>(index)); }
    QToolButton* swatch(int index) const { return m_swatches.at(static_cast<size_t>(index)); }
    QPushButton* plotButton() const { return m_plot; }
    QPushButton* pickerClose() const { return m_pickerClose; }
    bool pickerShown() const;

  private:
    QWidget* buildLines(GuiContext& context);
    QWidget* buildPicker();

    GraphView& m_model;
    QStackedWidget* m_stack;
    std::array<LiteLineWidget*, kLines> m_lines{};
    std::array<QLabel*, kLines> m_labels{};
    std::array<QToolButton*, kLines> m_colourButtons{};
    std::array<QToolButton*, kColours> m_swatches{};
    QPushButton* m_plot = nullptr;
    QLabel* m_pickerTitle = nullptr;
    QPushButton* m_pickerClose = nullptr;
};

// The style sheet of a button that shows a colour.
QString SwatchStyle(int red, int green, int blue, bool selected = false);
