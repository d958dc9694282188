// What the loan, mortgage and time-value-of-money forms share: their text boxes with one focused box, the
// finance keypad and the insertion rules of its keys, the reading of a box text as a number, printf-style
// number texts that do not depend on the process locale, and the checks of box texts read back from a file.
//
// Finance keypad indices (the keypad widget reports the index of the released key; the forms take it
// through ScreenModel::pressKeypad):
//
//   index  key    the form ...
//   0      Calc   computes (loan and mortgage: calculateLoan, TVM: calculate)
//   1      C      inserts "D": the focused box becomes "0" (nothing when it is empty)
//   2..10  1..9   inserts the digit index - 1
//   11     0      inserts "0"
//   12     .      inserts "." (once per box)
//   13     ±      inserts "-": toggles the leading minus
//   14     ⌫      removes the last character of the focused box
//   15     Prev   moves the focus to the previous box (from the first to the last)
//   16     Next   moves the focus to the next box (from the last to the first)
//
// Engine thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/keyboards/small_keyboard.h"

// The keypad of the forms is the finance keypad: its indices are the form's keys.
using FinanceKeypad = SmallKeyboard;

// The text a key inserts ("D", "0".."9", ".", "-"); empty for the command keys and unknown indices.
std::string FinanceKeypadText(int index);

// The keypad index a character typed on a desktop keyboard stands for: "0".."9" the digits, "." and ","
// the point, "-" and "±" the sign, "c"/"C" the clear key, "=" the calculate key; -1 for any other
// character. Keys without a character (Enter, Backspace, Tab) are the shell's bindings.
int FinanceKeypadIndexOfCharacter(char32_t c);

// The insertion rules of the forms, applied to a box text t for one key text:
//  - t empty: any key but "D" makes t the key; "D" does nothing;
//  - "D": t becomes "0";
//  - ".": ignored when t already holds "."; else appended;
//  - "-": when t holds "-" its first character is removed; else "-" is put in front;
//  - a digit: replaces a t of exactly "0"; else it is appended.
// Other key texts change nothing.
void InsertFinanceText(std::string& t, std::string_view key);

// A box text read as a number the way the forms always have: the longest leading decimal number ("12.5"
// of "12.5-"), 0 for an empty text or one that starts with no number. Independent of the process locale.
// A number too large for a double reads as +/-infinity, so that the forms can refuse it.
double FinanceBoxValue(std::string_view text);

// printf's "%<width>.<precision>f" without the locale: "." is always the decimal point. NaN and infinities
// come out as printf writes them ("nan", "inf", "-inf").
std::string FinanceFixed(double value, int precision, int width = 0);

// Longest box text accepted from a data file; a solved TVM box of a huge value still fits.
inline constexpr size_t kMaxFinanceBoxText = 400;

// True for a text that a form's box can hold: at most kMaxFinanceBoxText characters, each a digit, "." or
// "-" (what the keypad and the TVM results write). Box texts from a file that fail this are not used.
bool IsFinanceBoxText(std::string_view text);

// The boxes of one form and the box with the focus.
class FinanceForm {
  public:
    struct Box {
        const char* name;         // field name of the screen interface ("amount", "nper", ...)
        const char* label;        // caption shown beside the box
        const char* defaultText;  // text before anything is entered or loaded
    };

    // The boxes in screen order; the first one has the focus.
    explicit FinanceForm(std::vector<Box> boxes);

    int count() const { return static_cast<int>(m_boxes.size()); }
    const Box& box(int index) const { return m_boxes[static_cast<size_t>(index)]; }
    // The index of a field name, -1 when the form has none of that name.
    int indexOf(std::string_view name) const;

    const std::string& text(int index) const { return m_texts[static_cast<size_t>(index)]; }
    const std::vector<std::string>& texts() const { return m_texts; }
    void setText(int index, std::string text) { m_texts[static_cast<size_t>(index)] = std::move(text); }
    // The box texts read as numbers (FinanceBoxValue), in box order.
    std::vector<double> values() const;

    int focus() const { return m_nFocus; }
    // A tap on a box: it takes the focus (ignored out of range).
    void selectTextBox(int index);

    // An editing key of the keypad (1 ... 16) on the focused box: true when the index is an editing key
    // (the calculate key and unknown indices give false and change nothing).
    bool pressEditKey(int index);
    // insertText on the focused box.
    void insertText(std::string_view key) { InsertFinanceText(m_texts[static_cast<size_t>(m_nFocus)], key); }

    // Typed text into a named box: the box takes the focus and its text is rebuilt from empty through the
    // insertion rules, one character at a time. Refused as a whole (false, nothing changes) for an unknown
    // field or a text with a character other than digits, "." and "-".
    bool enterText(std::string_view field, std::u16string_view typed);

    // Takes the first count() entries of a data file as the box texts when there are at least that many
    // and each is a box text (IsFinanceBoxText); otherwise returns false and changes nothing.
    bool applyTexts(const std::vector<std::string>& entries);
    // Every box to its default text, the focus to the first box.
    void reset();

    // The field names in order, and name -> label and name -> text objects for describe().
    nlohmann::json fieldsJson() const;
    nlohmann::json labelsJson() const;
    nlohmann::json textsJson() const;

  private:
    std::vector<Box> m_boxes;
    std::vector<std::string> m_texts;
    int m_nFocus = 0;
};
