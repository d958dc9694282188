#include "app/display/history.h"

#include "app/display/led_view.h"
#include "app/display/line_text.h"
#include "app/display/memory.h"

LedHistory::LedHistory() : m_entries(kEntries) {}

void LedHistory::Push(const InputLine& line, const std::u16string& result) {
    for (int k = kEntries - 1; k > 0; --k) m_entries[k] = m_entries[k - 1];
    _RAW_EXPRESSION_INPUT& top = m_entries[0];
    top = _RAW_EXPRESSION_INPUT{};
    line.SaveToRaw(top);
    top.setResult(CutAtCharacter(result, _RAW_EXPRESSION_INPUT::kMaxResult));
}

void LedHistory::Clear() {
    for (auto& e : m_entries) e = _RAW_EXPRESSION_INPUT{};
}

int LedHistory::count() const {
    int n = 0;
    while (n < kEntries && m_entries[n].iTextLength > 0) ++n;
    return n;
}

const _RAW_EXPRESSION_INPUT* LedHistory::entry(int index) const {
    if (index < 0 || index >= kEntries) return nullptr;
    return &m_entries[index];
}

std::vector<std::uint8_t> LedHistory::Encode() const {
    LeWriter w;
    for (const auto& e : m_entries) WriteRawExpressionInput(w, e);
    return std::move(w.bytes());
}

bool LedHistory::Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kFileSize) return false;
    LeReader in(bytes);
    std::vector<_RAW_EXPRESSION_INPUT> entries(kEntries);
    for (auto& e : entries) {
        if (!ReadRawExpressionInput(in, e)) return false;
    }
    bool ended = false;
    for (auto& e : entries) {
        ended = ended || e.iTextLength == 0;
        if (ended) e = _RAW_EXPRESSION_INPUT{};
    }
    m_entries = std::move(entries);
    return true;
}

std::u16string LedHistory::MailBody() const {
    std::u16string body;
    for (int k = count() - 1; k >= 0; --k) {
        body += m_entries[k].text();
        body += u" = ";
        body += m_entries[k].result();
        body += u'\n';
    }
    return body;
}

std::string PercentEscape(const std::u16string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : U16ToUtf8(text)) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string MailtoAddress(const std::u16string& body, const std::optional<MailRecipient>& recipient) {
    if (!recipient) return "mailto:?subject=&body=" + PercentEscape(body);
    return "mailto:" + PercentEscape(recipient->address) + "?subject=" + PercentEscape(recipient->subject) +
           "&body=" + PercentEscape(body);
}

// ---- the history commands of the display ------------------------------------------------------------

void MyLedView::SetHistoryToLED(int index) {
    const _RAW_EXPRESSION_INPUT* e = m_history.entry(index);
    if (e == nullptr) return;
    m_line.SetRawInputString(*e);
    setNeedsDisplay();
}

void MyLedView::clearHistory() {
    m_history.Clear();
    setNeedsDisplay();
}

bool MyLedView::forwardHisToMail(const std::optional<MailRecipient>& recipient) {
    const std::u16string body = m_history.MailBody();
    if (body.empty()) return false;
    return m_platform.urls.open(MailtoAddress(body, recipient));
}
