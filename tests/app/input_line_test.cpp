#include "app/display/input_line.h"

#include <gtest/gtest.h>

#include <random>

#include "app/keys/key_codes.h"
#include "common/recording_canvas.h"

namespace {

// Every object 10 points wide; a window of 100 shows 9 objects (the sums start at 10).
class InputLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        canvas.setFixedAdvance(10);
        line.setMetrics(&canvas);
        line.setWindowWidth(100);
    }
    void type(const std::u16string& chars) {
        for (char16_t c : chars) {
            ASSERT_TRUE(line.InsertObject(std::u16string(1, c)));
            line.PerformPendingUpdate();
        }
    }
    std::tuple<int, int, int> window() const {
        return {line.line().iBeginIndexVisPart, line.line().iEndIndexVisPart, line.caret()};
    }
    RecordingCanvas canvas;
    InputLine line;
};

void ExpectConsistent(const InputLine& line) {
    const auto& l = line.line();
    ASSERT_EQ(l.arrObjLoc.size(), l.arrObjLen.size());
    ASSERT_EQ(l.arrObjLoc.size(), l.arrObjWidthInPixel.size());
    int loc = 0;
    for (size_t k = 0; k < l.arrObjLen.size(); ++k) {
        EXPECT_EQ(l.arrObjLoc[k], loc) << "object " << k;
        loc += l.arrObjLen[k];
    }
    EXPECT_EQ(loc, static_cast<int>(l.strMutRawInput.size()));
    EXPECT_GE(l.iCaretIndex, 0);
    EXPECT_LE(l.iCaretIndex, line.objectCount());
}

}  // namespace

TEST_F(InputLineTest, TypingPastTheWindowShiftsItsBeginning) {
    type(u"123456789");
    EXPECT_EQ(window(), std::make_tuple(0, 8, 9));
    type(u"ABC");
    EXPECT_EQ(window(), std::make_tuple(3, 11, 12));
    EXPECT_TRUE(line.CanScrollLeft());
    EXPECT_FALSE(line.CanScrollRight());
    EXPECT_EQ(line.GetRawInputString(), u"123456789ABC");
}

TEST_F(InputLineTest, DeleteAtEndAtCaretAndOnEmptyLine) {
    type(u"123456789ABC");
    // At the end: removes the last object and the window's end follows.
    EXPECT_TRUE(line.DeleteObject(line.caret()));
    EXPECT_EQ(line.updateRequest(), 2);
    line.PerformPendingUpdate();
    EXPECT_EQ(line.GetRawInputString(), u"123456789AB");
    EXPECT_EQ(window(), std::make_tuple(2, 10, 11));
    // Inside: removes the boxed object; the caret stays and now boxes the next one.
    line.MoveCaret(-6);
    line.PerformPendingUpdate();
    EXPECT_EQ(line.caret(), 5);
    EXPECT_TRUE(line.DeleteObject(line.caret()));
    line.PerformPendingUpdate();
    EXPECT_EQ(line.GetRawInputString(),
              u"1234578"
              u"9AB");
    EXPECT_EQ(line.object(line.caret()), u"7");
    ExpectConsistent(line);
    line.Clear();
    EXPECT_FALSE(line.DeleteObject(0));
    EXPECT_EQ(window(), std::make_tuple(0, -1, 0));
}

TEST_F(InputLineTest, CaretMovesKeepTheCaretInTheWindow) {
    type(u"123456789ABCDEF");
    struct Step {
        const char* what;
        int delta;  // 0: CaretToStart, 99: CaretToEnd
        std::tuple<int, int, int> expected;
    };
    const Step steps[] = {
        {"start", 0, {0, 8, 0}},    {"left at start", -1, {0, 8, 0}}, {"right 10", 10, {2, 10, 10}},
        {"left 1", -1, {2, 10, 9}}, {"left 10", -10, {0, 8, 0}},      {"right 10", 10, {2, 10, 10}},
        {"end", 99, {6, 14, 15}},   {"right at end", 1, {6, 14, 15}}, {"left 10", -10, {5, 13, 5}},
    };
    for (const Step& s : steps) {
        if (s.delta == 0) {
            line.CaretToStart();
        } else if (s.delta == 99) {
            line.CaretToEnd();
        } else {
            line.MoveCaret(s.delta);
        }
        line.PerformPendingUpdate();
        EXPECT_EQ(window(), s.expected) << s.what;
    }
}

TEST_F(InputLineTest, InsertObjectIndexRulesAndUpdateRequests) {
    type(u"12345");
    EXPECT_FALSE(line.InsertObject(6, u"x"));  // above the count
    EXPECT_FALSE(line.InsertObject(-1, u"x"));
    EXPECT_FALSE(line.InsertObject(u""));
    EXPECT_EQ(line.GetRawInputString(), u"12345");
    EXPECT_TRUE(line.InsertObject(1, u"sin("));
    EXPECT_EQ(line.updateRequest(), 1);  // inside the window
    EXPECT_EQ(line.GetRawInputString(), u"1sin(2345");
    EXPECT_EQ(line.line().arrObjLoc, (std::vector<int>{0, 1, 5, 6, 7, 8}));
    EXPECT_FLOAT_EQ(line.line().arrObjWidthInPixel[1], 40);
    EXPECT_TRUE(line.InsertObject(6, u")"));
    EXPECT_EQ(line.updateRequest(), 2);
    ExpectConsistent(line);
}

TEST_F(InputLineTest, CaretBoxAroundObjectOrAfterTheEnd) {
    type(u"12");
    ASSERT_TRUE(line.InsertObject(u"sin("));
    line.PerformPendingUpdate();
    CanvasRect region{20, 30, 100, 40};
    CanvasRect end = line.CaretBox(region, 6);
    EXPECT_DOUBLE_EQ(end.x, 20 + 60);
    EXPECT_DOUBLE_EQ(end.width, 6);
    EXPECT_DOUBLE_EQ(end.height, 32);
    EXPECT_DOUBLE_EQ(end.y, 34);
    line.MoveCaret(-1);
    CanvasRect box = line.CaretBox(region, 6);
    EXPECT_DOUBLE_EQ(box.x, 40);
    EXPECT_DOUBLE_EQ(box.width, 40);  // the whole "sin(" object
}

TEST_F(InputLineTest, TouchPlacesTheCaretAndDragScrolls) {
    type(u"123456789ABC");  // window 3..11
    struct Touch {
        double x;
        bool placed;
        int caret;
    };
    const Touch touches[] = {{0, true, 3},   {9.9, true, 3}, {10, true, 4},
                             {85, true, 11}, {95, true, 12}, {500, true, 12}};
    for (const Touch& t : touches) {
        EXPECT_EQ(line.PlaceCaretAtTouch(t.x, 0), t.placed) << t.x;
        EXPECT_EQ(line.caret(), t.caret) << t.x;
    }
    line.BeginDrag(50);
    EXPECT_EQ(line.DragTo(59), 0);
    EXPECT_EQ(line.DragTo(75), 2);  // 25 points right: two objects come in on the left
    EXPECT_EQ(window(), std::make_tuple(1, 9, 10));
    EXPECT_EQ(line.DragTo(200), 1);  // only one more is hidden
    EXPECT_EQ(line.DragTo(0), 3);    // back to the right end
    EXPECT_EQ(line.line().iEndIndexVisPart, 11);
    EXPECT_FALSE(line.CanScrollRight());
}

TEST_F(InputLineTest, StoredLineLimitsAreNeverPassed) {
    for (int i = 0; i < 512; ++i) ASSERT_TRUE(line.InsertObject(u"7")) << i;
    EXPECT_FALSE(line.InsertObject(u"7"));
    EXPECT_EQ(line.objectCount(), 512);
    line.Clear();
    EXPECT_FALSE(line.InsertObject(std::u16string(256, u'a')));
    ASSERT_TRUE(line.InsertObject(std::u16string(255, u'a')));
    ASSERT_TRUE(line.InsertObject(std::u16string(255, u'b')));
    EXPECT_FALSE(line.InsertObjects({u"1", u"\u221a("}));  // 2 units fit, 3 do not: none inserted
    EXPECT_EQ(line.objectCount(), 2);
    EXPECT_TRUE(line.InsertObjects({u"1", u"2"}));
    EXPECT_FALSE(line.InsertObject(u"3"));
    EXPECT_EQ(line.GetRawInputString().size(), 512u);
    _RAW_EXPRESSION_INPUT raw;
    line.SaveToRaw(raw);
    EXPECT_TRUE(IsValidRawExpressionInput(raw));
    LineTextFormat us{"English (US)", kCatArithmetic, kKeyBaseDec};
    line.Clear();
    EXPECT_FALSE(line.InsertString(std::u16string(513, u'1'), true, us));
    EXPECT_EQ(line.objectCount(), 0);
}

TEST_F(InputLineTest, RandomEditsMatchASimpleModel) {
    std::mt19937 rng(11);
    std::vector<std::u16string> model;
    int caret = 0;
    const std::u16string pool[] = {u"7", u"sin(", u" mod ", u"\u221a(", u"[ans]"};
    for (int step = 0; step < 3000; ++step) {
        int op = static_cast<int>(rng() % 5);
        if (op <= 1) {
            const std::u16string& o = pool[rng() % 5];
            int index = static_cast<int>(rng() % (model.size() + 2));
            bool ok = line.InsertObject(index, o);
            size_t units = 0;
            for (const auto& m : model) units += m.size();
            bool expected = index <= static_cast<int>(model.size()) && units + o.size() <= 512;
            ASSERT_EQ(ok, expected);
            if (ok) {
                model.insert(model.begin() + index, o);
                caret = std::min(caret + 1, static_cast<int>(model.size()));
            }
        } else if (op <= 3 && !model.empty()) {
            int index = line.caret();
            line.DeleteObject(index);
            if (index == static_cast<int>(model.size())) {
                model.pop_back();
            } else {
                model.erase(model.begin() + index);
            }
        } else {
            line.MoveCaret(static_cast<int>(rng() % 21) - 10);
        }
        line.PerformPendingUpdate();
        std::u16string text;
        for (const auto& o : model) text += o;
        ASSERT_EQ(line.GetRawInputString(), text) << "step " << step;
        ASSERT_EQ(line.objectCount(), static_cast<int>(model.size()));
        const auto& l = line.line();
        if (!model.empty()) {
            ASSERT_LE(l.iBeginIndexVisPart, l.iEndIndexVisPart);
            ASSERT_LT(l.iEndIndexVisPart, line.objectCount());
            ASSERT_GE(l.iCaretIndex, l.iBeginIndexVisPart);
            ASSERT_LE(l.iCaretIndex, l.iEndIndexVisPart + 1);
        }
    }
    ExpectConsistent(line);
}

TEST_F(InputLineTest, InsertStringGroupsThenDropsMarks) {
    LineTextFormat eu{"European", kCatArithmetic, kKeyBaseDec};
    ASSERT_TRUE(line.InsertString(u"-1234.5E-3", false, eu));
    EXPECT_EQ(line.GetRawInputString(), u"\u22121234\u00b85E\u22123");
    EXPECT_EQ(line.objectCount(), 10);  // one object per character
    EXPECT_FALSE(line.InsertString(u"", true, eu));
    EXPECT_EQ(line.objectCount(), 10);
    ASSERT_TRUE(line.InsertString(u"[VRE]", true, eu));
    EXPECT_EQ(line.GetRawInputString(), u"[ans]");
    EXPECT_EQ(line.objectCount(), 5);
}
