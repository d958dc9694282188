#include "engine/stack/rpn_stack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/format/result_format.h"
#include "rpn_test_util.h"

namespace {

using rpn_test::StackText;
using rpn_test::Text;

class Rpn : public rpn_test::CalculatorTest {};

struct Sent {
    qcmplx last = qczero;  // value returned by the last command
    int error = 0;         // error code after the last command
};

// Sends the commands one by one, clearing the error code before each one as the display does.
Sent Send(const std::vector<const char*>& commands, int radixKey = kRadixDec) {
    Sent r;
    for (const char* c : commands) {
        ClearErrorCode();
        r.last = AddToRPNStack(c, radixKey);
        r.error = GetErrorCode();
    }
    return r;
}

std::string Describe(const std::vector<const char*>& commands) {
    std::string s;
    for (const char* c : commands) {
        if (!s.empty()) s += ' ';
        s.append("[").append(c).append("]");
    }
    return s;
}

const char* const kPi = "3.141592653589793238462643383279502884197";

TEST_F(Rpn, CommandSequences) {
    struct Row {
        std::vector<const char*> commands;
        int radixKey;
        std::string stack;  // bottom first
        std::string returned;
        int error;
    } rows[] = {
        // number entry
        {{"1", "2", "..", "5"}, kRadixDec, "12.5", "12.5", 0},
        {{"1", "2", "..", "5", "DoNothing", "3"}, kRadixDec, "12.5 3", "3", 0},
        {{"12.5", ")", "3"}, kRadixDec, "12.5 3", "3", 0},
        {{"..", "5"}, kRadixDec, "0.5", "0.5", 0},
        {{"1", "..", "..", "5"}, kRadixDec, "1.5", "1.5", 0},  // a second point changes nothing
        {{"12.5", "0", "3"}, kRadixDec, "12.503", "12.503", 0},
        {{"-3", "4"}, kRadixDec, "-34", "-34", 0},
        {{"3", "NEG", "4"}, kRadixDec, "-34", "-34", 0},
        {{"1", "..", "5", "NEG", "2"}, kRadixDec, "-1.52", "-1.52", 0},
        {{"1E3", "5"}, kRadixDec, "1000 5", "5", 0},
        {{"A", "F"}, kRadixHex, "175", "175", 0},
        {{"FF"}, kRadixHex, "255", "255", 0},
        {{"7", "7"}, kRadixOct, "63", "63", 0},
        {{"1", "0", "1"}, kRadixBin, "5", "5", 0},
        {{"1", "2"}, kRadixBin, "1", "0", -1},  // not a binary digit
        {{"i"}, kRadixDec, "0+1i", "0+1i", 0},
        {{"2", ")", "i", "*"}, kRadixDec, "0+2i", "0+2i", 0},
        {{"PI", "5"}, kRadixDec, "5", "5", 0},  // a digit replaces pi
        {{"PI", "..", "5"}, kRadixDec, "0.5", "0.5", 0},
        {{"PI", ")", "5"}, kRadixDec, Text(kPi) + " 5", "5", 0},
        {{"2", ")", "PI", "+", "5"}, kRadixDec, Text("5.141592653589793238462643383") + " 5", "5", 0},
        // clearing
        {{"1", "2", "."}, kRadixDec, "", "0", 0},
        {{"5", ")", "3", "."}, kRadixDec, "5", "0", 0},
        {{"5", ")", "3", ")", "."}, kRadixDec, "", "0", 0},
        // operators and functions
        {{"2", ")", "3", ")", "+"}, kRadixDec, "5", "5", 0},
        {{"7", ")", "2", ")", "-"}, kRadixDec, "5", "5", 0},
        {{"2", ")", "3", ")", "^"}, kRadixDec, "8", "8", 0},
        {{"1", ")", "4", ")", "/"}, kRadixDec, "0.25", "0.25", 0},
        {{"5", ")", "-"}, kRadixDec, "-5", "-5", 0},  // one value: negation
        {{"5", ")", "+"}, kRadixDec, "5", "0", -1},
        {{"1", ")", "0", ")", "/"}, kRadixDec, "1 0", "0", -56},
        {{"17", ")", "5", ")", "MOD"}, kRadixDec, "2", "2", 0},
        {{"12", ")", "18", ")", "GCD"}, kRadixDec, "6", "6", 0},
        {{"4", ")", "6", ")", "LCM"}, kRadixDec, "12", "12", 0},
        {{"5", ")", "2", ")", "ncr"}, kRadixDec, "10", "10", 0},
        {{"5", ")", "5", ")", "ncr"}, kRadixDec, "5 5", "0", -50},
        {{"2", ")", "3", ")", "exp"}, kRadixDec, "2000", "2000", 0},
        {{"5", ")", "1", ")", "shl"}, kRadixDec, "10", "10", 0},
        {{"30", "sin"}, kRadixDec, "0.5", "0.5", 0},
        {{"9", "sqrt", "2"}, kRadixDec, "3 2", "2", 0},  // a function ends the entry
        {{"5", "!"}, kRadixDec, "120", "120", 0},
        {{"50", "%"}, kRadixDec, "0.5", "0.5", 0},
        {{"sin"}, kRadixDec, "", "0", -1},
        {{"2", ")", "3", "+", "4"}, kRadixDec, "54", "54", 0},  // an operator leaves the entry open
        {{"4", "Pop"}, kRadixDec, "", "4", 0},
        {{"Pop"}, kRadixDec, "", "0", 0},
        {{"5", "=", "=", "6"}, kRadixDec, "56", "56", 0},
        {{"foo"}, kRadixDec, "", "0", -1},
        {{"2", ")", "DoNothing"}, kRadixDec, "2", "2", 0},
        // stack words
        {{"1", ")", "2", ")", "3", ")", "3", ")", "roll"}, kRadixDec, "2 3 1", "1", 0},
        {{"1", ")", "2", ")", "3", ")", "2", ")", "pick"}, kRadixDec, "1 2 3 2", "2", 0},
        {{"1", ")", "2", ")", "3", ")", "2", ")", "keep"}, kRadixDec, "2 3", "3", 0},
        {{"1", ")", "2", ")", "3", ")", "0", ")", "keep"}, kRadixDec, "", "0", 0},
        {{"1", ")", "2", ")", "0", ")", "roll"}, kRadixDec, "1 2", "2", 0},
        {{"1", ")", "2", ")", "3", ")", "roll"}, kRadixDec, "1 2 3", "0", -1},
        {{"1", ")", "2", ")", "-1", ")", "roll"}, kRadixDec, "1 2 -1", "0", -1},
        {{"1", ")", "2", ")", "3", ")", "pick"}, kRadixDec, "1 2 3", "0", -1},
        {{"1", ")", "0", ")", "pick"}, kRadixDec, "1 0", "0", -1},
        {{"1", ")", "2", ")", "2.7", ")", "pick"}, kRadixDec, "1 2 1", "1", 0},  // n is truncated
        {{"roll"}, kRadixDec, "", "0", -1},
        {{"pick"}, kRadixDec, "", "0", -1},
        {{"keep"}, kRadixDec, "", "0", -1},
        {{"drop"}, kRadixDec, "", "0", -56},
        {{"1", ")", "2", ")", "drop"}, kRadixDec, "1", "1", 0},
        {{"1", ")", "2", ")", "swap"}, kRadixDec, "2 1", "1", 0},
        {{"1", ")", "swap"}, kRadixDec, "1", "0", -1},
        {{"1", ")", "2", ")", "over"}, kRadixDec, "1 2 1", "1", 0},
        {{"1", ")", "over"}, kRadixDec, "1", "0", -1},
        {{"1", ")", "2", ")", "depth"}, kRadixDec, "1 2 2", "2", 0},
        {{"depth"}, kRadixDec, "0", "0", 0},
        {{"1", ")", "2", ")", "clear"}, kRadixDec, "", "0", 0},
        {{"7", ")", "last"}, kRadixDec, "7 7", "7", 0},
        {{"7", "5", "(", "1", ")", "last"}, kRadixDec, "75 1 1", "1", 0},
        {{"F", "F", ")", "last"}, kRadixHex, "255 255", "255", 0},
        {{"last"}, kRadixDec, "", "0", -1},
        {{"2", ")", "3", "swap", "4"}, kRadixDec, "3 2 4", "4", 0},  // a stack word ends the entry
    };
    for (const Row& row : rows) {
        Reset();
        const Sent r = Send(row.commands, row.radixKey);
        const std::string where = Describe(row.commands);
        EXPECT_EQ(StackText(), row.stack) << where;
        EXPECT_EQ(Text(r.last), row.returned) << where;
        EXPECT_EQ(r.error, row.error) << where;
    }
}

TEST_F(Rpn, FailingCommandRestoresEntryState) {
    Send({"1", "..", "5"});
    ASSERT_EQ(imoderpn_status, 2);
    Send({"+"});
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    EXPECT_EQ(imoderpn_status, 2);
    EXPECT_EQ(factor, 1);
    Send({"2"});
    EXPECT_EQ(StackText(), "1.52");
}

TEST_F(Rpn, CommandsWaitWhileAnErrorIsPending) {
    Send({"1", ")"});
    SetErrorCode(kErrDivision);
    EXPECT_EQ(Text(AddToRPNStack("2", kRadixDec)), "0");
    EXPECT_EQ(GetErrorCode(), kErrDivision);
    EXPECT_EQ(StackText(), "1");
}

TEST_F(Rpn, FullStackRefusesOneMoreEntry) {
    for (int i = 0; i < kValueStackSize; ++i) Send({"7", ")"});
    ASSERT_EQ(imoderpn_count, kValueStackSize);
    for (const char* c : {"1", "PI", "i", "..", "depth", "over", "last"}) {
        const Sent r = Send({c});
        EXPECT_EQ(r.error, kErrSyntax) << c;
        EXPECT_EQ(imoderpn_count, kValueStackSize) << c;
    }
    Send({"drop", "1", ")", "pick"});  // taking the count makes room for the copy
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(imoderpn_count, kValueStackSize);
}

TEST_F(Rpn, UndoRestoresTheStateBeforeEachChange) {
    Send({"1", ")", "2", ")", "+"});
    ASSERT_EQ(StackText(), "3");
    Send({"undo"});
    EXPECT_EQ(StackText(), "1 2");
    Send({"undo"});
    EXPECT_EQ(StackText(), "1");
    Send({"redo", "redo"});
    EXPECT_EQ(StackText(), "3");
    Send({"redo"});  // nothing left to redo
    EXPECT_EQ(StackText(), "3");
}

TEST_F(Rpn, NumberEntryIsOneUndoStep) {
    Send({"1", ")", "2", "3", "..", "5", ")"});
    ASSERT_EQ(StackText(), "1 23.5");
    Send({"undo"});
    EXPECT_EQ(StackText(), "1");
    EXPECT_EQ(imoderpn_status, -1);
}

TEST_F(Rpn, FailedAndUnchangingCommandsRecordNothing) {
    Send({"1", ")", "+", "swap", "DoNothing", "=", "(", "drop"});
    ASSERT_EQ(StackText(), "");
    Send({"undo"});
    EXPECT_EQ(StackText(), "1");
    Send({"undo"});
    EXPECT_EQ(StackText(), "");
    EXPECT_TRUE(undoStack.empty());
}

TEST_F(Rpn, NewChangeClearsRedo) {
    Send({"1", ")", "2", ")", "+", "undo", "5", ")", "redo"});
    EXPECT_EQ(StackText(), "1 2 5");
    EXPECT_TRUE(redoStack.empty());
}

TEST_F(Rpn, HistoryKeepsTheSixteenNewestStates) {
    for (int i = 1; i <= 20; ++i) Send({std::to_string(i).c_str(), ")"});
    ASSERT_EQ(undoStack.size(), 16u);
    for (int i = 0; i < 20; ++i) Send({"undo"});
    EXPECT_EQ(imoderpn_count, 4);  // the states before entries 1 to 4 are gone
    EXPECT_EQ(redoStack.size(), 16u);
    for (int i = 0; i < 20; ++i) Send({"redo"});
    EXPECT_EQ(imoderpn_count, 20);
}

TEST_F(Rpn, DirectHistoryCallsOnEmptyHistoriesChangeNothing) {
    ResetIModeRPNStack(qcmplx_make(4, 0));
    RPNUndo();
    RPNRedo();
    EXPECT_EQ(StackText(), "4");
    EXPECT_TRUE(undoStack.empty());
    EXPECT_TRUE(redoStack.empty());
}

TEST_F(Rpn, DirectRollAndSwap) {
    struct Row {
        int n;
        int result;
        std::string stack;
    } rows[] = {
        {3, 1, "2 3 1"}, {2, 1, "1 3 2"}, {1, 1, "1 2 3"}, {0, 1, "1 2 3"}, {4, 0, "1 2 3"}, {-1, 0, "1 2 3"},
    };
    for (const Row& row : rows) {
        Reset();
        Send({"1", ")", "2", ")", "3", ")"});
        EXPECT_EQ(RPNStackRoll(row.n), row.result) << row.n;
        EXPECT_EQ(StackText(), row.stack) << row.n;
    }
    EXPECT_EQ(RPNStackSwap(), 1);
    EXPECT_EQ(StackText(), "1 3 2");
    ResetIModeRPNStack(qcmplx_make(1, 0));
    EXPECT_EQ(RPNStackSwap(), 0);
    EXPECT_EQ(StackText(), "1");
}

TEST_F(Rpn, StackStrings) {
    std::vector<std::string> out = {"stale"};
    EXPECT_EQ(getRPNStackStrings(out, kRadixDec, kWidth8), 0);
    EXPECT_TRUE(out.empty());

    Send({"1E20", ")", "-2.5", ")", "3", ")", "1", "..", "5", "0"});
    ASSERT_EQ(getRPNStackStrings(out, kRadixDec, kWidth8), 4);
    EXPECT_EQ(out, (std::vector<std::string>{"1.0000000000000000E20", "-2.5", "3", "1.50"}));

    ResetIModeRPNStack();
    Send({"255", ")", "5", ")"});
    ASSERT_EQ(getRPNStackStrings(out, kRadixHex, kWidth8), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"FF", "05"}));
    ASSERT_EQ(getRPNStackStrings(out, kRadixBin, kWidth8), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"11111111", "00000101"}));
}

TEST_F(Rpn, StackValuesAndItems) {
    Send({"1", ")", "2", ")", "3", ")"});
    std::vector<qcmplx> values;
    ASSERT_EQ(getRPNStackValues(values), 3);
    EXPECT_EQ(Text(values[0]), "1");
    EXPECT_EQ(Text(values[2]), "3");

    struct Row {
        int index;
        const char* text;
        int result;
        std::string stack;
    } rows[] = {
        {0, "12.5", 1, "12.5 2 3"}, {2, "-0.1", 1, "1 2 -0.1"},  // all the digits of the text, not a double's
        {1, "4abc", 1, "1 4 3"},    {1, "abc", 1, "1 0 3"},     {3, "5", 0, "1 2 3"},
        {-1, "5", 0, "1 2 3"},      {0, "nan", 0, "1 2 3"},     {0, "1e999", 0, "1 2 3"},
        {0, nullptr, 0, "1 2 3"},
    };
    for (const Row& row : rows) {
        ResetIModeRPNStack();
        Send({"1", ")", "2", ")", "3", ")"});
        const char* shown = row.text ? row.text : "(null)";
        EXPECT_EQ(setRPNStackItem(row.index, row.text), row.result) << row.index << " " << shown;
        EXPECT_EQ(StackText(), row.stack) << row.index << " " << shown;
    }
}

TEST_F(Rpn, ResetForms) {
    Send({"1", ")", "2"});
    imoderpn_stack.push_back("+");
    ResetIModeRPNStack();
    EXPECT_EQ(imoderpn_count, 0);
    EXPECT_EQ(imoderpn_status, -1);
    EXPECT_TRUE(imoderpn_stack.empty());
    ResetIModeRPNStack(qcmplx_make(2, 3));
    EXPECT_EQ(StackText(), "2+3i");
    EXPECT_EQ(imoderpn_status, -1);
}

}  // namespace

// A key whose meaning takes several words (x² is DoNothing 2 DoNothing ^) runs as one command.
TEST_F(Rpn, CommandRunsAreOneStepAllOrNothing) {
    const std::vector<std::string> square = {"DoNothing", "2", "DoNothing", "^"};
    struct Row {
        std::vector<const char*> before;  // sent first, one by one
        std::vector<std::string> words;   // then as one run
        bool ok;
        int error;
        std::string after, afterUndo;
    };
    const Row rows[] = {
        {{"3", ")"}, square, true, kErrNone, "9", "3"},
        {{"1", ")"}, square, true, kErrNone, "1", ""},  // no change: no undo step, not even for the words
        {{"3", ")"}, {"2", ")", "drop", "drop", "drop"}, false, kErrLibrary, "3", ""},  // all restored
        {{"3", ")"}, {"foo"}, false, kErrSyntax, "3", ""},
        {{"3", ")", "4", ")", "+"}, {"undo"}, true, kErrNone, "3 4", "3"},  // one word: as sent alone
    };
    for (const Row& r : rows) {
        Reset();
        Send(r.before);
        const size_t redo = redoStack.size();
        ClearErrorCode();
        EXPECT_EQ(AddRPNCommands(r.words, kRadixDec), r.ok) << Describe(r.before);
        EXPECT_EQ(GetErrorCode(), r.error) << Describe(r.before);
        EXPECT_EQ(StackText(), r.after) << Describe(r.before);
        if (!r.ok) {
            EXPECT_EQ(redoStack.size(), redo);
        }
        Send({"undo"});
        EXPECT_EQ(StackText(), r.afterUndo) << Describe(r.before);
    }
}

TEST_F(Rpn, SnapshotRoundTripAndBound) {
    Send({"1", ")", "2", "..", "5"});
    const RPN_SNAPSHOT s = TakeRPNSnapshot();
    EXPECT_EQ(s.stack.size(), 2u);
    EXPECT_EQ(s.status, 2);
    EXPECT_EQ(s.factor, 1);
    ResetIModeRPNStack();
    factor = 0;
    RestoreRPNSnapshot(s);
    EXPECT_EQ(StackText(), "1 2.5");
    EXPECT_EQ(imoderpn_status, 2);
    EXPECT_EQ(factor, 1);

    RPN_SNAPSHOT huge;
    huge.stack.assign(kValueStackSize + 5, qcmplx_make(7, 0));
    RestoreRPNSnapshot(huge);  // more than the stack holds: cut, never written past its end
    EXPECT_EQ(imoderpn_count, kValueStackSize);
    EXPECT_EQ(imoderpn_status, -1);
}
