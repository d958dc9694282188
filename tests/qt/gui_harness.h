// The desktop calculator on a fresh documents folder, with helpers to press keys by mouse, to run the
// same words headlessly through orvcalc --keys, and to save screenshots.
#pragma once

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/display/line_text.h"
#include "app/settings/settings_globals.h"
#include "app/temp_folder.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"
#include "qt/widgets/key_pad.h"
#include "qt/window/gui_context.h"
#include "qt/window/main_window.h"

class GuiHarness {
  public:
    // Starts the calculator; inputMode as the settings write it ("Basic-RPN" ...) for the switchable
    // categories; landscape starts wide.
    explicit GuiHarness(const std::string& inputMode = "", bool landscape = false) {
        start(inputMode, landscape);
    }
    ~GuiHarness() { stop(); }

    void start(const std::string& inputMode = "", bool landscape = false);
    void stop();
    void restart() {
        const bool landscape = window->landscape();
        stop();
        start("", landscape);
    }

    // A click on a key of a pad: press, let pressMs pass, release. Then lets the 0.1 s delays run.
    void click(KeyPad* pad, int slot, int pressMs = 0);
    void settle(int ms = 250) { QTest::qWait(ms); }

    std::string input();
    std::string result();
    OrvaneViewController& ctl() { return context->controller(); }
    // Saves the window (or a widget) as build-tree screenshots/<name>.png.
    void screenshot(const std::string& name, QWidget* widget = nullptr);

    TempFolder dir;
    std::unique_ptr<GuiContext> context;
    std::unique_ptr<MainWindow> window;
};

// Runs orvcalc --keys headlessly on its own fresh home with the same words; the JSON state it prints.
nlohmann::json RunKeys(const std::string& words, const std::string& extraArgs = "");
