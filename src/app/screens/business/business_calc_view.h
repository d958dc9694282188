// The percentage calculator page of the mode keyboard (category Business).
//
// Three fields F0, F1, F2, each focused (receives the keys), input, or result (recomputed from the other
// two after every key). Keys come from the main keypad: while the Business category is current the main
// controller posts every key code as "BusinessCalc-EnterAKeycode" with the code as decimal text.
//
//   form 1: F0 percentage p, F1 base b, F2 part (p % of b)
//   form 2: F0 old value a, F1 new value n, F2 change in percent
//
// Elements (tap): "f0", "f1", "f2" (a field: focusInputText), "mode1", "mode2" (setFirstMode,
// setSecondMode), "menu" (key 169 to the main controller on the next turn of the run loop).
// Controls (setValue): "value" (setValue: the value with "%f" into the focused field, then calculate).
// describe(): "mode" (1 or 2); "fields": three objects {"text", "state" ("focused", "input" or
// "result"), "tag" (1, 2, 3), "colour" [r, g, b]} for F0..F2; "focused" and "result" (the field names);
// "equal_beside" (the field lbEqual stands beside) and "equal_text" "="; "captions" (what F0..F2 mean in
// the current form: "Percent (%)", "Of value", "Part" or "Old value", "New value", "Change (%)") and
// "mode_captions" (the two form buttons: "% of value", "% change").
#pragma once

#include <array>
#include <string>

#include "app/screens/screen_host.h"

class BusinessCalcView : public ScreenModel {
  public:
    // Field states, kept as the field's tag.
    enum FieldState { kFocused = 1, kInput = 2, kResult = 3 };
    static constexpr int kFields = 3;

    explicit BusinessCalcView(ScreenContext& context);
    ~BusinessCalcView() override;

    const char* name() const override { return "business"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool setValue(std::string_view control, double value) override;

    // A key code of the main keypad: edits the focused field, then calculate.
    void enterAKeycode(int code);
    // A field was tapped (0..2).
    void focusInputText(int field);
    void setFirstMode();
    void setSecondMode();
    // The value with "%f" into the focused field (calculate follows).
    void setValue(double value);
    // Recomputes the result field from the other two ("%.2f", or "inf" where a divisor is 0).
    void calculate();
    void pressedMenu();

    int businessMode() const { return m_nBusinessMode; }
    const std::string& text(int field) const { return m_fields[field].text; }
    int state(int field) const { return m_fields[field].tag; }
    // The field in a state (the first one when several are, -1 when none).
    int fieldIn(int state) const;
    // Colour of a field's text: red (1, 0, 0.502) when focused, else black.
    static std::array<double, 3> colourOf(int state);

  private:
    struct Field {
        std::string text = "0";
        int tag = kInput;
    };
    double valueOf(int field) const;
    void SetMode(int mode);

    ScreenContext m_context;
    int m_nBusinessMode = 1;
    std::array<Field, kFields> m_fields;
};
