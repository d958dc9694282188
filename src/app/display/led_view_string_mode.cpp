// String mode: keys build an expression in the input line; "=" is evaluated by the main controller,
// which gives the result back and sends kKeyEquals to push the line onto the history.
#include "app/display/led_view.h"

#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "engine/entry/text_tools.h"

void MyLedView::StringModeCommand(int code) {
    switch (code) {
        case kKeyExpressionNext:
            setCurExpressionIndex((m_iExpression + 1) % kExpressionSlots);
            return;
        case kKeyExpressionPrevious:
            setCurExpressionIndex((m_iExpression + kExpressionSlots - 1) % kExpressionSlots);
            return;
        case kKeyExpression1:
        case kKeyExpression2:
        case kKeyExpression3:
        case kKeyExpression4:
        case kKeyExpression5:
            setCurExpressionIndex(code - kKeyExpression1);
            return;
        case kKeyDecimal: {
            const std::u16string mark = DecimalKeyText(g_sOutputMode);
            if (!mark.empty()) m_line.InsertObject(mark);
            return;
        }
        case kKeyDelete:
            m_line.DeleteObject(m_line.caret());
            return;
        case kKeyCaretLeft:
            m_line.MoveCaret(-1);
            return;
        case kKeyCaretRight:
            m_line.MoveCaret(1);
            return;
        case kKeyCaretLeft10:
            m_line.MoveCaret(-10);
            return;
        case kKeyCaretRight10:
            m_line.MoveCaret(10);
            return;
        case kKeyClear:
            Clear();
            return;
        case kKeyEquals:
            if (m_line.objectCount() > 0) {
                m_bEqual = true;
                PushHistory();
            }
            return;
        default: {
            const std::vector<std::u16string> objects = KeyInsertObjects(code);
            if (!objects.empty()) m_line.InsertObjects(objects);
            return;
        }
    }
}

// Rewrites the numbers of the line from one radix into another at g_BitWidth. An empty line has nothing
// to convert; a line the conversion refuses stays as it was and the error is shown.
void MyLedView::ConvertLine(int fromRadix, int toRadix) {
    const std::string text = OutputParsedString();
    if (text.empty()) return;
    auto converted = StringConvert(text, fromRadix, toRadix);
    // Wider digits (binary) may no longer fit a stored line; the line is kept rather than lost.
    if (!converted || converted->size() > static_cast<size_t>(_RAW_EXPRESSION_INPUT::kMaxText)) return;
    InsertString(Latin1ToU16(*converted), true);
}

void MyLedView::PushHistory() {
    m_history.Push(m_line, m_sResultOutput);
    setNeedsDisplay();
}
