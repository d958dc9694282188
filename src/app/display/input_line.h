// The editable input line: one object model shared by the calculator display and the reduced input line.
//
// The line is a sequence of objects (short display texts such as "7", "sin(", " mod "); editing works on
// whole objects. The caret is the number of objects before it and is drawn as a box around the object at
// that index (after the last object when it is at the end). Only the objects from iBeginIndexVisPart to
// iEndIndexVisPart are drawn; m_iUpdate asks the drawing step to recompute one end of that window from
// the other (1: the end from the beginning, 2: the beginning from the end). Widths are measured with the
// line's font through a Canvas.
//
// The drawing step normally carries out a pending request between two commands; the editing and touch
// operations carry it out first themselves, so that a sequence of commands without drawing in between
// (the terminal shell, tests) sees the same window.
//
// The line never grows past what a stored line holds (512 UTF-16 units, 512 objects, objects of at most
// 255 units): an insertion that would pass a limit is refused and changes nothing.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "app/display/line_text.h"
#include "app/display/raw_expression_input.h"
#include "platform/canvas.h"

struct _FULL_EXPRESSION_INPUT {
    int iCaretIndex = 0;
    int iBeginIndexVisPart = 0;
    int iEndIndexVisPart = -1;
    std::u16string strMutRawInput;
    std::vector<int> arrObjLoc;
    std::vector<int> arrObjLen;
    std::vector<float> arrObjWidthInPixel;
};

class InputLine {
  public:
    // font: the input font ("Verdana" 26 on the calculator display).
    explicit InputLine(CanvasFont font = CanvasFont{"Verdana", 26});

    // Canvas used to measure object widths (not owned; null measures every object 0 wide). Changing the
    // metrics or the font measures every object again.
    void setMetrics(const Canvas* metrics);
    void setFont(const CanvasFont& font);
    const CanvasFont& font() const { return m_font; }
    // Width W of the input region, in points.
    void setWindowWidth(double width) { m_dWindowWidth = width; }
    double windowWidth() const { return m_dWindowWidth; }

    const _FULL_EXPRESSION_INPUT& line() const { return m_line; }
    int objectCount() const { return static_cast<int>(m_line.arrObjLen.size()); }
    std::u16string object(int index) const;  // empty when out of range
    int caret() const { return m_line.iCaretIndex; }
    int updateRequest() const { return m_iUpdate; }

    // Inserts one object at object index 0..count (the caret advances by one). Refused (false, no
    // change) for an index out of range, an empty text, or when a stored-line limit would be passed.
    bool InsertObject(int index, const std::u16string& text);
    // Inserts at the caret.
    bool InsertObject(const std::u16string& text);
    // Inserts several objects at the caret, all or none (keys that put two objects, such as x²).
    bool InsertObjects(const std::vector<std::u16string>& objects);
    // Whether `objects` more objects holding `units` more UTF-16 units in all would still fit.
    bool CanInsert(int objects, int units) const;

    // Removes the object at index, or, when index equals the count, the last object (the caret moves back
    // one). Nothing on an empty line or an index out of range. Returns whether an object was removed.
    bool DeleteObject(int index);

    void CaretToStart();
    void CaretToEnd();
    // Empty line: caret and beginning 0, end -1.
    void Clear();
    // Moves the caret by delta objects, clamped to 0..count, and moves the window to keep it visible
    // (keys 48/49 move by one, 156/157 by ten).
    void MoveCaret(int delta);

    // Rebuilds the line from a stored line (widths measured anew; caret at the end, update 2). A record
    // whose counts or lengths do not add up gives an empty line.
    void SetRawInputString(const _RAW_EXPRESSION_INPUT& raw);
    // The same from the text, the object lengths and the count (lengths.size() must be >= count).
    void SetRawInputString(const std::u16string& text, std::span<const std::uint8_t> lengths, int count);
    const std::u16string& GetRawInputString() const { return m_line.strMutRawInput; }
    // Object count, text length, text and object lengths into raw; the unused tails are zeroed and the
    // result fields are left as they are.
    void SaveToRaw(_RAW_EXPRESSION_INPUT& raw) const;

    // Inserts a number or result text (PrepareInsertText) one object per unit at the caret, after
    // emptying the line when clearFirst is set. The whole text is refused when it would not fit.
    bool InsertString(const std::u16string& text, bool clearFirst, const LineTextFormat& format,
                      const std::u16string& exclude = u"");

    // Window recomputation (the drawing step runs the pending one through PerformPendingUpdate).
    void UpdateStartIndex();
    void UpdateStopIndex();
    void PerformPendingUpdate();

    // Scroll arrows: shown and active while objects lie outside the window on that side.
    bool CanScrollLeft() const;
    bool CanScrollRight() const;

    // Places the caret by a touch at x in a region whose left edge is regionLeft: on the first visible
    // object whose right edge passes x, or after the end when x is right of the last object and that is
    // the line's last object. Returns whether the caret was placed.
    bool PlaceCaretAtTouch(double x, double regionLeft);

    // Drag scrolling: BeginDrag at the touch x, then DragTo for each move; each time the distance passes
    // the width of the next hidden object the window moves by one object. Returns the objects scrolled.
    void BeginDrag(double x) { m_dDragAnchor = x; }
    int DragTo(double x);

    // Left edge of the visible object index in a region starting at regionLeft.
    double ObjectLeft(int index, double regionLeft) const;
    // The caret box in region: around the object at the caret, or endWidth wide after the last object;
    // the region's height less 8 points, centred.
    CanvasRect CaretBox(const CanvasRect& region, double endWidth) const;

  private:
    float measure(const std::u16string& text) const;
    void remeasure();

    _FULL_EXPRESSION_INPUT m_line;
    int m_iUpdate = 0;
    CanvasFont m_font;
    const Canvas* m_pMetrics = nullptr;
    double m_dWindowWidth = 280;
    double m_dDragAnchor = 0;
};
