#include "app/display/led_view_lite.h"

#include <gtest/gtest.h>

#include "app/keys/key_codes.h"
#include "app/settings/settings_globals.h"
#include "common/folder_storage.h"
#include "common/manual_run_loop.h"
#include "common/recording_canvas.h"
#include "numeric/errors.h"
#include "temp_folder.h"

namespace {

struct SelectionLog : MyLedViewLiteDelegate {
    void selectedMyLedViewLite(MyLedViewLite* line) override { selected.push_back(line); }
    std::vector<MyLedViewLite*> selected;
};

// Frame 300 x 40: font 27 points, input region x 14..286 (272 wide); every unit 10 points wide.
class LiteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_sOutputMode = "English (US)";
        g_CurrentFunction = kCatEquationSolver;
        canvas.setFixedAdvance(10);
        lite.setFrame({0, 0, 300, 40});
        lite.delegate = &log;
    }
    void TearDown() override { g_sOutputMode.clear(); }
    void keys(std::initializer_list<int> codes) {
        for (int c : codes) lite.InputCommand(c);
    }
    std::u16string text() const { return lite.line().GetRawInputString(); }

    TempFolder dir;
    FolderStorage storage{dir.path(), dir.path()};
    RecordingCanvas canvas;
    ManualRunLoop loop;
    MyLedViewLite lite{&canvas, &loop, &storage};
    SelectionLog log;
};

}  // namespace

TEST_F(LiteTest, InputCommandTable) {
    struct Row {
        const char* mode;
        bool solver;
        std::vector<int> codes;
        std::u16string text;
        int objects;
    };
    const Row rows[] = {
        {"English (US)", false, {kKey1, kKeyPlus, kKey2}, u"1+2", 3},
        {"English (US)", false, {kKeySin, kKeyPi, kKeyCloseParen}, u"sin(pi)", 3},
        {"English (US)", false, {kKeySquareRoot, kKey4}, u"2\u221a(4", 3},
        {"English (US)",
         false,
         {kKeyMinus, kKeyTimes, kKeyDivide, kKeyChangeSign},
         u"\u2212\u00d7\u00f7(-",
         4},
        {"English (US)", false, {kKeyLiteMinus, kKeyLiteBlank, kKeyLiteDivide}, u"- /", 3},
        {"English (US)",
         false,
         {kKeySquare, kKeyIntegral, kKeyAnswer, kKeyVariable, kKeyImaginary, kKeyComma, kKeyAnd},
         u"^2\u222b([ans]xi, and ",
         8},
        {"English (US)", false, {kKey0, kKeyDecimal, kKey4}, u"0.4", 3},
        {"European", false, {kKey0, kKeyDecimal, kKey4}, u"0\u00b84", 3},
        {"European", true, {kKey0, kKeyDecimal, kKey4}, u"0.4", 3},
        {"Klingon", false, {kKey0, kKeyDecimal, kKey4}, u"04", 2},
        {"English (US)",
         false,
         {kKeyEquals, kKeyMemoryStore, kKeyMemoryRecall, kKeyMemoryAdd, kKeyMemory1, kKeyShift,
          kKeyNotationCycle, kKeyFunctionList, kKeyMenu, 132},
         u"",
         0},  // 132 is no key
        {"English (US)", false, {kKey1, kKey2, kKey3, kKeyCaretLeft, kKeyCaretLeft, kKeyDelete}, u"13", 2},
        {"English (US)", false, {kKey1, kKey2, kKey3, kKeyDelete, kKeyDelete}, u"1", 1},
        {"English (US)", false, {kKey1, kKey2, kKeyClear, kKey3}, u"3", 1},
    };
    for (const Row& r : rows) {
        g_sOutputMode = r.mode;
        lite.m_bIsEquationSolverMode = r.solver;
        lite.InputCommand(kKeyClear);
        for (int c : r.codes) lite.InputCommand(c);
        EXPECT_EQ(text(), r.text) << r.mode << " first code " << r.codes.front();
        EXPECT_EQ(lite.line().objectCount(), r.objects) << r.mode << " first code " << r.codes.front();
    }
}

TEST_F(LiteTest, EveryCommandClearsTheErrorAndRedraws) {
    SetErrorCode(kErrDivision);
    int before = lite.redrawRequests();
    lite.InputCommand(kKeyEquals);  // does nothing else
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(lite.redrawRequests(), before + 1);
}

TEST_F(LiteTest, InsertStringExcludeAndSetString) {
    ASSERT_TRUE(lite.InsertString(u"x^2-1", true, u"-"));
    EXPECT_EQ(text(), u"x^2-1");
    ASSERT_TRUE(lite.InsertString(u"x^2-1/2", true));
    EXPECT_EQ(text(), u"x^2\u22121\u00f72");
    lite.setString(u"-1.5");
    EXPECT_EQ(text(), u"\u22121.5");
    lite.setString(u"");
    EXPECT_EQ(lite.line().objectCount(), 0);
    EXPECT_EQ(lite.OutputParsedString(), "");
    keys({kKey1, kKeyDecimal, kKey4, kKeyTimes, kKeyOpenParen, kKey2, kKeyCloseParen});
    EXPECT_EQ(lite.OutputParsedString(), "1.4*(2)");
}

TEST_F(LiteTest, SaveAndLoadOneStoredLine) {
    keys({kKeySin, kKey1, kKey2, kKeyCloseParen});
    std::string path = DocumentPath(storage, "ledlite.dat");
    lite.appWillTerminate();
    auto bytes = storage.readFile(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 1648u);
    MyLedViewLite other(&canvas, &loop, &storage);
    ASSERT_TRUE(other.LoadData(path));
    EXPECT_EQ(other.line().GetRawInputString(), u"sin(12)");
    EXPECT_EQ(other.line().object(0), u"sin(");
    EXPECT_EQ(other.line().caret(), 4);
    // Damaged or missing files leave an empty line.
    (*bytes)[1033] = 9;
    dir.write("bad.dat", std::vector<unsigned char>(bytes->begin(), bytes->end()));
    EXPECT_FALSE(other.LoadData(dir.file("bad.dat")));
    EXPECT_EQ(other.line().objectCount(), 0);
    other.InputCommand(kKey1);
    EXPECT_FALSE(other.LoadData(dir.file("missing.dat")));
    EXPECT_EQ(other.line().objectCount(), 0);
}

TEST_F(LiteTest, TouchSelectsAndPlacesTheCaret) {
    keys({kKey1, kKey2, kKey3, kKey4});
    lite.touchDown({14 + 15, 20});  // inside the second object
    ASSERT_EQ(log.selected.size(), 1u);
    EXPECT_EQ(log.selected[0], &lite);
    EXPECT_EQ(lite.line().caret(), 1);
    lite.touchUp({29, 20});
    lite.setSelectedState(true);
    lite.touchDown({200, 20});           // right of the last object
    EXPECT_EQ(log.selected.size(), 1u);  // already selected: not told again
    EXPECT_EQ(lite.line().caret(), 4);
    lite.m_bIsEquationSolverMode = true;
    lite.touchDown({14, 20});
    EXPECT_EQ(log.selected.size(), 2u);  // the solver wants every touch
    EXPECT_EQ(lite.line().caret(), 0);
}

TEST_F(LiteTest, HoldingAnArrowRepeatsEveryPoint15Seconds) {
    for (int i = 0; i < 40; ++i) lite.InputCommand(kKey1);  // 40 objects of 10 in a window of 272
    lite.line().PerformPendingUpdate();
    EXPECT_EQ(lite.line().line().iBeginIndexVisPart, 14);
    lite.touchDown({5, 20});  // left arrow
    loop.advance(0.14);
    EXPECT_EQ(lite.line().caret(), 40);
    loop.advance(0.02);
    EXPECT_EQ(lite.line().caret(), 39);
    loop.advance(0.30);
    EXPECT_EQ(lite.line().caret(), 37);
    lite.touchUp({5, 20});  // after a repeat the release adds nothing
    loop.advance(1);
    EXPECT_EQ(lite.line().caret(), 37);
    lite.touchDown({5, 20});
    lite.touchUp({5, 20});  // a tap moves once
    EXPECT_EQ(lite.line().caret(), 36);
    lite.touchDown({295, 20});  // the right arrow is not active: the end is visible
    loop.advance(1);
    lite.touchUp({295, 20});
    EXPECT_EQ(lite.line().caret(), 36);
    EXPECT_EQ(loop.pendingCount(), 0);
}

TEST_F(LiteTest, DrawingShowsVisibleObjectsAndTheCaretOnlyWhenSelected) {
    keys({kKeySin, kKey1, kKeyCloseParen});
    lite.Draw(canvas);
    auto texts = canvas.callsOf(CanvasOp::DrawText);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, u"sin(");
    EXPECT_DOUBLE_EQ(texts[0].point.x, 14);
    EXPECT_DOUBLE_EQ(texts[1].point.x, 54);
    EXPECT_EQ(texts[1].font.name, "Verdana");
    EXPECT_DOUBLE_EQ(texts[1].font.size, 27);
    EXPECT_TRUE(canvas.callsOf(CanvasOp::StrokeRect).empty());
    EXPECT_TRUE(canvas.callsOf(CanvasOp::FillPath).empty());  // no arrows: everything fits
    canvas.clear();
    lite.setSelectedState(true);
    lite.Draw(canvas);
    auto boxes = canvas.callsOf(CanvasOp::StrokeRect);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(boxes[0].rect.x, 14 + 60);
    EXPECT_NEAR(boxes[0].rect.width, 10.0 * 2 / 3, 1e-9);
    EXPECT_DOUBLE_EQ(boxes[0].rect.height, 32);
    canvas.clear();
    for (int i = 0; i < 40; ++i) lite.InputCommand(kKey1);
    keys({kKeyCaretLeft10, kKeyCaretLeft10, kKeyCaretLeft10,
          kKeyCaretLeft10});  // caret 3: objects hidden on both sides
    lite.Draw(canvas);
    EXPECT_EQ(canvas.callsOf(CanvasOp::FillPath).size(), 2u);
    EXPECT_EQ(lite.line().line().iBeginIndexVisPart, 3);
    EXPECT_EQ(canvas.callsOf(CanvasOp::DrawText).front().text, u"1");
    canvas.clear();
    lite.InputCommand(kKeyCaretLeft10);  // at the start: only the right arrow
    lite.Draw(canvas);
    EXPECT_EQ(canvas.callsOf(CanvasOp::FillPath).size(), 1u);
    EXPECT_EQ(canvas.callsOf(CanvasOp::DrawText).front().text, u"sin(");
}
