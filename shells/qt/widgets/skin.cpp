#include "qt/widgets/skin.h"

namespace {

KeyStyle Style(QColor top, QColor bottom, QColor border, QColor text, QColor shifted) {
    return {top, bottom, border, text, shifted};
}

Skin MakeDefault() {
    Skin s;
    s.name = "Default";
    s.background = QColor::fromRgbF(131 / 255.0, 147 / 255.0, 202 / 255.0);
    const QColor gold(255, 214, 120);
    s.ordinary = Style(QColor(74, 86, 132), QColor(44, 53, 92), QColor(28, 34, 64), Qt::white, gold);
    s.function = Style(QColor(62, 118, 150), QColor(34, 80, 110), QColor(22, 52, 74), Qt::white, gold);
    s.shift = Style(QColor(236, 150, 52), QColor(204, 110, 22), QColor(140, 72, 10), Qt::white, Qt::white);
    s.menu = Style(QColor(96, 106, 120), QColor(62, 70, 82), QColor(40, 44, 52), Qt::white, gold);
    s.digit = Style(QColor(246, 247, 252), QColor(212, 216, 232), QColor(120, 128, 160), QColor(24, 28, 48),
                    QColor(184, 96, 10));
    s.operation = Style(QColor(178, 188, 222), QColor(140, 152, 196), QColor(90, 100, 140),
                        QColor(20, 24, 44), QColor(150, 70, 0));
    s.equals = Style(QColor(236, 150, 52), QColor(204, 110, 22), QColor(140, 72, 10), Qt::white, Qt::white);
    s.pressedTint = QColor(0, 0, 0, 70);
    s.latchedShift = QColor(255, 236, 170);
    s.panel = QColor(240, 242, 250);
    s.panelText = QColor(20, 24, 44);
    s.panelSelection = QColor(74, 86, 132);
    return s;
}

Skin MakeBlack() {
    Skin s;
    s.name = "Black";
    s.background = QColor::fromRgbF(137 / 255.0, 137 / 255.0, 137 / 255.0);
    const QColor amber(255, 196, 64);
    s.ordinary = Style(QColor(58, 58, 58), QColor(22, 22, 22), QColor(0, 0, 0), Qt::white, amber);
    s.function = Style(QColor(40, 62, 88), QColor(18, 34, 54), QColor(0, 0, 0), Qt::white, amber);
    s.shift = Style(QColor(210, 150, 40), QColor(170, 110, 10), QColor(80, 50, 0), Qt::black, Qt::black);
    s.menu = Style(QColor(80, 80, 80), QColor(44, 44, 44), QColor(0, 0, 0), Qt::white, amber);
    s.digit = Style(QColor(92, 92, 92), QColor(52, 52, 52), QColor(0, 0, 0), Qt::white, amber);
    s.operation =
        Style(QColor(70, 70, 70), QColor(34, 34, 34), QColor(0, 0, 0), QColor(255, 220, 150), amber);
    s.equals = Style(QColor(210, 150, 40), QColor(170, 110, 10), QColor(80, 50, 0), Qt::black, Qt::black);
    s.pressedTint = QColor(255, 255, 255, 60);
    s.latchedShift = QColor(255, 200, 90);
    s.panel = QColor(44, 44, 44);
    s.panelText = QColor(236, 236, 236);
    s.panelSelection = QColor(210, 150, 40);
    return s;
}

}  // namespace

const Skin& Skin::named(const std::string& name) {
    static const Skin kDefault = MakeDefault();
    static const Skin kBlack = MakeBlack();
    return name == "Black" ? kBlack : kDefault;
}
