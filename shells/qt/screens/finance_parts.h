// What the loan, mortgage and time-value-of-money widgets share: the text box of a form (a label showing
// the model's box text, framed when it has the focus, tapped to give it the focus), the finance keypad
// (the SmallKeyboard model drawn as a key pad, reporting the released key's index to the screen), and the
// desktop keys that stand for keypad keys. The tappable label and the segments' look serve the business
// page too.
#pragma once

#include <QLabel>
#include <functional>
#include <memory>

#include "app/keyboards/keyboard_delegate.h"

class GuiContext;
class KeyboardWidget;
class QKeyEvent;
class ScreenModel;
class SmallKeyboard;

// A label that reports presses of the left button (a tappable caption).
class TapLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TapLabel(const QString& text = QString(), QWidget* parent = nullptr);
    std::function<void()> onTap;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A form's box: the text right-aligned in a white frame; the focused box has a thick orange frame. A tap
// gives it the focus through the model (onTap).
class FinanceBox : public TapLabel {
    Q_OBJECT
  public:
    explicit FinanceBox(QWidget* parent = nullptr);
    void setFocused(bool focused);
    bool focused() const { return m_focused; }

  private:
    void restyle();
    bool m_focused = false;
};

// The finance keypad of a screen: its own SmallKeyboard model (the click, the pressed faces) whose
// released keys go to the screen's pressKeypad. The pad widget is a child of the given parent; the owner
// deletes this object before the screen model goes.
class FinancePad : private SmallKeyboardDelegate {
  public:
    FinancePad(ScreenModel& screen, GuiContext& context, QWidget* parent);
    ~FinancePad() override;
    FinancePad(const FinancePad&) = delete;
    FinancePad& operator=(const FinancePad&) = delete;

    KeyboardWidget* widget() const { return m_widget; }
    // A desktop key that stands for a keypad key presses it (it clicks and shows pressed as under the
    // mouse). False for other keys.
    bool press(const QKeyEvent& event);

  private:
    void pressButtonWithIndex(int index) override;

    ScreenModel& m_screen;
    std::unique_ptr<SmallKeyboard> m_keyboard;
    KeyboardWidget* m_widget;
};

// The bold, centred title of a form or result page.
QLabel* FormHeading(const QString& text, QWidget* parent);

// The look of a segmented control's buttons (checkable push buttons side by side): the chosen segment
// dark with white text, the others light, so that the choice reads at a glance on any style.
extern const char* const kSegmentStyleSheet;

// The keypad index a desktop key event stands for (digits, ".", ",", "-", "c", "=" through the model's
// character table; Enter calculates, Backspace deletes, Delete clears, Tab/Down and Backtab/Up move the
// focus), -1 for other keys and for keys with Ctrl or Alt held.
int FinanceKeypadIndexOfEvent(const QKeyEvent& event);
