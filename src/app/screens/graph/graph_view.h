// The plotter's entry screen: the page of the Graph category (13), above its mode keys.
//
// Three reduced input lines take up to three functions of x, one of them selected at a time (the first
// at start); each has a colour button that opens the 16-colour picker (graph_colors.h; defaults red,
// green, yellow; colours are not kept across runs). The open button shows the plot screen ("graph_plot",
// GraphPlotView) over the calculator with the three lines' engine texts and colours.
//
// Keys of the category reach the screen as "GraphView_enterACommand" (the key code as decimal text,
// posted by the main controller, also for picks in the Graph category's function list) and go to the
// selected line's InputCommand. The lines are kept in "graph_led1.dat" ... "graph_led3.dat" in the
// documents folder (one stored input line each), read when the screen is created and written at
// termination; a missing or damaged file gives an empty line.
//
// Screen interface:
//   tap:       "line1" ... "line3" (select that line), "color1" ... "color3" (open the picker for that
//              function), "picker_close" (close the picker without a choice), "open" (plot)
//   enterText: "line1" ... "line3" (the text replaces the line, through the line's insertion rules)
//   pick:      "colors" (0 ... 15, while the picker is open: the colour of the picker's function; the
//              picker closes), "functions" (a row of the Graph function list: its key goes to the
//              selected line)
//   describe:  "lines" (per line {"text", "engine", "selected", "color": [r, g, b]}), "selected" (0 ... 2),
//              "picker" ({"open", "function" (0 ... 2, -1 when closed), "colors": 16 x [r, g, b]}),
//              "functions" (the captions of the Graph function list)
// Drawing: line(i).Draw(canvas) for the input lines; the rest is plain controls.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/display/led_view_lite.h"
#include "app/screens/graph/graph_colors.h"
#include "app/screens/screen_host.h"

class GraphView : public ScreenModel, public MyLedViewLiteDelegate {
  public:
    static constexpr int kLines = 3;

    explicit GraphView(ScreenContext& context);
    ~GraphView() override;

    const char* name() const override { return "graph"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool pick(std::string_view list, int index) override;
    void save() override { saveData(); }

    // A key code for the selected line.
    void enterACommand(int code);
    // Shows the plot of the three lines over the calculator.
    void openGraph();
    // Opens the colour picker for function (0 ... 2) / closes it.
    void openColorPicker(int function);
    void closeColorPicker();
    // The picker's choice: the colour of the picker's function; the picker closes.
    void ColorPickerViewDidSelectColor(int red, int green, int blue);
    void saveData() const;
    void loadData();
    // A line was touched: it becomes the selected one.
    void selectedMyLedViewLite(MyLedViewLite* line) override;

    MyLedViewLite& line(int index) { return *m_lines.at(static_cast<size_t>(index)); }
    const MyLedViewLite& line(int index) const { return *m_lines.at(static_cast<size_t>(index)); }
    // The engine text of line index (what the plot evaluates).
    std::string engineText(int index) const;
    int selectedLine() const { return m_nSelected; }
    void selectLine(int index);
    const GraphColor& color(int index) const { return m_colors.at(static_cast<size_t>(index)); }
    bool pickerOpen() const { return m_nPickerFunction >= 0; }
    static std::string fileName(int index);  // "graph_led1.dat" ...

  private:
    ScreenContext m_context;
    std::array<std::unique_ptr<MyLedViewLite>, kLines> m_lines;
    std::array<GraphColor, kLines> m_colors = kDefaultGraphColors;
    int m_nSelected = 0;
    int m_nPickerFunction = -1;
};
