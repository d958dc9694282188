#include "app/screens/equation_solver/equation_solver_view.h"

#include <algorithm>

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/screens/equation_solver/equation_results.h"
#include "app/screens/equation_solver/equation_text.h"
#include "app/screens/key_code_object.h"
#include "app/util/le_bytes.h"

using namespace equation_solver;
using nlohmann::json;

namespace {

const char* const kEnterNotification = "EquationSolver-EnterAKeycode";

// The code that types one character of a parameter list (the keys the solver passes on), or kKeyNone.
int CodeOfCharacter(char16_t c) {
    static const int kDigits[] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    if (c >= u'0' && c <= u'9') return kDigits[c - u'0'];
    switch (c) {
        case u'.':
            return kKeyDecimal;
        case u'/':
            return kKeyLiteDivide;
        case u'-':
            return kKeyLiteMinus;
        case u' ':
            return kKeyLiteBlank;
        default:
            return kKeyNone;
    }
}

// The code the input line gets for a key of the category, or kKeyNone for a key the solver ignores.
int LineCode(int code) {
    if (IsDecimalDigitKey(code)) return code;
    switch (code) {
        case kKeyDecimal:
        case kKeyClear:
        case kKeyDelete:
        case kKeyCaretLeft:
        case kKeyCaretRight:
        case kKeyLiteBlank:
            return code;
        case kKeyDivide:
            return kKeyLiteDivide;
        case kKeyChangeSign:
            return kKeyLiteMinus;
        default:
            return kKeyNone;
    }
}

// The TeX of a view of the equation table or of a result row.
std::string EquationTex(const std::string& text) {
    if (text.empty()) return "\\text{Empty}";
    if (text.size() >= kMaxFormulaText) return "\\text{Overlength}";
    return FormulaTex(toFunctionString(text));
}

std::string ResultRowTex(const std::string& line) {
    if (line.empty()) return "\\text{Empty}";
    if (line.size() >= kMaxFormulaText) return "\\text{Overlength}";
    return line;
}

json ViewJson(const MIMEView& view) {
    return {{"tex", view.tex()}, {"width", view.width()}, {"height", view.height()}};
}

}  // namespace

EquationSolverView::EquationSolverView(ScreenContext& context)
    : m_context(context), m_input(context.metrics, &context.platform.runLoop, nullptr) {
    m_input.m_bIsEquationSolverMode = true;
    m_input.delegate = this;
    m_input.setSelectedState(true);
    m_context.platform.notifications.addObserver(
        kEnterNotification, [this](const Notification& n) { enterAKeycode(KeyCodeOfObject(n.object)); },
        this);
    loadInfo();
    changeInterfaceToMode(m_nMode);
}

EquationSolverView::~EquationSolverView() {
    m_context.platform.notifications.removeObserversOf(this);
}

const std::vector<std::string>& EquationSolverView::modeTitles() {
    static const std::vector<std::string> titles = {"1 - 4 Equation Solver",
                                                    "N - Simultaneous Equations Solver"};
    return titles;
}

std::string EquationSolverView::inputText() const {
    return U16ToUtf8(m_input.line().GetRawInputString());
}

// ---- typing ---------------------------------------------------------------------------------------------

void EquationSolverView::enterAKeycode(int code) {
    if (m_bResultsShown) return;
    if (code == kKeyEquals) {
        onCalculate();
        return;
    }
    if (code == kKeySolverEnter) {
        if (m_nMode == kModeSystem) addExpression();
        return;
    }
    const int lineCode = LineCode(code);
    if (lineCode != kKeyNone) Type(lineCode);
}

void EquationSolverView::Type(int code) {
    const std::string before = inputText();
    const int caret = m_input.line().caret();
    m_input.InputCommand(code);
    std::string text = inputText();
    // An empty line stays empty (C, or the last character deleted); any other refused edit is taken back
    // whole, whatever the key did (a refused deletion must not cost a further character).
    if (!text.empty() && !ValidateParameters(text, m_nMode == kModeSystem)) {
        SetLineText(before);
        m_input.line().MoveCaret(caret - m_input.line().objectCount());
        text = before;
    }
    if (m_nMode == kModePolynomial) {
        m_sPolynomial = text;
        m_bInvalidShown = false;
        showEquation();
    } else if (m_nEditIndex >= 0 && m_nEditIndex < equationCount()) {
        m_equations[static_cast<size_t>(m_nEditIndex)] = text;
        UpdateEquationView(m_nEditIndex);
    }
    changed();
}

// Every character of a list is one object of the line, as the keys insert them; the text goes in as it
// is, without the decimal-mark and operator-sign substitutions of typed strings.
void EquationSolverView::SetLineText(const std::string& text) {
    InputLine& line = m_input.line();
    line.Clear();
    for (char c : text)
        line.InsertObject(std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(c))));
    line.CaretToEnd();
}

bool EquationSolverView::enterText(std::string_view field, const std::u16string& text) {
    if (field != "input" || m_bResultsShown) return false;
    enterAKeycode(kKeyClear);
    for (char16_t c : text) {
        const int code = CodeOfCharacter(c);
        if (code == kKeyNone) return false;
        enterAKeycode(code == kKeyLiteMinus ? kKeyChangeSign : code == kKeyLiteDivide ? kKeyDivide : code);
    }
    return m_input.line().GetRawInputString() == text;
}

// ---- mode 0 ---------------------------------------------------------------------------------------------

void EquationSolverView::showEquation(const std::vector<std::string>& lines) {
    std::string text;
    if (m_bInvalidShown) {
        text = kInvalidListTex;
    } else if (m_sPolynomial.empty()) {
        text = kEmptyFormula;
    } else if (m_sPolynomial.size() >= kMaxFormulaText) {
        text = "\\text{Overlength!}";
    } else {
        text = m_sPolynomial.find("\\text{") != std::string::npos ? m_sPolynomial
                                                                  : toEquationString(m_sPolynomial);
    }
    text = FormulaTex(text);
    for (const std::string& line : lines) text += "\\\\" + line;
    m_results = lines;
    m_formula.setTex(text);
}

void EquationSolverView::onCalculate() {
    if (m_nMode == kModePolynomial) {
        m_sPolynomial = inputText();
        const SolverOutcome o = SolvePolynomial(m_sPolynomial);
        m_bInvalidShown = o.invalidList;
        std::vector<std::string> lines;
        if (!o.invalidList)
            for (const SolverLine& l : o.lines) lines.push_back(l.tex);
        showEquation(lines);
        changed();
        return;
    }
    // The add row's typed text is no equation until the enter key appends it.
    const SolverOutcome o = SolveSystem(m_equations);
    if (!o.alert.empty()) {
        m_context.platform.alerts.show(AlertRequest{"Warning!", o.alert, {"OK"}}, [](int) {});
        return;
    }
    m_results.clear();
    for (const SolverLine& l : o.lines) m_results.push_back(l.tex);
    showResults();
}

// ---- mode 1 ---------------------------------------------------------------------------------------------

void EquationSolverView::showResults() {
    m_bResultsShown = true;
    SetLineText(kHideResultsText);
    m_input.setSelectedState(false);
    m_resultViews.clear();
    for (const std::string& line : m_results) m_resultViews.emplace_back(ResultRowTex(line));
    changed();
}

void EquationSolverView::HideResults() {
    m_bResultsShown = false;
    // The line goes back to what it edits: the next key must not overwrite an equation with one character.
    ShowEditedEquation();
    m_input.setSelectedState(true);
    m_resultViews.clear();
    m_results.clear();
}

void EquationSolverView::ShowEditedEquation() {
    const bool editing = m_nMode == kModeSystem && m_nEditIndex >= 0 && m_nEditIndex < equationCount();
    SetLineText(editing ? m_equations[static_cast<size_t>(m_nEditIndex)] : "");
}

void EquationSolverView::selectedMyLedViewLite(MyLedViewLite*) {
    if (!m_bResultsShown) return;
    HideResults();
    changed();
}

void EquationSolverView::UpdateEquationView(int index) {
    m_equationViews.at(static_cast<size_t>(index))
        .setTex(EquationTex(m_equations[static_cast<size_t>(index)]));
}

void EquationSolverView::addExpression() {
    if (m_nMode != kModeSystem || m_bResultsShown || m_nEditIndex != equationCount()) return;
    const std::string text = inputText();
    if (!FinalValidateParameters(text, true)) return;
    m_input.line().Clear();
    m_equations.push_back(text);
    m_equationViews.emplace_back();
    UpdateEquationView(equationCount() - 1);
    ++m_nEditIndex;
    changed();
}

void EquationSolverView::editMimeView(int index) {
    if (m_nMode != kModeSystem || m_bResultsShown || index < 0 || index > equationCount()) return;
    m_nEditIndex = index;
    ShowEditedEquation();
    changed();
}

void EquationSolverView::onDelete(int index) {
    if (m_nMode != kModeSystem || m_bResultsShown || index < 0 || index >= equationCount()) return;
    m_equations.erase(m_equations.begin() + index);
    m_equationViews.erase(m_equationViews.begin() + index);
    m_nEditIndex = equationCount();
    changed();
}

// ---- modes and the info file ----------------------------------------------------------------------------

void EquationSolverView::selectItemAtIndex(int index) {
    if (index != kModePolynomial && index != kModeSystem) return;
    m_nMode = index;
    changeInterfaceToMode(index);
}

void EquationSolverView::changeInterfaceToMode(int mode) {
    m_nMode = mode == kModeSystem ? kModeSystem : kModePolynomial;
    if (m_bResultsShown) HideResults();
    m_results.clear();
    m_resultViews.clear();
    m_bInvalidShown = false;
    if (m_nMode == kModePolynomial) {
        SetLineText(m_sPolynomial);
        showEquation();
    } else {
        m_nEditIndex = std::clamp(m_nEditIndex, 0, equationCount());
        ShowEditedEquation();
    }
    changed();
}

void EquationSolverView::loadInfo() {
    m_nMode = kModePolynomial;
    m_nEditIndex = 0;
    const auto bytes =
        m_context.platform.storage.readFile(DocumentPath(m_context.platform.storage, kInfoFile));
    if (!bytes || bytes->size() != 8) return;
    LeReader in(*bytes);
    in.i32();  // the edited index: the equations it pointed into are gone
    const int mode = in.i32();
    if (mode == kModePolynomial || mode == kModeSystem) m_nMode = mode;
}

bool EquationSolverView::saveInfo() const {
    LeWriter out;
    out.i32(m_nEditIndex);
    out.i32(m_nMode);
    Storage& storage = m_context.platform.storage;
    return storage.writeFileAtomically(DocumentPath(storage, kInfoFile), out.bytes());
}

// ---- screen interface -----------------------------------------------------------------------------------

bool EquationSolverView::pick(std::string_view list, int index) {
    if (list != "modes" || index < 0 || index >= static_cast<int>(modeTitles().size())) return false;
    selectItemAtIndex(index);
    return true;
}

bool EquationSolverView::tap(std::string_view element) {
    auto indexAfter = [&](std::string_view prefix, int& index) {
        if (element.substr(0, prefix.size()) != prefix) return false;
        const std::string digits(element.substr(prefix.size()));
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        index = std::stoi(digits);
        return true;
    };
    int index = 0;
    if (element == "input") {
        selectedMyLedViewLite(&m_input);
    } else if (element == "blank") {
        enterAKeycode(kKeyLiteBlank);
    } else if (element == "enter") {
        if (m_nMode != kModeSystem) return false;
        enterAKeycode(kKeySolverEnter);
    } else if (element == "equals") {
        enterAKeycode(kKeyEquals);
    } else if (indexAfter("row:", index)) {
        if (m_nMode != kModeSystem || m_bResultsShown || index > equationCount()) return false;
        editMimeView(index);
    } else if (indexAfter("delete:", index)) {
        if (m_nMode != kModeSystem || m_bResultsShown || index >= equationCount()) return false;
        onDelete(index);
    } else {
        return false;
    }
    return true;
}

json EquationSolverView::describe() const {
    json j;
    j["mode"] = m_nMode;
    j["mode_title"] = modeTitles()[static_cast<size_t>(m_nMode)];
    j["modes"] = modeTitles();
    j["input"] = inputText();
    j["input_selected"] = m_input.blSelected();
    j["edited"] = m_nEditIndex;
    j["results_shown"] = m_bResultsShown;
    j["enter_enabled"] = m_nMode == kModeSystem && !m_bResultsShown && m_nEditIndex == equationCount();
    j["results"] = m_results;
    if (m_nMode == kModePolynomial) {
        j["formula"] = ViewJson(m_formula);
        j["formula"]["markup"] = m_formula.markup();
        return j;
    }
    json rows = json::array();
    if (m_bResultsShown) {
        for (const MIMEView& v : m_resultViews) rows.push_back(ViewJson(v));
    } else {
        for (int k = 0; k < equationCount(); ++k) {
            json row = ViewJson(m_equationViews[static_cast<size_t>(k)]);
            row["number"] = std::to_string(k + 1) + ":";
            row["text"] = m_equations[static_cast<size_t>(k)];
            row["selected"] = k == m_nEditIndex;
            rows.push_back(row);
        }
        rows.push_back({{"add", true}, {"text", kAddRowText}, {"selected", m_nEditIndex == equationCount()}});
    }
    j["rows"] = rows;
    return j;
}
