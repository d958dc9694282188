// What the shells and the headless action runner need of every side screen.
//
// A screen is two halves with one name: this model (all state, rules, texts, files and notifications; no
// toolkit) and a widget in a toolkit shell that only draws the model and turns mouse, touch and key events
// into the calls below. Everything a widget can do to a model is reachable headlessly through the same
// calls (orvcalc --keys), and describe() says what the screen shows, so that a test of the model sees what
// the window shows.
//
// Element, field, control and list names are the screen's own (documented in its header), lower-case
// words such as "calc", "amount", "tip_percent", "units". Screens are created by the ScreenHost on first
// use and live until the application terminates. Engine thread only.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

class ScreenModel {
  public:
    virtual ~ScreenModel() = default;

    // The screen's name, the same as its folder under app/screens ("loan", "rpn_stack", ...).
    virtual const char* name() const = 0;

    // What the screen shows now, as a JSON object: its labels, the texts of its boxes, the rows of its
    // tables and lists, which element has the focus, which controls are enabled. Keys are the element
    // names used by tap() and enterText().
    virtual nlohmann::json describe() const = 0;

    // A tap on a named element (a button, a box, a caption, "row:N" of a table). False when the screen has
    // no such element or it does not take taps now; nothing changes then.
    virtual bool tap(std::string_view element) { return (void)element, false; }
    // Text typed into a named text field, replacing its text through the field's insertion rules. False
    // when there is no such field or the text was refused as a whole.
    virtual bool enterText(std::string_view field, const std::u16string& text) {
        return (void)field, (void)text, false;
    }
    // A slider, stepper or segmented control set to value (a segment by its index). False when unknown.
    virtual bool setValue(std::string_view control, double value) {
        return (void)control, (void)value, false;
    }
    // A pick in a named list of the screen (index 0 = first row shown). False when unknown or out of range.
    virtual bool pick(std::string_view list, int index) { return (void)list, (void)index, false; }
    // A key of the screen's own keypad by its index (the finance keypad, the RPN stack screen's keypad,
    // the statistics keypad). False when the screen has no keypad.
    virtual bool pressKeypad(int index) { return (void)index, false; }

    // The screen became visible (its strip page was scrolled to, or it opened over the calculator), or
    // stopped being visible.
    virtual void didShow() {}
    virtual void didHide() {}
    // The application terminates: write the screen's files.
    virtual void save() {}

    // The shell's widget listens here to repaint; models call changed() after every visible change.
    void setChangeListener(std::function<void()> listener) { m_onChanged = std::move(listener); }

  protected:
    void changed() {
        if (m_onChanged) m_onChanged();
    }

  private:
    std::function<void()> m_onChanged;
};
