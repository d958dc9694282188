#include "app/display/input_line.h"

#include <algorithm>
#include <cmath>

namespace {
using R = _RAW_EXPRESSION_INPUT;
}

InputLine::InputLine(CanvasFont font) : m_font(std::move(font)) {}

void InputLine::setMetrics(const Canvas* metrics) {
    m_pMetrics = metrics;
    remeasure();
}

void InputLine::setFont(const CanvasFont& font) {
    m_font = font;
    remeasure();
}

float InputLine::measure(const std::u16string& text) const {
    return m_pMetrics ? static_cast<float>(m_pMetrics->measureText(text, m_font).width) : 0.0f;
}

void InputLine::remeasure() {
    for (int k = 0; k < objectCount(); ++k) m_line.arrObjWidthInPixel[k] = measure(object(k));
}

std::u16string InputLine::object(int index) const {
    if (index < 0 || index >= objectCount()) return {};
    return m_line.strMutRawInput.substr(m_line.arrObjLoc[index], m_line.arrObjLen[index]);
}

bool InputLine::CanInsert(int objects, int units) const {
    return objectCount() + objects <= R::kMaxObjects &&
           static_cast<int>(m_line.strMutRawInput.size()) + units <= R::kMaxText;
}

bool InputLine::InsertObject(int index, const std::u16string& text) {
    PerformPendingUpdate();
    int count = objectCount();
    int len = static_cast<int>(text.size());
    if (index < 0 || index > count || len == 0 || len > R::kMaxObjectLength || !CanInsert(1, len))
        return false;
    int loc = index < count ? m_line.arrObjLoc[index] : static_cast<int>(m_line.strMutRawInput.size());
    m_line.strMutRawInput.insert(static_cast<size_t>(loc), text);
    for (int k = index; k < count; ++k) m_line.arrObjLoc[k] += len;
    m_line.arrObjLoc.insert(m_line.arrObjLoc.begin() + index, loc);
    m_line.arrObjLen.insert(m_line.arrObjLen.begin() + index, len);
    m_line.arrObjWidthInPixel.insert(m_line.arrObjWidthInPixel.begin() + index, measure(text));
    m_line.iCaretIndex = std::min(m_line.iCaretIndex + 1, count + 1);
    if (index >= m_line.iEndIndexVisPart) {
        m_line.iEndIndexVisPart += 1;
        m_iUpdate = 2;
    } else {
        m_iUpdate = 1;
    }
    return true;
}

bool InputLine::InsertObject(const std::u16string& text) {
    return InsertObject(m_line.iCaretIndex, text);
}

bool InputLine::InsertObjects(const std::vector<std::u16string>& objects) {
    int units = 0;
    for (const auto& o : objects) {
        if (o.empty() || o.size() > static_cast<size_t>(R::kMaxObjectLength)) return false;
        units += static_cast<int>(o.size());
    }
    if (objects.empty() || !CanInsert(static_cast<int>(objects.size()), units)) return false;
    for (const auto& o : objects) InsertObject(o);
    return true;
}

bool InputLine::DeleteObject(int index) {
    PerformPendingUpdate();
    int count = objectCount();
    if (count == 0 || index < 0 || index > count) return false;
    if (index == count) {
        m_line.iCaretIndex = std::max(0, m_line.iCaretIndex - 1);
        index = count - 1;
    }
    int len = m_line.arrObjLen[index];
    m_line.strMutRawInput.erase(static_cast<size_t>(m_line.arrObjLoc[index]), static_cast<size_t>(len));
    for (int k = index + 1; k < count; ++k) m_line.arrObjLoc[k] -= len;
    m_line.arrObjLoc.erase(m_line.arrObjLoc.begin() + index);
    m_line.arrObjLen.erase(m_line.arrObjLen.begin() + index);
    m_line.arrObjWidthInPixel.erase(m_line.arrObjWidthInPixel.begin() + index);
    m_line.iCaretIndex = std::min(m_line.iCaretIndex, count - 1);
    if (m_line.iCaretIndex < m_line.iBeginIndexVisPart) {
        m_line.iBeginIndexVisPart -= 1;
        m_iUpdate = 1;
    } else if (m_line.iEndIndexVisPart == count - 1) {
        m_line.iEndIndexVisPart -= 1;
        m_iUpdate = 2;
    } else {
        m_iUpdate = 1;
    }
    return true;
}

void InputLine::CaretToStart() {
    m_line.iCaretIndex = 0;
    m_line.iBeginIndexVisPart = 0;
    m_iUpdate = 1;
}

void InputLine::CaretToEnd() {
    m_line.iCaretIndex = objectCount();
    m_line.iEndIndexVisPart = objectCount() - 1;
    m_iUpdate = 2;
}

void InputLine::Clear() {
    m_line = _FULL_EXPRESSION_INPUT{};
    m_iUpdate = 0;
}

void InputLine::MoveCaret(int delta) {
    PerformPendingUpdate();
    int count = objectCount();
    int caret = std::clamp(m_line.iCaretIndex + delta, 0, count);
    m_line.iCaretIndex = caret;
    if (caret < m_line.iBeginIndexVisPart) {
        m_line.iBeginIndexVisPart = caret;
        m_iUpdate = 1;
    } else if (caret > m_line.iEndIndexVisPart && caret < count) {
        m_line.iEndIndexVisPart = caret;
        m_iUpdate = 2;
    } else if (caret == count && m_line.iEndIndexVisPart != count - 1) {
        m_line.iEndIndexVisPart = count - 1;
        m_iUpdate = 2;
    }
}

void InputLine::SetRawInputString(const _RAW_EXPRESSION_INPUT& raw) {
    if (!IsValidRawExpressionInput(raw)) {
        Clear();
        return;
    }
    SetRawInputString(raw.text(), std::span<const std::uint8_t>(raw.byObjLen.data(), raw.byObjLen.size()),
                      raw.iObjCount);
}

void InputLine::SetRawInputString(const std::u16string& text, std::span<const std::uint8_t> lengths,
                                  int count) {
    Clear();
    if (count < 0 || count > R::kMaxObjects || static_cast<size_t>(count) > lengths.size() ||
        text.size() > static_cast<size_t>(R::kMaxText)) {
        return;
    }
    size_t sum = 0;
    for (int k = 0; k < count; ++k) {
        if (lengths[k] == 0) return;
        sum += lengths[k];
    }
    if (sum != text.size()) return;
    m_line.strMutRawInput = text;
    int loc = 0;
    for (int k = 0; k < count; ++k) {
        m_line.arrObjLoc.push_back(loc);
        m_line.arrObjLen.push_back(lengths[k]);
        m_line.arrObjWidthInPixel.push_back(measure(text.substr(loc, lengths[k])));
        loc += lengths[k];
    }
    m_line.iCaretIndex = count;
    m_line.iEndIndexVisPart = count - 1;
    m_iUpdate = 2;
}

void InputLine::SaveToRaw(_RAW_EXPRESSION_INPUT& raw) const {
    raw.iObjCount = objectCount();
    raw.iTextLength = static_cast<std::int32_t>(m_line.strMutRawInput.size());
    raw.wcText.fill(0);
    raw.byObjLen.fill(0);
    std::copy(m_line.strMutRawInput.begin(), m_line.strMutRawInput.end(), raw.wcText.begin());
    for (int k = 0; k < objectCount(); ++k) raw.byObjLen[k] = static_cast<std::uint8_t>(m_line.arrObjLen[k]);
}

bool InputLine::InsertString(const std::u16string& text, bool clearFirst, const LineTextFormat& format,
                             const std::u16string& exclude) {
    if (text.empty()) return false;
    std::u16string prepared = PrepareInsertText(text, format, exclude);
    if (clearFirst) Clear();
    int units = static_cast<int>(prepared.size());
    if (units == 0 || !CanInsert(units, units)) return false;
    for (char16_t c : prepared) InsertObject(AUniCharToNSString(c));
    return true;
}

void InputLine::UpdateStartIndex() {
    int count = objectCount();
    int end = std::clamp(m_line.iEndIndexVisPart, -1, count - 1);
    m_line.iEndIndexVisPart = end;
    float sum = 10.0f;
    int begin = 0;
    for (int k = end; k >= 0; --k) {
        sum += m_line.arrObjWidthInPixel[k];
        if (sum > m_dWindowWidth) {
            begin = k + 1;
            break;
        }
    }
    // An object wider than the whole window is still shown on its own.
    m_line.iBeginIndexVisPart = std::min(begin, std::max(end, 0));
    if (m_line.iCaretIndex < m_line.iBeginIndexVisPart) m_line.iCaretIndex = m_line.iBeginIndexVisPart;
    if (m_line.iCaretIndex < 0) m_line.iCaretIndex = 0;
    m_iUpdate = 0;
}

void InputLine::UpdateStopIndex() {
    int count = objectCount();
    int begin = std::clamp(m_line.iBeginIndexVisPart, 0, std::max(count - 1, 0));
    m_line.iBeginIndexVisPart = begin;
    int sum = 10;
    int end = count - 1;
    for (int k = begin; k < count; ++k) {
        sum += static_cast<int>(m_line.arrObjWidthInPixel[k]);
        if (sum > m_dWindowWidth) {
            end = k - 1;
            break;
        }
    }
    if (count > 0) end = std::max(end, begin);
    m_line.iEndIndexVisPart = end;
    if (m_line.iCaretIndex > end + 1) m_line.iCaretIndex = end + 1;
    if (m_line.iCaretIndex < 0) m_line.iCaretIndex = 0;
    m_iUpdate = 0;
}

void InputLine::PerformPendingUpdate() {
    if (m_iUpdate == 1) UpdateStopIndex();
    if (m_iUpdate == 2) UpdateStartIndex();
}

bool InputLine::CanScrollLeft() const {
    return m_line.iBeginIndexVisPart > 0;
}
bool InputLine::CanScrollRight() const {
    return m_line.iEndIndexVisPart < objectCount() - 1;
}

bool InputLine::PlaceCaretAtTouch(double x, double regionLeft) {
    PerformPendingUpdate();
    int count = objectCount();
    double edge = regionLeft;
    for (int k = m_line.iBeginIndexVisPart; k <= m_line.iEndIndexVisPart && k < count; ++k) {
        edge += m_line.arrObjWidthInPixel[k];
        if (edge > x) {
            m_line.iCaretIndex = k;
            return true;
        }
    }
    if (m_line.iEndIndexVisPart == count - 1) {
        m_line.iCaretIndex = count;
        return true;
    }
    return false;
}

int InputLine::DragTo(double x) {
    PerformPendingUpdate();
    double delta = x - m_dDragAnchor;
    int steps = 0;
    // Dragging right brings earlier objects in from the left; dragging left, later ones from the right.
    while (delta > 0 && m_line.iBeginIndexVisPart > 0) {
        float w = m_line.arrObjWidthInPixel[m_line.iBeginIndexVisPart - 1];
        if (delta < w) break;
        delta -= w;
        m_dDragAnchor += w;
        m_line.iBeginIndexVisPart -= 1;
        UpdateStopIndex();
        ++steps;
    }
    while (delta < 0 && CanScrollRight()) {
        float w = m_line.arrObjWidthInPixel[m_line.iEndIndexVisPart + 1];
        if (-delta < w) break;
        delta += w;
        m_dDragAnchor -= w;
        m_line.iEndIndexVisPart += 1;
        UpdateStartIndex();
        ++steps;
    }
    return steps;
}

double InputLine::ObjectLeft(int index, double regionLeft) const {
    double x = regionLeft;
    int stop = std::min(index, objectCount());
    for (int k = std::max(m_line.iBeginIndexVisPart, 0); k < stop; ++k) x += m_line.arrObjWidthInPixel[k];
    return x;
}

CanvasRect InputLine::CaretBox(const CanvasRect& region, double endWidth) const {
    int caret = m_line.iCaretIndex;
    double width = caret < objectCount() ? m_line.arrObjWidthInPixel[caret] : endWidth;
    double height = std::max(0.0, region.height - 8);
    return CanvasRect{ObjectLeft(caret, region.x), region.y + (region.height - height) / 2, width, height};
}
