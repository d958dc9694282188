// The visual function help: while the caret of the input line stands on a function object ("sin(",
// "fnRoot(", the integral sign, " mod ", "sum(X)" ...) and the tooltip setting (g_bHelp) is on, the
// display shows the function's name, its syntax and one example, from the resource file
// "help/functions.txt".
//
// File format (UTF-8; lines ending in LF or CRLF):
//
//   # a comment
//   [OBJECT]                 starts the entry of an input-line object, written as the key inserts it
//                            without surrounding blanks ("sin(", "mod", "sum(X)", the integral sign
//                            followed by "(")
//   name: Sine               the function's name (required; an entry without one is dropped)
//   syntax: sin(angle)       how it is written
//   example: sin(30) = 0.5   one example as typed on the calculator, " = ", and what it shows
//   note: ...                optional: a limit or a hint
//
// Other lines are skipped. A missing or damaged file gives no entries and no tooltip, never a failure.
//
// The main controller owns one FunctionTooltip; the display's shell draws current() under the input
// line (Draw), and describe() is the tooltip's part of the headless state.
// Engine thread only.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/display/input_line.h"
#include "platform/canvas.h"
#include "platform/storage.h"

class MyLedView;

inline constexpr const char* kFunctionHelpFile = "help/functions.txt";

struct FunctionHelpEntry {
    std::string object;  // the key: the object's text without surrounding blanks
    std::string name, syntax, example, note;
};

class FunctionHelpCatalog {
  public:
    // Reads the file format above; entries already read stay when a later one repeats an object.
    static FunctionHelpCatalog Parse(std::span<const std::uint8_t> bytes);
    // resourceFolder()/help/functions.txt; empty when missing or larger than 1 MiB.
    static FunctionHelpCatalog Load(const Storage& storage);

    // The entry of an input-line object (blanks around it are ignored); null when there is none.
    const FunctionHelpEntry* find(std::u16string_view object) const;
    size_t size() const { return m_entries.size(); }
    const std::map<std::string, FunctionHelpEntry, std::less<>>& entries() const { return m_entries; }

  private:
    std::map<std::string, FunctionHelpEntry, std::less<>> m_entries;
};

// The tooltip shown now: its entry and the index of the object the caret stands on.
struct FunctionTip {
    FunctionHelpEntry entry;
    int objectIndex = -1;
};

class FunctionTooltip {
  public:
    explicit FunctionTooltip(const Storage& storage) : m_catalog(FunctionHelpCatalog::Load(storage)) {}
    explicit FunctionTooltip(FunctionHelpCatalog catalog) : m_catalog(std::move(catalog)) {}

    // The entry of the object at the line's caret, whatever the setting (none when the caret is after
    // the last object or the object has no entry).
    std::optional<FunctionTip> tipFor(const InputLine& line) const;
    // What the display shows: tipFor() while g_bHelp is on and the display shows its caret (string-mode
    // categories), unless the tooltip was closed and the display has not changed since.
    std::optional<FunctionTip> current(const MyLedView& display) const;
    // Closes the tooltip until the display's next change (a key, a touch): the main controller closes it
    // after "=".
    void close(const MyLedView& display);

    // The lines a tooltip shows: the name, the syntax, "Example: ..." and the note when there is one.
    static std::vector<std::u16string> Lines(const FunctionTip& tip);
    // {"shown": false} or {"shown": true, "object", "name", "syntax", "example", "note", "lines"}.
    nlohmann::json describe(const MyLedView& display) const;
    // Draws a tip into area: a pale box with a frame and its lines in "Verdana" 12 (the name bold).
    static void Draw(Canvas& canvas, const CanvasRect& area, const FunctionTip& tip);

    const FunctionHelpCatalog& catalog() const { return m_catalog; }

  private:
    FunctionHelpCatalog m_catalog;
    std::optional<int> m_closedAt;  // the display's redraw count when the tooltip was closed
};
