// The look of a skin: window background (the skin's colour from the settings) and key styles.
#pragma once

#include <QColor>
#include <string>

struct KeyStyle {
    QColor top, bottom;  // face gradient
    QColor border;
    QColor text;
    QColor shiftedText;  // the small caption of the shifted function
};

struct Skin {
    std::string name;
    QColor background;
    KeyStyle ordinary, function, shift, menu, digit, operation, equals;
    QColor pressedTint;  // mixed over a pressed face
    QColor latchedShift;
    QColor panel, panelText, panelSelection;  // lists, menus and side screens

    // "Default" or "Black"; any other name gives the default skin. The background colour is the one the
    // settings keep for the skin (g_clrBkg).
    static const Skin& named(const std::string& name);
};
