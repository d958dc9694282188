#include "screen_test_support.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QMessageBox>
#include <set>

#include "app/actions/action_runner.h"
#include "app/actions/action_script.h"
#include "app/keyboards/keyboard_model.h"
#include "plot/plot.h"
#include "qt/widgets/keyboard_widget.h"

void RunWords(GuiHarness& h, const std::string& words) {
    std::vector<Action> actions;
    std::string error;
    ASSERT_TRUE(ParseActions(words, actions, error)) << error;
    ActionRunner runner(h.ctl(), {[&h](double seconds) { h.settle(static_cast<int>(seconds * 1000)); }, {}});
    for (const Action& a : actions) ASSERT_TRUE(runner.run(a, error)) << words << ": " << error;
    h.window->refresh();
}

std::string KeyWords(std::initializer_list<int> codes) {
    std::string words;
    for (int c : codes) {
        if (!words.empty()) words += ' ';
        words += std::to_string(c);
    }
    return words;
}

bool ClickPadKey(GuiHarness& h, int code) {
    KeyboardWidget* pad = h.window->numberPad();
    if (!pad) return false;
    nlohmann::json faces = pad->model().describe()["keys"];
    for (const nlohmann::json& face : faces) {
        if (face.value("code", -1) != code) continue;
        h.click(pad, face.value("slot", -1));
        return true;
    }
    return false;
}

nlohmann::json Describe(GuiHarness& h, const std::string& screen) {
    ScreenModel* s = h.ctl().screens().find(screen);
    return s ? s->describe() : nlohmann::json();
}

void Click(GuiHarness& h, QWidget* widget, QPoint at) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.x() < 0 ? widget->rect().center() : at);
    h.settle(30);
}

bool AnswerBox(GuiHarness& h, const QString& button) {
    for (int tries = 0; tries < 20 && !h.context->alerts().openBox(); ++tries) h.settle(20);
    QMessageBox* box = h.context->alerts().openBox();
    if (!box) return false;
    for (QAbstractButton* b : box->buttons()) {
        if (b->text() != button) continue;
        b->click();
        h.settle(60);  // the answer arrives through the run loop
        return true;
    }
    return false;
}

QImage Picture(QWidget* widget) {
    return widget->grab().toImage();
}

int ColourCount(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

void Shoot(GuiHarness& h, const std::string& name) {
    h.window->refresh();
    h.settle(120);
    h.screenshot(name);
    EXPECT_GT(ColourCount(Picture(h.window.get())), 40) << name << " looks empty";
}

void ResetPlotScaleAndPan() {
    const GRAPHIC_STATE& s = GetGraphicState();
    Zoom(kGraphDefaultPixels - s.m_nPixelsX, kGraphDefaultPixels - s.m_nPixelsY);
    MoveTo(0, 0);
    SetPointerMode(kPointerPan);
}
