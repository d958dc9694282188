#include "qt/screens/finance_parts.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/keyboards/small_keyboard.h"
#include "app/screens/finance_form/finance_form.h"
#include "app/screens/screen_model.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/window/gui_context.h"

const char* const kSegmentStyleSheet =
    "QPushButton { background: #f4f5fa; color: #101428; border: 1px solid #5a6390; padding: 5px 10px; }"
    "QPushButton:checked { background: #4a5684; color: white; }";

QLabel* FormHeading(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

TapLabel::TapLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TapLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onTap) onTap();
}

FinanceBox::FinanceBox(QWidget* parent) : TapLabel(QString(), parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumHeight(30);
    setMinimumWidth(110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    setFont(f);
    restyle();
}

void FinanceBox::setFocused(bool focused) {
    if (focused == m_focused) return;
    m_focused = focused;
    restyle();
}

void FinanceBox::restyle() {
    // The focused box stands out the way the phone's highlighted box did: a warm frame and background.
    setStyleSheet(m_focused ? "QLabel { background: #fff6d8; color: #101428; border: 2px solid #e08a1e;"
                              " border-radius: 4px; padding: 2px 6px; }"
                            : "QLabel { background: white; color: #101428; border: 1px solid #8088a8;"
                              " border-radius: 4px; padding: 3px 7px; }");
}

namespace {

void PlaceFinanceKey(const nlohmann::json& face, PadKey& key) {
    key.row = face.value("row", 0);
    key.column = face.value("column", 0);
    key.columnSpan = face.value("span", 1);
    const int index = face.value("slot", -1);
    if (index == SmallKeyboard::kCalculate) {
        key.kind = PadKey::Equals;
    } else if ((index >= SmallKeyboard::kDigit1 && index <= SmallKeyboard::kDigit0) ||
               index == SmallKeyboard::kPoint) {
        key.kind = PadKey::Digit;
    } else {
        key.kind = PadKey::Operation;
    }
}

}  // namespace

FinancePad::FinancePad(ScreenModel& screen, GuiContext& context, QWidget* parent)
    : m_screen(screen), m_keyboard(std::make_unique<SmallKeyboard>(context.platform())) {
    m_keyboard->setDelegate(this);
    m_widget = new KeyboardWidget(*m_keyboard, SmallKeyboard::kRows, SmallKeyboard::kColumns, PlaceFinanceKey,
                                  parent);
    m_widget->setObjectName("financeKeypad");
}

FinancePad::~FinancePad() {
    // The pad listens to the keyboard model: it goes first.
    delete m_widget;
    m_keyboard->setDelegate(nullptr);
}

void FinancePad::pressButtonWithIndex(int index) {
    m_screen.pressKeypad(index);
}

bool FinancePad::press(const QKeyEvent& event) {
    const int index = FinanceKeypadIndexOfEvent(event);
    if (index < 0) return false;
    if (m_keyboard->touchDown(index)) m_keyboard->pressButton(index);
    return true;
}

int FinanceKeypadIndexOfEvent(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return -1;
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return FinanceKeypad::kCalculate;
        case Qt::Key_Backspace:
            return FinanceKeypad::kBackspace;
        case Qt::Key_Delete:
            return FinanceKeypad::kClear;
        case Qt::Key_Tab:
        case Qt::Key_Down:
            return FinanceKeypad::kNextField;
        case Qt::Key_Backtab:
        case Qt::Key_Up:
            return FinanceKeypad::kPreviousField;
        default:
            break;
    }
    const QString text = event.text();
    if (text.size() != 1) return -1;
    return FinanceKeypadIndexOfCharacter(text.at(0).unicode());
}
