#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/format/result_format.h"
#include "engine/stack/rpn_stack.h"
#include "rpn_test_util.h"

namespace {

using rpn_test::StackText;
using rpn_test::Text;

class Imode : public rpn_test::CalculatorTest {};

bool IsDigitKey(const char* c) {
    return c[1] == '\0' && ((c[0] >= '0' && c[0] <= '9') || (c[0] >= 'A' && c[0] <= 'F'));
}

struct Shown {
    qcmplx value = qczero;
    int error = 0;
};

// Presses the keys as the basic-mode display does: digits go with the current base, every other word
// with the decimal key; after "=" the stack keeps only the value shown; a real value shown becomes the
// last result, a complex one forgets the last operation.
Shown Press(const std::vector<const char*>& keys, int baseKey = kRadixDec) {
    Shown s;
    for (const char* k : keys) {
        ClearErrorCode();
        s.value = AddToImodeStack(k, IsDigitKey(k) ? baseKey : kRadixDec);
        s.error = GetErrorCode();
        if (std::strcmp(k, "=") == 0) {
            if (s.error != 0) {
                ResetIModeRPNStack();
            } else {
                ResetIModeRPNStack(s.value);
            }
        }
        if (iszero(s.value.i)) {
            SetImodeLastResult(s.value);
        } else {
            ClearImodeRepeat();
        }
    }
    return s;
}

std::string Describe(const std::vector<const char*>& keys) {
    std::string s;
    for (const char* k : keys) {
        if (!s.empty()) s += ' ';
        s.append("[").append(k).append("]");
    }
    return s;
}

TEST_F(Imode, KeySequences) {
    struct Row {
        std::vector<const char*> keys;
        int baseKey;
        std::string shown;
        int error;
    } rows[] = {
        {{"2", "+", "3", "*", "4", "="}, kRadixDec, "14", 0},
        {{"1", "+", "2", "*", "3", "^", "2", "="}, kRadixDec, "19", 0},
        {{"2", "*", "3", "+"}, kRadixDec, "6", 0},             // the product is shown as soon as "+" arrives
        {{"2", "^", "3", "^", "2", "="}, kRadixDec, "64", 0},  // equal priorities run from the left
        {{"2", "+", "*", "3", "="}, kRadixDec, "6", 0},        // a second operator replaces the first
        {{"2", "+", "3", "*", "-", "1", "="}, kRadixDec, "4", 0},
        {{"-", "5", "="}, kRadixDec, "-5", 0},
        {{"2", "+", "="}, kRadixDec, "2", 0},
        {{"5", "ncr", "2", "="}, kRadixDec, "10", 0},
        {{"7", "mod", "3", "="}, kRadixDec, "1", 0},
        // percentages
        {{"200", "+", "10", "%", "="}, kRadixDec, "220", 0},
        {{"200", "-", "10", "%", "="}, kRadixDec, "180", 0},
        {{"50", "*", "10", "%", "="}, kRadixDec, "5", 0},
        {{"2", "+", "i", "%"}, kRadixDec, "0", -54},
        // repeating "="
        {{"200", "+", "10", "%", "=", "="}, kRadixDec, "240", 0},
        {{"2", "+", "3", "=", "=", "="}, kRadixDec, "11", 0},
        {{"2", "+", "3", "=", "7", "="}, kRadixDec, "10", 0},
        {{"9", "sqrt"}, kRadixDec, "3", 0},
        {{"9", "sqrt", "="}, kRadixDec, Text("1.7320508075688772935274463415"), 0},
        {{"5", "="}, kRadixDec, "5", 0},
        // groups
        {{"(", "2", "+", "3", ")", "*", "4", "="}, kRadixDec, "20", 0},
        {{"2", "*", "(", "3", "+", "4", ")", "="}, kRadixDec, "14", 0},
        {{"27", "^", "(", "1", "/", "3", ")", "="}, kRadixDec, "3", 0},
        {{"2", "+", "(", "3", "="}, kRadixDec, "5", 0},
        {{")"}, kRadixDec, "0", -8},
        {{"2", "+", "3", ")"}, kRadixDec, "0", -8},
        // errors
        {{"1", "/", "0", "="}, kRadixDec, "0", -56},
        {{"5", "+", "1", "/", "0", "="}, kRadixDec, "0", -56},  // an early error is not lost
        {{"5", ")", "3", "="}, kRadixDec, "3", 0},              // the error emptied the stack
        {{"foo"}, kRadixDec, "0", -1},
        // entry
        {{"A", "F"}, kRadixHex, "175", 0},
        {{"F", "F", "+", "1", "="}, kRadixHex, "256", 0},
        {{"3", "NEG", "4"}, kRadixDec, "-34", 0},
        {{"1", "..", "2", "5", "+", "..", "5", "="}, kRadixDec, "1.75", 0},
        {{"PI", "5", "+", "1", "="}, kRadixDec, "6", 0},
        {{"2", "+", "i", "=", "dauam"}, kRadixDec, "0+1i", 0},
        {{"dauam"}, kRadixDec, "0", 0},
        // clearing: the entry being typed, else everything
        {{"2", "+", "3", ".", "4", "="}, kRadixDec, "6", 0},
        {{"2", "+", ".", "5", "="}, kRadixDec, "5", 0},
        // the display's 10^x and 1/x key sequences
        {{"3", "Pop", "10", "^", "3", "DoNothing", "="}, kRadixDec, "1000", 0},
        {{"4", "Pop", "1", "/", "4", "DoNothing", "="}, kRadixDec, "0.25", 0},
        {{"Pop"}, kRadixDec, "0", 0},
    };
    for (const Row& row : rows) {
        Reset();
        const Shown s = Press(row.keys, row.baseKey);
        const std::string where = Describe(row.keys);
        EXPECT_EQ(Text(s.value), row.shown) << where;
        EXPECT_EQ(s.error, row.error) << where;
    }
}

TEST_F(Imode, EqualsRepeatsOnItsOwnLastResult) {
    const char* keys[] = {"2", "+", "3", "="};
    qcmplx v = qczero;
    for (const char* k : keys) v = AddToImodeStack(k, kRadixDec);
    EXPECT_EQ(Text(v), "5");
    EXPECT_EQ(Text(AddToImodeStack("=", kRadixDec)), "8");
    EXPECT_EQ(Text(AddToImodeStack("=", kRadixDec)), "11");
    EXPECT_EQ(StackText(), "5");  // repeating leaves the stack alone
    EXPECT_STREQ(g_chrLastItem, "+");
}

TEST_F(Imode, RepeatedFunctionLeavesTheParameterAndAngleModeAlone) {
    g_dblLastParam = qcmplx_make(0, 1);  // a complex parameter would switch an angle function to radians
    const Shown s = Press({"30", "sin", "="});
    EXPECT_EQ(Text(s.value), Text("0.008726535498373934964888214"));  // sin 0.5 degrees
    EXPECT_EQ(g_Mode, 0);
}

TEST_F(Imode, FailedRepeatForgetsTheLastOperation) {
    std::strcpy(g_chrLastItem, "/");
    g_dblLastResult = qcmplx_make(1, 0);
    g_dblLastParam = qczero;
    EXPECT_EQ(Text(AddToImodeStack("=", kRadixDec)), "0");
    EXPECT_EQ(GetErrorCode(), kErrLibrary);
    EXPECT_STREQ(g_chrLastItem, "");
    EXPECT_EQ(Text(g_dblLastResult), "0");
    EXPECT_EQ(Text(g_dblLastParam), "0");
}

TEST_F(Imode, ErrorEmptiesStackAndPendingOperators) {
    Press({"2", "+", "(", "3", "*"});
    ASSERT_EQ(imoderpn_stack.size(), 3u);
    Press({"foo"});
    EXPECT_EQ(imoderpn_count, 0);
    EXPECT_TRUE(imoderpn_stack.empty());
    EXPECT_EQ(imoderpn_status, -1);
}

TEST_F(Imode, ClearOnAnEmptyStackForgetsTheLastOperation) {
    Press({"2", "+", "3", "="});
    ResetIModeRPNStack();
    Press({"."});
    EXPECT_STREQ(g_chrLastItem, "");
    EXPECT_EQ(Text(AddToImodeStack("=", kRadixDec)), "0");
}

TEST_F(Imode, PendingListIsBounded) {
    for (int i = 0; i < kValueStackSize; ++i) AddToImodeStack("(", kRadixDec);
    ASSERT_EQ(GetErrorCode(), kErrNone);
    AddToImodeStack("(", kRadixDec);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    EXPECT_TRUE(imoderpn_stack.empty());
}

TEST_F(Imode, OperatorsShareTheRpnEntryState) {
    Press({"1", "2"});
    EXPECT_EQ(imoderpn_status, 0);
    Press({"+"});
    EXPECT_EQ(imoderpn_status, 1);
    Press({"PI"});
    EXPECT_EQ(imoderpn_status, 3);
    Press({"="});
    EXPECT_EQ(imoderpn_status, -1);
}

}  // namespace

TEST_F(Imode, EntryInProgress) {
    struct Row {
        std::vector<const char*> keys;
        bool typing;
    };
    const Row rows[] = {
        {{}, false},
        {{"1"}, true},
        {{"1", ".."}, true},
        {{"1", "..", "5"}, true},
        {{"PI"}, true},
        {{"1", "+"}, false},
        {{"1", "+", "2"}, true},
        {{"1", "="}, false},
        {{"1", "sqrt"}, false},
        {{"1", "+", "."}, false},
    };
    for (const Row& row : rows) {
        Reset();
        Press(row.keys);
        EXPECT_EQ(ImodeEntryInProgress(), row.typing) << Describe(row.keys);
    }
}

TEST_F(Imode, RepeatIsForgottenOrRestarted) {
    Press({"2", "+", "3", "="});
    ASSERT_STREQ(g_chrLastItem, "+");
    SetImodeLastResult(qcmplx_make(10, 0));
    EXPECT_EQ(Text(AddToImodeStack("=", kRadixDec)), "13");  // the repeat starts from the value given
    ClearImodeRepeat();
    EXPECT_STREQ(g_chrLastItem, "");
    EXPECT_EQ(Text(g_dblLastResult), "0");
    EXPECT_EQ(Text(g_dblLastParam), "0");
}
