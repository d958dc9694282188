// Helpers of the screen widget tests: the same action words run in the window's application (for the steps
// a test does not drive through a widget) and headlessly, the description of a screen, and picture checks.
#pragma once

#include <QImage>
#include <QWidget>
#include <initializer_list>
#include <string>

#include <nlohmann/json.hpp>

#include "gui_harness.h"

// Runs action words on the window's application, as orvcalc --keys would (the run loop settles between
// words). Fails the test on a word that does not act.
void RunWords(GuiHarness& h, const std::string& words);
// Key codes as action words ("10 18 11" for 1 + 2): a word that is a number is a key code.
std::string KeyWords(std::initializer_list<int> codes);
// Clicks the number pad's key of that code (unshifted) with the mouse; false when the pad has none.
bool ClickPadKey(GuiHarness& h, int code);
// What a screen describes now (null when the screen was never created).
nlohmann::json Describe(GuiHarness& h, const std::string& screen);
// The screen widget over the calculator, cast; null when none (or another kind) is shown.
template <class W>
W* ShownScreen(GuiHarness& h) {
    return qobject_cast<W*>(h.window->screenWidget());
}
// The first child of type W anywhere in the window, with that object name (empty: any).
template <class W>
W* FindInWindow(GuiHarness& h, const QString& name = {}) {
    return h.window->findChild<W*>(name);
}

// Clicks a widget in its centre (or at a point) and lets the events run.
void Click(GuiHarness& h, QWidget* widget, QPoint at = QPoint(-1, -1));
// Answers the open message box with its button of that text; false when no box (or no such button).
bool AnswerBox(GuiHarness& h, const QString& button);

// The widget's picture and the number of distinct colours in it (sampled every third pixel).
QImage Picture(QWidget* widget);
int ColourCount(const QImage& image);
// A screenshot of the window under name, checked to have content (more than 40 colours).
void Shoot(GuiHarness& h, const std::string& name);

// Puts the plot engine's scale and pan back to their start (they carry over from plot to plot).
void ResetPlotScaleAndPan();
