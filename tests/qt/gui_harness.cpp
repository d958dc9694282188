#include "gui_harness.h"

#include <sys/wait.h>

#include <QDir>
#include <cstdio>

#include "app/controller/orvane_application.h"
#include "app/settings/input_mode_manager.h"
#include "common/folder_storage.h"

void GuiHarness::start(const std::string& inputMode, bool landscape) {
    g_CurrentFunction = 0;
    g_curLandScapeFunction = 0;
    g_bShiftMode = false;
    g_bAnswer = false;
    ClearErrorCode();
    ResetIModeRPNStack();
    if (!inputMode.empty()) {
        FolderStorage storage(dir.path(), ORV_SOURCE_DATA_DIR);
        CCategoryInputModeManager modes(storage);
        modes.setInputMode(inputMode);
        modes.saveToFile();
    }
    GuiOptions o;
    o.home = dir.path();
    o.resources = ORV_SOURCE_DATA_DIR;
    o.landscape = landscape;
    o.mute = true;
    context = std::make_unique<GuiContext>(o);
    window = std::make_unique<MainWindow>(*context);
    window->resize(landscape ? QSize(900, 520) : QSize(420, 760));
    window->show();
    QApplication::processEvents();
    settle(50);
}

void GuiHarness::stop() {
    if (window) window->shutdown();
    window.reset();
    context.reset();
}

void GuiHarness::click(KeyPad* pad, int slot, int pressMs) {
    const QPoint p = pad->slotCentre(slot);
    QTest::mousePress(pad, Qt::LeftButton, Qt::NoModifier, p);
    if (pressMs > 0) QTest::qWait(pressMs);
    QTest::mouseRelease(pad, Qt::LeftButton, Qt::NoModifier, p);
    settle(160);
}

std::string GuiHarness::input() {
    return U16ToUtf8(ctl().display().line().GetRawInputString());
}

std::string GuiHarness::result() {
    return U16ToUtf8(ctl().display().GetResult());
}

void GuiHarness::screenshot(const std::string& name, QWidget* widget) {
    QDir().mkpath(ORV_SCREENSHOT_DIR);
    QWidget* w = widget ? widget : window.get();
    w->grab().save(QString::fromStdString(std::string(ORV_SCREENSHOT_DIR) + "/" + name + ".png"));
}

nlohmann::json RunKeys(const std::string& words, const std::string& extraArgs) {
    TempFolder home;
    std::string quoted;
    for (char c : words) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string cmd = std::string(ORVCALC_PATH) + " --home '" + home.path() + "' " + extraArgs +
                            " --keys '" + quoted + "' 2>/dev/null";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        // Status 1 (a word that could not act) still prints the whole state; a crash or a usage error
        // gives a discarded value, never partial JSON.
        const int status = pclose(p);
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return nlohmann::json(nlohmann::json::value_t::discarded);
    }
    return nlohmann::json::parse(out, nullptr, false);
}
