#include "qt/widgets/keyboard_widget.h"

#include "app/keyboards/keyboard_model.h"
#include "app/keys/key_codes.h"
#include "app/keys/static_table_codes.h"

PadKey::Kind NumberPadKind(int code) {
    if (IsDecimalDigitKey(code) || code == kKeyDecimal) return PadKey::Digit;
    if (code == kKeyEquals || code == kKeyEnter) return PadKey::Equals;
    return PadKey::Operation;
}

PadKey::Kind ModeKeyKind(int type) {
    switch (type) {
        case kButtonFunctionList:
            return PadKey::Function;
        case kButtonShift:
            return PadKey::Shift;
        case kButtonMenu:
            return PadKey::Menu;
        default:
            return PadKey::Ordinary;
    }
}

void FillFace(const nlohmann::json& face, int latchedSlot, PadKey& key) {
    key.slot = face.value("slot", -1);
    key.caption = QString::fromStdString(face.value("caption", std::string()));
    key.shiftedCaption = QString::fromStdString(face.value("shiftedCaption", std::string()));
    key.pressed = face.value("pressed", false);
    key.latched = key.slot >= 0 && key.slot == latchedSlot;
    key.visible = !face.value("covered", false) && face.value("code", 0) >= 0;
}

KeyboardWidget::KeyboardWidget(KeyboardModel& model, int rows, int columns, Placer placer, QWidget* parent)
    : KeyPad(rows, columns, parent), m_model(model), m_placer(std::move(placer)) {
    onPress = [this](int slot) { m_model.touchDown(slot); };
    onRelease = [this](int slot) { m_model.pressButton(slot); };
    onCancel = [this](int slot) { m_model.touchCancel(slot); };
    m_model.setChangeListener([this, alive = std::weak_ptr<int>(m_alive)] {
        if (!alive.expired()) refresh();
    });
    refresh();
}

KeyboardWidget::~KeyboardWidget() = default;

void KeyboardWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    const int latched = d.value("shiftSlot", -1);
    std::vector<PadKey> keys;
    for (const nlohmann::json& face : d.value("keys", nlohmann::json::array())) {
        PadKey k;
        FillFace(face, latched, k);
        m_placer(face, k);
        keys.push_back(k);
    }
    if (extraKeys) extraKeys(d, keys);
    setKeys(std::move(keys));
}
