// A keyboard model drawn as a KeyPad: the faces come from the model's description, presses go back to the
// model by slot (down, release inside the key, or cancel when the finger leaves it).
#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>

#include "qt/widgets/key_pad.h"

class KeyboardModel;

class KeyboardWidget : public KeyPad {
    Q_OBJECT
  public:
    // Where a face goes and how it looks: fills row, column, span and kind of key from the face (the
    // caption, pressed and shift fields are filled by the widget).
    using Placer = std::function<void(const nlohmann::json& face, PadKey& key)>;

    KeyboardWidget(KeyboardModel& model, int rows, int columns, Placer placer, QWidget* parent = nullptr);
    ~KeyboardWidget() override;

    // Called after the faces of "keys" are placed, with the whole description: a keyboard with keys
    // outside "keys" (the number pad's enter key) adds them here.
    std::function<void(const nlohmann::json& description, std::vector<PadKey>& keys)> extraKeys;

    // Reads the model's faces again.
    void refresh();
    KeyboardModel& model() { return m_model; }

  private:
    KeyboardModel& m_model;
    // The model's change listener checks this token: a widget replaced by a newer one for the same model (the
    // strip swaps pads with deleteLater) and deleted afterwards must neither clear the newer widget's
    // listener nor touch a model that a rebuild has already destroyed.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    Placer m_placer;
};

// The look of a key by its code on the number pads: digits, "=" and the rest.
PadKey::Kind NumberPadKind(int code);
// The look of a mode key by its button type (1 function list, 2 shift, 3 menu; 4 double width ordinary).
PadKey::Kind ModeKeyKind(int type);
// Fills a PadKey's captions and flags from a face of a description ("caption", "shiftedCaption",
// "pressed"); latchedSlot is the slot that shows the latched shift (-1 for none).
void FillFace(const nlohmann::json& face, int latchedSlot, PadKey& key);
