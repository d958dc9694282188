// The action vocabulary: every touch, swipe, tap, pick and text a person can give the calculator, as words
// of a script. orvcalc --keys runs such scripts headlessly; the GUI's tests run the same words through the
// widgets and compare.
//
// Words are separated by blanks; a value may be quoted with "..." (a doubled "" inside stands for one ").
//   N | NAME                  key code N (0..199), or the key whose caption is NAME ("sin", "M+", "*")
//   pick:N                    row N of the open list or menu
//   post:NAME[:N]             posts a notification (with the number N as its object)
//   down:KB:SLOT              a finger goes down on a key; KB is mode, pad, land or landpad
//   up:KB:SLOT                ... comes up inside the key (the key acts unless a hold did)
//   cancel:KB:SLOT            ... leaves the key (nothing acts)
//   touch:KB:SLOT             down and up at once (a tap)
//   hold:KB:SLOT:SECONDS      down, SECONDS pass, up
//   swipe:POSITION            the mode-keyboard strip scrolls to POSITION (0..11) and stops
//   tap:[SCREEN/]ELEMENT      a tap on a named element of a screen; tap:display/AREA touches the display
//                             (mode, base, notation, memory, expression, bitwidth, history, shift, left,
//                             right, input, result)
//   text:[SCREEN/]FIELD=TEXT  text typed into a field of a screen
//   value:[SCREEN/]CONTROL=X  a slider, stepper or segmented control set to X
//   list:[SCREEN/]LIST:N      row N of a named list of a screen
//   keypad:[SCREEN/]N         key N of a screen's own keypad
//   answer:N                  the next alert is answered with its button N (-1: dismissed)
//   rotate:portrait|landscape the window turns
//   wait:SECONDS              time passes (held keys repeat, delayed calls run)
//   category:ID               the category ID chosen from the menu
//   option:N                  menu option N: 0 settings, 1 introduction, 2 help, 3 about
//   type:TEXT                 characters typed on a desktop keyboard
//   paste:TEXT                text pasted from the clipboard
//   close                     the open list closes without a pick
//   back                      the screen over the calculator goes back
// Without SCREEN/, a screen word goes to the screen over the calculator, else to the category screen of
// the strip's current page.
#pragma once

#include <string>
#include <vector>

struct Action {
    enum Kind {
        Key,
        Pick,
        Post,
        Down,
        Up,
        Cancel,
        Touch,
        Hold,
        Swipe,
        Tap,
        Text,
        Value,
        List,
        Keypad,
        Answer,
        Rotate,
        Wait,
        Category,
        Option,
        Type,
        Paste,
        Close,
        Back
    };
    Kind kind = Key;
    int number = 0;  // key code, row, slot, position, index, category, option, answer
    bool hasNumber = false;
    double seconds = 0;    // hold, wait; the value of value:
    std::string keyboard;  // down/up/cancel/touch/hold
    std::string screen;    // tap/text/value/list/keypad: the SCREEN/ part (empty: the current screen)
    std::string name;      // post: notification; tap: element; text: field; value: control; list: list name
    std::string text;      // text:, type:, paste: the text (UTF-8); rotate: "portrait"/"landscape"
};

// Parses a script. On a bad word returns false with error naming it; out then holds the words before it.
bool ParseActions(const std::string& script, std::vector<Action>& out, std::string& error);

// The key code of a key name: "*", "/", "-" and "ENTER" as on a keyboard, else the lowest code whose key
// caption is name (UTF-8). -1 when none is.
int KeyCodeOfName(const std::string& name);
