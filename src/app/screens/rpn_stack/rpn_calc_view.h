// The RPN stack screen ("RPN Stack"): every level of the engine's RPN stack in a table, an entry row for a
// new number, a keypad of digits, ENTER and the stack commands.
//
// The table has max(8, n) rows for n stack entries, top row first; the bottom row shows level 1 (the top
// of the stack) and the levels count upward, so an empty stack still shows eight empty levels. Below the
// table is the entry row (caption "Entry"). One row has the focus and receives the digit keys: the entry
// row (m_nStackId -1) or a stack row (m_nStackId = its level, 0-based from the top of the stack); a digit
// typed on a stack row overwrites that level at once.
//
// The screen opens over the calculator on "Orvane-open-rpn-stack" (key 192) and starts afresh each time:
// empty entry, entry focused, the stack read again in the display's base. Leaving it (element "back")
// lets the display show the stack's new top levels. All stack operations use the base the screen opened
// with.
//
// Elements (tap): "back"; "entry" (focus the entry row); "row:K" (focus table row K, 0 = top row; a row
// beyond the stack's depth takes no focus); "key:I" (the keypad key I, as pressKeypad). List (pick):
// "rows", the same as "row:K".
// Keypad (pressKeypad, index 0..22): 0 ENTER, 1 backspace, 2..10 the digits 1..9, 11 the digit 0, 12 the
// decimal point, 13 the sign, 14..21 "drop", "swap", "depth", "over", "roll", "pick", "keep", "last",
// 22 clear (asks first).
// describe(): "title", "base" (BIN/OCT/DEC/HEX), "depth" (n), "rows" (top first: "level", "order",
// "value", "focus"), "entry" ("caption", "text", "focus", "message"), "focus" ("entry" or "row:K"),
// "stackId", "message" (the entry row's message, "" when it shows a number), "keypad" (23 captions),
// "asking" (the clear question is open).
// Engine thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/screens/screen_host.h"

// One row of the table, or the entry row.
struct RPNItem {
    std::string order;  // the level number as text ("1" is the top of the stack); "Entry" for the entry row
    std::string value;  // the level's value, "" beyond the stack's depth; the entry's text
    bool focus = false;
    bool entry = false;
    int index = 0;  // row index in the table (the entry row follows the last table row)
};

class RPNCalcView : public ScreenModel {
  public:
    static constexpr int kKeypadKeys = 23;
    static constexpr int kMinimumRows = 8;
    // Longest text the keypad builds; further digits are refused.
    static constexpr size_t kMaxTextLength = 64;

    explicit RPNCalcView(ScreenContext& context);
    ~RPNCalcView() override;

    const char* name() const override { return "rpn_stack"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;
    bool pressKeypad(int index) override { return pressButton(index); }
    // Opening starts afresh (see the file comment); closing lets the display show the stack.
    void didShow() override;
    void didHide() override;

    // Reloads the stack texts from the engine in the screen's base (keeping the focus on its level while
    // that level still exists, else on the entry row).
    void updateRPNStackToTableView();
    // Focus on table row (0 = top row) or, for row == tableRowCount(), the entry row. False for a row
    // outside the table or beyond the stack's depth.
    bool selectedRPNItem(int row);
    // The keypad; false for an index outside 0..22 or a key that does nothing now (a digit the base does
    // not have, a full text).
    bool pressButton(int index);
    // The answer to the clear question: 0 ("YES") clears the stack.
    void alertViewClickedButtonAtIndex(int buttonIndex);

    int tableRowCount() const;
    RPNItem tableRow(int row) const;  // row 0..tableRowCount()-1
    RPNItem entryRow() const;
    int stackId() const { return m_nStackId; }
    int baseCode() const { return m_nBase; }
    // The entry row shows a message (an error of the last command) instead of a number.
    bool entryShowsMessage() const;
    const std::string& entryText() const { return m_sEntry; }
    // Caption of keypad key index ("ENTER", "DEL", "1" ... "Clear"); empty outside 0..22.
    static const char* KeypadCaption(int index);

  private:
    bool EditFocused(int index);
    void Enter();
    void RunStackCommand(const char* word);
    void ShowEngineError();
    std::string& FocusedText();
    int DepthIndexOfFocus() const;  // position from the bottom of the focused level
    bool WriteLevel(const std::string& text);

    ScreenContext& m_context;
    std::vector<std::string> arrRPNStr;  // bottom of the stack first
    std::string m_sEntry;                // the entry row's text: a number being typed, or a message
    int m_nStackId = -1;
    int m_nBase = 147;
    bool m_bAsking = false;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // lets a late alert answer see the screen went
};
