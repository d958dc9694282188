#include "app/keyboards/small_keyboard.h"

using nlohmann::json;

namespace {

struct KeyRow {
    const char* caption;
    const char* text;
    SmallKeyboard::Place place;
};

// By index (see the header).
const KeyRow kKeys[SmallKeyboard::kKeyCount] = {
    {"Calc", "", {4, 0, 4}}, {"C", "D", {1, 3, 1}},      {"1", "1", {2, 0, 1}},     {"2", "2", {2, 1, 1}},
    {"3", "3", {2, 2, 1}},   {"4", "4", {1, 0, 1}},      {"5", "5", {1, 1, 1}},     {"6", "6", {1, 2, 1}},
    {"7", "7", {0, 0, 1}},   {"8", "8", {0, 1, 1}},      {"9", "9", {0, 2, 1}},     {"0", "0", {3, 0, 1}},
    {".", ".", {3, 1, 1}},   {"\u00b1", "-", {2, 3, 1}}, {"\u232b", "", {0, 3, 1}}, {"Prev", "", {3, 2, 1}},
    {"Next", "", {3, 3, 1}},
};

bool InRange(int index) {
    return index >= 0 && index < SmallKeyboard::kKeyCount;
}

}  // namespace

SmallKeyboard::SmallKeyboard(Platform& platform) : KeyboardModel(platform, kKeyCount) {}

SmallKeyboard::~SmallKeyboard() = default;

std::string SmallKeyboard::caption(int index) {
    return InRange(index) ? kKeys[index].caption : "";
}

std::string SmallKeyboard::insertText(int index) {
    return InRange(index) ? kKeys[index].text : "";
}

SmallKeyboard::Place SmallKeyboard::place(int index) {
    return InRange(index) ? kKeys[index].place : Place{-1, -1, 0};
}

void SmallKeyboard::OnRelease(int slot) {
    if (m_delegate != nullptr) m_delegate->pressButtonWithIndex(slot);
    RestoreFaceLater(slot);
}

json SmallKeyboard::describe() const {
    json j = DescribeTouch("finance");
    for (int index = 0; index < kKeyCount; ++index) {
        const Place p = place(index);
        j["keys"].push_back({{"slot", index},
                             {"caption", caption(index)},
                             {"text", insertText(index)},
                             {"row", p.row},
                             {"column", p.column},
                             {"span", p.span},
                             {"pressed", isFacePressed(index)}});
    }
    return j;
}
