// The calculator display: its state (angle mode, base, notation, bit width, shift, memory and expression
// selection, display category), the command dispatcher that turns key codes into edits and
// evaluations, the memories, the history and their files.
//
// Every key meant for the calculator arrives at InputCommand(). The input mode of the current category
// (CCategoryInputModeManager, g_pInputMode; string mode everywhere while it is null) decides what a key
// does: in string mode it edits the input line, in basic mode it sends command words to the engine's
// immediate-mode stack and shows the current value, in RPN mode it edits the entry and drives the RPN
// stack, shown in two stack lines. The "=" of string mode is evaluated by the main controller
// (calculateValue), which hands the result back through InputResult() and kKeyEquals.
//
// Display categories are 0..11; category ids 0 and 1 share display category 0. Each display category
// has five stored lines (the expression slots) and five memories. Engine thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/display/history.h"
#include "app/display/input_line.h"
#include "app/display/led_drawing.h"
#include "app/display/led_view_lite.h"
#include "app/display/memory.h"
#include "app/display/raw_expression_input.h"
#include "app/keys/key_codes.h"
#include "numeric/errors.h"
#include "numeric/qlib.h"
#include "platform/platform.h"

inline constexpr const char* kLedStateFileName = "led_v14.dat";
inline constexpr const char* kLedHistoryFileName = "history_v14.dat";

// Which indicators are drawn (and which indicator touches act).
struct LedIndicators {
    bool base = false, mode = false, notation = false, memory = false, expression = false, formula = false,
         bitWidth = false;
};

class MyLedView {
  public:
    static constexpr int kDisplayCategories = kDisplayCategoryCount;
    static constexpr int kExpressionSlots = 5;
    static constexpr int kMemories = 5;
    static constexpr double kArrowRepeat = 0.15;  // seconds between repeats while a scroll arrow is held

    // metrics measures the text of the input line (not owned; null measures everything 0 wide).
    MyLedView(Platform& platform, const Canvas* metrics);
    ~MyLedView();
    MyLedView(const MyLedView&) = delete;
    MyLedView& operator=(const MyLedView&) = delete;

    // Start-up after construction: reads the state and history files of the documents folder (missing
    // or damaged files leave the empty state), resets the immediate-mode stack, selects expression slot 0
    // and switches to categoryId.
    void Start(int categoryId);
    // Termination: writes the state file, then the history file.
    void appWillTerminate();

    // ---- the dispatcher --------------------------------------------------------------------------------
    // Applies one key code (unknown codes only clear the shift state). Every command clears "=" and the
    // engine error code first, sets the engine's angle mode and bit width from the display afterwards,
    // posts "ReleaseSHIFTButon" (portrait) or "LandscapeReleaseSHIFTButton" unless it left shift on, and
    // asks for a redraw. An engine error left by the command vibrates and is shown as its message (the
    // result line in string mode, the input line otherwise) and then cleared.
    void InputCommand(int code);

    int GetMode() const { return m_iMode; }
    int GetBase() const { return m_iBase; }
    int GetNotation() const { return m_iNotation; }
    int GetBitWidth() const { return m_iBitWidth; }
    int GetMemory() const { return m_iMemory; }
    int GetExpressionIndex() const { return m_iExpression; }
    // Radix of the base: 2, 8, 10, 16 (10 for an unknown code).
    int GetNumBaseDigit() const;
    bool IsShiftEnable() const { return m_bShift; }
    bool IsEqual() const { return m_bEqual; }
    // Display category 0..11, -1 before the first switch; the category id given to SwitchToCategory.
    int GetCurCategory() const { return m_iCategory; }
    int GetCurrentFunction() const { return m_nCurrentFunction; }
    // The input mode of the current category: kInputModeString, kInputModeBasic or kInputModeRPN.
    int CurrentInputMode() const;
    const LedIndicators& indicators() const { return m_flags; }
    bool showsCaret() const { return m_bShowCaret; }
    bool isRPNShown() const { return m_bRPNMode; }
    const std::u16string& GetCurOperator() const { return m_sCurOperator; }
    const std::string& GetRPNInputString() const { return m_sRPNInputString; }
    // The error code the last command showed (0 when none).
    int lastErrorCode() const { return m_nLastError; }

    // The result line; isValue is false for a message in place of a result (the memory keys then find no
    // value to store).
    void InputResult(const std::u16string& text, bool isValue = true);
    const std::u16string& GetResult() const { return m_sResultOutput; }
    bool resultIsValue() const { return m_bResultIsValue; }
    // The last result: the display's own in string mode, the immediate-mode result otherwise.
    qcmplx GetLastResult() const;
    // Keeps a string-mode result and the engine text it came from (the "=" bridge).
    void SetLastResult(const QELT* value);
    void SetParsedInput(const std::string& engineText) { m_sParsedInput = engineText; }
    const std::string& GetParsedInput() const { return m_sParsedInput; }

    // Selects a category id; ids of 12 and above are ignored. Sets the indicators, forces DEC outside the
    // Base Conversion category (keeping that category's base) and, when the display category changes,
    // saves the active line into its slot and loads the new category's line of the current slot.
    void SwitchToCategory(int categoryId);
    // Saves the active line into the current slot and loads slot 0..4 of the display category.
    void setCurExpressionIndex(int slot);
    // Shows (true) or hides the two RPN stack lines.
    void switchToRPNMode(bool rpn);
    // Shows the two top levels of the RPN stack in the stack lines.
    void updateResultFromStackToLED();
    // Shows the RPN entry on the input line.
    void updateRPNStringToLED();
    // Pushes the RPN entry on the stack and ends it (ENTER); nothing is sent for an empty entry but the
    // ending word.
    void addStringToRPNStack();
    // After the settings closed: kKeyClear, the category again, a redraw.
    void UpdateSettingChanges();
    // After a rotation: new regions for g_nCurScreenMode, the category of that screen mode again
    // (g_CurrentFunction in portrait, g_curLandScapeFunction in landscape), caret at the end.
    void UpdateRotation();

    // ---- the input line ---------------------------------------------------------------------------------
    InputLine& line() { return m_line; }
    const InputLine& line() const { return m_line; }
    // Empties the line, the engine text and the result line, zeroes the last result and returns to the
    // notation remembered before a temporary change (g_nPreNotation).
    void Clear();
    // A number or result text into the line (output format g_sOutputMode, the current category and base).
    bool InsertString(const std::u16string& text, bool clearFirst);
    // The engine text of the line.
    std::string OutputParsedString() const;
    // The RPN stack lines (level 2 is index 0, level 1 index 1).
    const MyLedViewLite& stackLine(int index) const { return *m_stackLines[index == 0 ? 0 : 1]; }

    // ---- memories ----------------------------------------------------------------------------------------
    // Memory 0..4 (M1..M5) of display category 0..11; null outside.
    const _RAW_MEMORY* memory(int memoryIndex, int category) const;
    // Memory arithmetic: the selected memory op= operand (a result text), evaluated in the current radix;
    // an empty operand or an engine error leaves the memory as it was (the error is cleared).
    void DoMemory(const std::u16string& op, const std::u16string& operand);

    // ---- history -----------------------------------------------------------------------------------------
    const LedHistory& GetCurrentCategoryHistory() const { return m_history; }
    // Loads history entry 0..119 into the line; other indices do nothing.
    void SetHistoryToLED(int index);
    void clearHistory();
    // Opens the "mailto:" address with the history as body; false (nothing opened) for an empty history.
    bool forwardHisToMail(const std::optional<MailRecipient>& recipient = std::nullopt);

    // ---- files -------------------------------------------------------------------------------------------
    // The state file: SaveData first saves the active line into its slot. LoadData keeps the current
    // state when the file is missing or damaged, and sets g_nPreNotation to the loaded notation.
    bool SaveData(const std::string& path);
    bool LoadData(const std::string& path);
    // Reads (load) or writes the history file; false when it could not be read or written.
    bool HistoryArchive(const std::string& path, bool load);

    // ---- drawing and touches -------------------------------------------------------------------------
    const LedRegions& regions() const { return m_rcRegions; }
    // Clears to white and draws the content (DrawLEDContent).
    void drawRect(Canvas& canvas);
    // Touches in view coordinates. Down remembers the point, places the caret in the input region and
    // starts the 0.15 s repeat of an active scroll arrow; up acts on the area touched down (indicator
    // commands, one arrow step unless the repeat acted, "ShowCurrentHistory" in string mode).
    // A move after a touch down in the input region scrolls the line object by object.
    void touchDown(CanvasPoint p);
    void touchMoved(CanvasPoint p);
    void touchUp(CanvasPoint p);

    // Redraw requests: a counter and an optional callback for the shell's view.
    std::function<void()> onNeedsDisplay;
    int redrawRequests() const { return m_nRedrawRequests; }

  private:
    // dispatcher parts (led_view.cpp)
    bool CommonCommand(int code, int inputMode);
    void CycleBase();
    void CycleBitWidth();
    void SetNotation(int code);
    void ShowError(int code, int inputMode);
    void PostShiftRelease();
    void setNeedsDisplay();
    void SaveActiveLine();
    void LoadActiveLine();
    LineTextFormat Format() const;
    // string mode (led_view_string_mode.cpp)
    void StringModeCommand(int code);
    void ConvertLine(int fromRadix, int toRadix);
    void PushHistory();
    // basic mode (led_view_basic_mode.cpp)
    void BasicModeCommand(int code);
    bool SendOperandFunction(int code);
    void ShowImodeValue(bool afterEquals);
    void ShowLineText(const std::u16string& text, bool message);
    // RPN mode (led_view_rpn_mode.cpp)
    void RPNModeCommand(int code);
    bool EditRPNEntry(int code);
    std::u16string StackLevelText(const qcmplx& value, bool& invalid) const;
    // shared by basic and RPN mode: value in the current base as command words of a new entry
    void PushValueAsEntry(const qcmplx& value, bool rpn);
    std::u16string DisplayedValueText() const;
    // memories (memory.cpp)
    void MemoryCommand(int code, int inputMode);
    _RAW_MEMORY& SelectedMemory();
    std::u16string MemoryTextInCurrentRadix(const _RAW_MEMORY& memory);
    std::u16string StringModeMemoryOperand() const;
    std::u16string ValueOnDisplay() const;
    void RecallMemory(int inputMode);
    // touches (led_drawing.cpp)
    void IndicatorTouch(LedArea area);
    void StopArrowRepeat();

    Platform& m_platform;
    const Canvas* m_pMetrics;
    InputLine m_line;
    std::unique_ptr<MyLedViewLite> m_stackLines[2];

    int m_iNotation = kKeyNotationNorm;
    int m_iMode = kKeyAngleDeg;
    int m_iBase = kKeyBaseDec;
    int m_iBaseConversionCategory = kKeyBaseDec;
    int m_iBitWidth = kKeyWidth8;
    int m_iMemory = kKeyMemory1;
    int m_iExpression = 0;
    int m_iPrevExpression = 0;
    int m_iCategory = -1;
    int m_iPrevCategory = -1;
    int m_nCurrentFunction = -1;
    bool m_bEqual = false;
    bool m_bShift = false;
    LedIndicators m_flags;
    bool m_bShowCaret = true;
    bool m_bRPNMode = false;
    std::u16string m_sResultOutput;
    bool m_bResultIsValue = false;     // the result line holds a value (not a message)
    bool m_bLineShowsMessage = false;  // basic/RPN mode: the line holds a message instead of the value
    std::string m_sParsedInput;
    std::u16string m_sCurOperator;
    QELT m_dLastResult[NQ] = {};
    qcmplx m_cplCurValue{};
    std::string m_sRPNInputString;
    int m_nCurCommandInput = kKeyNone;
    int m_nLastError = kErrNone;

    std::vector<_RAW_EXPRESSION_INPUT> _arrCurRawInputStr;  // [category * 5 + slot]
    std::vector<_RAW_MEMORY> m_pRawMS;                      // [memory * 12 + category]
    LedHistory m_history;

    LedRegions m_rcRegions;
    int m_nRedrawRequests = 0;
    std::optional<CanvasPoint> m_touchDown;
    RunLoop::TimerId m_repeatTimer = 0;
    bool m_bRepeated = false;
    bool m_bDragging = false;
    NotificationCenter::Token m_rotationToken = 0;

    friend void DrawLEDContent(MyLedView& view, Canvas& canvas);
};
