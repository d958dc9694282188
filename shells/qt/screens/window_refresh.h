// Screen widgets call their models directly. When such a call shows or hides a screen over the calculator
// (a history pick, a Close button, the graph's Plot button), the window sees it at its next refresh, which
// follows every run-loop callback: an empty callback makes that happen as soon as the current event is done.
#pragma once

#include "qt/window/gui_context.h"

inline void RefreshWindowSoon(GuiContext& context) {
    context.runLoop().after(0, [] {});
}
