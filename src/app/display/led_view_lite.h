// The reduced input line: a one-line expression editor without calculator state.
//
// Used for the plotter's function lines, the equation solver's coefficient and expression lines and the
// RPN stack lines of the main display. It shares the object model (InputLine) with the calculator
// display; it has no input modes, memories, notation, base (fixed at DEC) or history, and never
// evaluates: its owner reads the engine text through OutputParsedString().
#pragma once

#include <functional>
#include <string>

#include "app/display/input_line.h"
#include "app/keys/key_codes.h"
#include "platform/canvas.h"
#include "platform/run_loop.h"
#include "platform/storage.h"

class MyLedViewLite;

class MyLedViewLiteDelegate {
  public:
    virtual ~MyLedViewLiteDelegate() = default;
    // The user touched the line (to make it the selected one of its group).
    virtual void selectedMyLedViewLite(MyLedViewLite* line) = 0;
};

class MyLedViewLite {
  public:
    static constexpr double kArrowWidth = 14;     // scroll arrow areas at both ends
    static constexpr double kArrowRepeat = 0.15;  // seconds between repeats while an arrow is held

    // metrics measures the text (not owned, may be null); loop drives the arrow repeat (may be null: no
    // repeat); storage is used by appWillTerminate (may be null).
    MyLedViewLite(const Canvas* metrics, RunLoop* loop, Storage* storage);
    ~MyLedViewLite();
    MyLedViewLite(const MyLedViewLite&) = delete;
    MyLedViewLite& operator=(const MyLedViewLite&) = delete;

    // Geometry: the view's rectangle; the input font is "Verdana" at half its height plus 7 points.
    void setFrame(const CanvasRect& frame);
    const CanvasRect& frame() const { return m_frame; }
    CanvasRect inputRegion() const;
    CanvasRect leftArrowRegion() const;
    CanvasRect rightArrowRegion() const;

    MyLedViewLiteDelegate* delegate = nullptr;
    bool m_bIsEquationSolverMode = false;
    bool m_bShowCaret = true;
    int m_iBase = kKeyBaseDec;
    std::u16string m_sCurOperator;

    // Key codes: the string-mode insertions of the keyboards plus kKeyLiteMinus "-", kKeyLiteBlank " ",
    // kKeyLiteDivide "/"; kKeyClear clears, kKeyDelete deletes at the caret, kKeyCaretLeft/Right move the
    // caret one object, kKeyCaretLeft10/Right10 ten; kKeyDecimal inserts "." in equation-solver mode, else
    // the output format's decimal mark. Any other code does nothing. The engine error code is cleared
    // first; every command ends with a redraw request.
    void InputCommand(int code);

    // InsertString of the input line with the current output format (g_sOutputMode) and category
    // (g_CurrentFunction); the exclude form skips the "*", "/", "-" replacements that exclude holds.
    bool InsertString(const std::u16string& text, bool clearFirst);
    bool InsertString(const std::u16string& text, bool clearFirst, const std::u16string& exclude);
    // Replaces the line by text (InsertString with clearing).
    void setString(const std::u16string& text);
    void setSelectedState(bool selected);
    bool blSelected() const { return m_bSelected; }

    // The engine text of the line (OutputParsedString with g_sOutputMode).
    std::string OutputParsedString() const;

    // One 1648-byte stored line. LoadData leaves an empty line when the file is missing, has another
    // size or its record does not add up; SaveData writes atomically (false when it could not).
    bool LoadData(const std::string& path);
    bool SaveData(const std::string& path) const;
    // Saves to "ledlite.dat" in the documents folder.
    void appWillTerminate() const;

    // Touches in view coordinates. Down: tells the delegate (when not selected, or always in
    // equation-solver mode), then places the caret or, on an active arrow, starts the 0.15 s repeat of
    // kKeyCaretLeft/Right. Up on an arrow sends that key once unless the repeat already acted. A move after a
    // down in the input region scrolls the window by drag.
    void touchDown(CanvasPoint p);
    void touchMoved(CanvasPoint p);
    void touchUp(CanvasPoint p);

    // Draws the visible objects, the scroll arrows and, while selected, the caret box (at the end a box
    // two thirds as wide as the digit "8").
    void Draw(Canvas& canvas);

    InputLine& line() { return m_line; }
    const InputLine& line() const { return m_line; }

    // Redraw requests: a counter and an optional callback for the shell's view.
    std::function<void()> onNeedsDisplay;
    int redrawRequests() const { return m_nRedrawRequests; }

  private:
    void setNeedsDisplay();
    void stopRepeat();
    int arrowKeyAt(CanvasPoint p) const;  // kKeyCaretLeft, kKeyCaretRight or kKeyNone

    InputLine m_line;
    RunLoop* m_pLoop;
    Storage* m_pStorage;
    CanvasRect m_frame{0, 0, 300, 40};
    bool m_bSelected = false;
    int m_nRedrawRequests = 0;
    RunLoop::TimerId m_repeatTimer = 0;
    int m_nRepeatKey = kKeyNone;
    bool m_bRepeated = false;
    bool m_bDragging = false;
};
