// The whole application over the headless platform, on a fresh documents folder: launch, feed key
// codes as the keyboards do (letting every delayed call run out between keys), restart, inspect.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/controller/orvane_application.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/settings/settings_globals.h"
#include "common/folder_storage.h"
#include "common/headless_services.h"
#include "common/manual_run_loop.h"
#include "common/recording_canvas.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"
#include "app/temp_folder.h"

class AppHarness {
  public:
    AppHarness() {
        canvas.setFixedAdvance(10);
        notes.setPostMonitor([this](const Notification& n) { posted.push_back(n.name); });
    }
    ~AppHarness() { app.reset(); }

    // Resets the process-wide state a previous run may have left, writes the input modes when asked
    // ("String-Standard", "Basic-Standard", "Basic-RPN" for Arithmetic, Trigonom and Base Conversion)
    // and starts the application in category.
    void launch(int category = kCatArithmetic, const std::string& inputMode = "", bool landscape = false) {
        ResetGlobals(landscape);
        if (!inputMode.empty()) {
            CCategoryInputModeManager modes(storage);
            modes.setInputMode(inputMode);
            modes.saveToFile();
        }
        app = std::make_unique<OrvaneApplication>(platform, &canvas);
        app->didFinishLaunching();
        if (category != ctl().currentFunction()) ctl().selectCategoryItem(category);
        loop.runPending();
    }
    // Terminates (saving the files) and starts again on the same folder.
    void restart() {
        const bool landscape = g_nCurScreenMode == kScreenLandscape;
        terminate();
        ResetGlobals(landscape);
        app = std::make_unique<OrvaneApplication>(platform, &canvas);
        app->didFinishLaunching();
        loop.runPending();
    }
    void terminate() {
        if (app) app->willTerminate();
        app.reset();
    }

    void keys(std::initializer_list<int> codes) {
        for (int c : codes) {
            ctl().pressButtonHasKeycode(c);
            loop.runPending();
        }
    }
    void post(const std::string& name, std::any object = {}) {
        notes.post(name, std::move(object));
        loop.runPending();
    }

    OrvaneViewController& ctl() { return app->controller(); }
    MyLedView& led() { return ctl().display(); }
    std::u16string input() { return led().line().GetRawInputString(); }
    std::u16string result() { return led().GetResult(); }
    std::string inputUtf8() { return U16ToUtf8(input()); }
    std::string resultUtf8() { return U16ToUtf8(result()); }
    std::u16string memoryText(int memoryIndex = 0) {
        const int category = led().GetCurCategory();
        const _RAW_MEMORY* m = led().memory(memoryIndex, category < 0 ? 0 : category);
        return m ? m->text() : u"";
    }
    std::vector<std::string> history() {
        std::vector<std::string> out;
        const LedHistory& h = led().GetCurrentCategoryHistory();
        for (int k = 0; k < h.count(); ++k)
            out.push_back(U16ToUtf8(h.entry(k)->text() + u" = " + h.entry(k)->result()));
        return out;
    }
    int postedCount(const std::string& name) const {
        int n = 0;
        for (const auto& p : posted) n += p == name;
        return n;
    }

    TempFolder dir;
    ImmediateRunLoop loop;
    NotificationCenter notes;
    FolderStorage storage{dir.path(), ORV_SOURCE_DATA_DIR};
    ScriptedAlerts alerts{loop};
    ScriptedHttpFetch http{loop};
    PrintingUrlOpener urls;
    CountingFeedback feedback;
    RecordingCanvas canvas;
    Platform platform{notes, loop, storage, alerts, http, urls, feedback};
    std::unique_ptr<OrvaneApplication> app;
    std::vector<std::string> posted;

  private:
    static void ResetGlobals(bool landscape) {
        g_CurrentFunction = kCatArithmetic;
        g_curLandScapeFunction = kCatArithmetic;
        g_nCurScreenMode = landscape ? kScreenLandscape : kScreenPortrait;
        SetPreNotation(kKeyNotationNorm);
        g_bAnswer = false;
        g_bShiftMode = false;
        ClearErrorCode();
        ResetIModeRPNStack();
        undoStack.clear();
        redoStack.clear();
    }
};
