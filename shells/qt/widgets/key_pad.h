// A grid of calculator keys drawn from faces that a keyboard model gives: the caption, the shifted
// function's caption small above it, the key's kind (its style), a pressed face and the latched shift.
// Mouse presses report the key's slot; the model decides everything else.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "qt/widgets/skin.h"

struct PadKey {
    int slot = -1;  // the model's slot number
    int row = 0, column = 0;
    int columnSpan = 1;  // 2 for a double-width key
    QString caption;
    QString shiftedCaption;  // empty when the key has no shifted function of its own
    enum Kind { Ordinary, Function, Shift, Menu, Digit, Operation, Equals } kind = Ordinary;
    bool pressed = false;
    bool latched = false;  // the shift key while the latch is set
    bool visible = true;
};

class KeyPad : public QWidget {
    Q_OBJECT
  public:
    KeyPad(int rows, int columns, QWidget* parent = nullptr);

    void setKeys(std::vector<PadKey> keys);
    // Changes the grid (rows x columns) the keys are placed on.
    void setGrid(int rows, int columns);
    int rowCount() const { return m_rows; }
    const std::vector<PadKey>& keys() const { return m_keys; }
    void setSkin(const Skin& skin);
    // The key at a slot (tests press it), or null.
    const PadKey* keyAt(int slot) const;
    QRect keyRect(const PadKey& key) const;
    QPoint slotCentre(int slot) const;

    std::function<void(int slot)> onPress;
    std::function<void(int slot)> onRelease;
    // The finger left the key while pressed (dragged off): release without a key.
    std::function<void(int slot)> onCancel;
    // A horizontal drag that starts on a key becomes a swipe of whatever holds the pad: the key's touch is
    // cancelled, then every move reports the distance from the press point (released false) and the
    // release reports it once more (released true). Unset: drags are ignored.
    std::function<void(QPoint delta, bool released)> onSwipe;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const PadKey* hit(const QPoint& p) const;
    const KeyStyle& styleOf(PadKey::Kind kind) const;

    int m_rows, m_columns;
    std::vector<PadKey> m_keys;
    const Skin* m_skin;
    int m_pressedSlot = -1;
    QPoint m_pressPoint;
    bool m_swiping = false;
    bool m_tracking = false;
};
