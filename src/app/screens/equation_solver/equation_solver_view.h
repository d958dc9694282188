// The equation solver: the page of the Equation Solver category (12) with two modes, chosen from a list.
//
//   0 "1 - 4 Equation Solver": one polynomial of degree 1 to 4, typed as its coefficients from the highest
//     power down ("1 -3 2"); the formula view shows the equation and, after "=", its roots.
//   1 "N - Simultaneous Equations Solver": N linear equations in N unknowns, one coefficient list each
//     ("1 1 3" is X_1+X_2=3), listed in a table whose last row "Tap here to add new equation..." takes a
//     new one; "=" lists the unknowns in place of the equations until the input line is tapped.
//
// Typing goes to an embedded reduced input line (MyLedViewLite in equation-solver mode). Keys arrive as
// "EquationSolver-EnterAKeycode" (decimal text, posted by the main controller for every key of the
// category) and from the screen's own buttons: digits, "." (16), C (4), backspace (47), caret left and
// right (48, 49) and the blank (160) go to the line; ÷ (3) is sent as "/" (161) and ± (17) as "-" (158);
// = (19) computes; 7282 (the enter key of mode 1) appends the typed equation. Other codes are ignored, and
// every key is ignored while mode 1 lists its results. A keystroke that makes the list invalid (see
// equation_text.h) is undone at once: the line goes back to its text and caret before the key.
//
// File "EquationSolverInfo.inf" in the documents folder: two little-endian int32, the edited equation's
// index and the mode; written at termination. On load the index is set to 0 (the equations themselves are
// not kept); a missing or damaged file gives mode 0.
//
// Screen interface:
//   tap:       "input" (the input line: hides mode 1's results), "row:N" (mode 1: edit equation N, or the
//              add row when N is the number of equations), "delete:N" (mode 1: remove equation N),
//              "blank" (160), "enter" (7282), "equals" (19)
//   enterText: "input" (the text is typed key by key after a clear; true when the line then holds it)
//   pick:      "modes" (0 or 1)
//   describe:  "mode", "mode_title", "modes", "input" (the line's text), "input_selected", "edited",
//              "results_shown", "enter_enabled", "results" (the TeX result lines), and in mode 0 "formula"
//              ({"tex", "markup", "width", "height"}), in mode 1 "rows" (the table: per equation
//              {"number": "1:", "text", "tex", "width", "height", "selected"}, then {"add": true, "text":
//              "Tap here to add new equation...", "selected"}; while results are shown one {"tex",
//              "width", "height"} per result line)
// Drawing: formulaView(), equationView(i), resultView(i) (MIMEView::Draw) and inputLine() (its Draw).
#pragma once

#include <string>
#include <vector>

#include "app/display/led_view_lite.h"
#include "app/screens/equation_solver/mime_view.h"
#include "app/screens/screen_host.h"

class EquationSolverView : public ScreenModel, public MyLedViewLiteDelegate {
  public:
    static constexpr int kModePolynomial = 0;
    static constexpr int kModeSystem = 1;
    static constexpr const char* kInfoFile = "EquationSolverInfo.inf";
    static constexpr const char* kAddRowText = "Tap here to add new equation...";
    static constexpr const char* kHideResultsText = "Hide the result...";
    static constexpr const char* kEmptyFormula = "aX^4+bX^3+cX^2+dX+e=0";

    explicit EquationSolverView(ScreenContext& context);
    ~EquationSolverView() override;

    const char* name() const override { return "equation_solver"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool pick(std::string_view list, int index) override;
    void save() override { saveInfo(); }

    // A key of the category or of the screen's buttons (see the file comment).
    void enterAKeycode(int code);
    // "=": mode 0 shows the roots under the equation (or "\rightarrow\text{Invalid Parameters!}" in
    // place of it); mode 1 lists the unknowns (or "\rightarrow\text{Cannot be solved!}"), or shows a
    // "Warning!" alert when the equations do not fit together.
    void onCalculate();
    // Mode 0: the formula view shows the polynomial, then each line after a TeX line break.
    void showEquation(const std::vector<std::string>& lines = {});
    // Mode 1: lists the result lines in place of the equations.
    void showResults();
    // Mode 1, the enter key: appends the typed equation when the add row is edited and it is complete.
    void addExpression();
    // Mode 1: edits equation index (the add row at index == equationCount()), loading its text.
    void editMimeView(int index);
    // Mode 1: removes equation index; the add row becomes the edited row.
    void onDelete(int index);
    // The mode list: stores the mode and rebuilds the interface.
    void selectItemAtIndex(int index);
    void changeInterfaceToMode(int mode);
    void loadInfo();
    bool saveInfo() const;
    // The input line was touched: while mode 1 lists results they go and the equations come back.
    void selectedMyLedViewLite(MyLedViewLite* line) override;

    int mode() const { return m_nMode; }
    static const std::vector<std::string>& modeTitles();
    MyLedViewLite& inputLine() { return m_input; }
    std::string inputText() const;
    const MIMEView& formulaView() const { return m_formula; }
    int equationCount() const { return static_cast<int>(m_equations.size()); }
    const std::string& equation(int index) const { return m_equations.at(static_cast<size_t>(index)); }
    const MIMEView& equationView(int index) const { return m_equationViews.at(static_cast<size_t>(index)); }
    int editedIndex() const { return m_nEditIndex; }
    bool resultsShown() const { return m_bResultsShown; }
    // The result lines (TeX): of mode 0 under the formula, of mode 1 in the table.
    const std::vector<std::string>& resultLines() const { return m_results; }
    const MIMEView& resultView(int index) const { return m_resultViews.at(static_cast<size_t>(index)); }

  private:
    void Type(int code);
    void SetLineText(const std::string& text);
    void UpdateEquationView(int index);
    void HideResults();
    // The line shows the equation being edited (empty on the add row and in the polynomial mode).
    void ShowEditedEquation();

    ScreenContext m_context;
    MyLedViewLite m_input;
    int m_nMode = kModePolynomial;
    std::string m_sPolynomial;     // mode 0: the typed list
    bool m_bInvalidShown = false;  // mode 0: the formula shows the invalid-list text
    MIMEView m_formula;
    std::vector<std::string> m_equations;  // mode 1: the lists
    std::vector<MIMEView> m_equationViews;
    int m_nEditIndex = 0;
    std::vector<std::string> m_results;
    std::vector<MIMEView> m_resultViews;
    bool m_bResultsShown = false;
};
