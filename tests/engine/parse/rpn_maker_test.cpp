// Reverse-Polish conversion.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/parse/rpn_maker.h"
#include "numeric/errors.h"

namespace {

struct Row {
    const char* in;   // engine text
    const char* out;  // reverse-Polish text, or null for a fault
};

TEST(RPNMaker, PrecedenceAndAssociativity) {
    const Row rows[] = {
        {"sin ( 30 ) + 2 ^ 3 ^ 2", "( 30 ) sin 2 3 2 ^ ^ + "},
        {"2 ^ 3 !", "2 3 ! ^ "},  // postfix binds tighter than everything
        {"sin 30 !", "30 ! sin "},
        {"sin 30 ^ 2", "30 sin 2 ^ "},  // (sin 30)^2
        {"sin 30 + 1", "30 sin 1 + "},
        {"abs ( - 3 ) + 4", "( 3 - ) 4 + abs "},  // abs waits for "+": abs(-3 + 4)
        {"abs 3 and 1", "3 abs 1 and "},          // only the priority-1 words pop abs
        {"2 / 2 / 2", "2 2 / 2 / "},              // left-associative
        {"2 - 3 + 4", "2 3 - 4 + "},
        {"1 + 2 * 3", "1 2 3 * + "},
        {"2 root 9 ^ 2", "2 9 2 ^ root "},  // "^" never pops an equal priority
        {"2 ^ 2 root 9", "2 2 ^ 9 root "},  // but "root" pops "^"
        {"1 exp 2 ^ 3", "1 2 exp 3 ^ "},
        {"5 mod 3 + 1", "5 3 mod 1 + "},
        {"- 5 + 2", "5 - 2 + "},  // a leading "-" is a negation at evaluation
        {"( - 3 )", "( 3 - ) "},
        {"sin - 30", "sin 30 - "},  // pops the function first; fails at evaluation
        {"1 ncr 2", "1 ncr 2 "},    // unlisted words are operands here
        {"( 2 ) ( 3 )", "( 2 ) ( 3 ) "},
        {"3 * - 2", nullptr},  // two operators in a row
        {"3 + !", nullptr},
        {"3 % %", "3 % % "},
        {"1 )", nullptr},  // ")" without "("
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.in);
        ClearErrorCode();
        std::string text = r.in;
        const int ok = RPNMaker(text);
        if (r.out == nullptr) {
            EXPECT_EQ(ok, 0);
            EXPECT_EQ(GetErrorCode(), kErrSyntax);
        } else {
            ASSERT_EQ(ok, 1);
            EXPECT_EQ(text, r.out);
            EXPECT_EQ(GetErrorCode(), kErrNone);
        }
    }
    ClearErrorCode();
}

TEST(RPNMaker, BufferFormAndLimits) {
    ClearErrorCode();
    char buffer[kEngineTextSize];
    std::strcpy(buffer, "1 + 2");
    ASSERT_EQ(RPNMaker(buffer), 1);
    EXPECT_STREQ(buffer, "1 2 + ");

    // The trailing blank must fit as well: 4095 characters of tokens make 4096 with it.
    std::string full;
    while (full.size() + 4 <= static_cast<size_t>(kEngineTextSize - 1)) full += "1 + ";
    full += std::string(kEngineTextSize - 1 - full.size(), '1');
    ASSERT_EQ(full.size(), static_cast<size_t>(kEngineTextSize - 1));
    std::memcpy(buffer, full.c_str(), full.size() + 1);
    EXPECT_EQ(RPNMaker(buffer), 0);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);

    ClearErrorCode();
    SetErrorCode(kErrSquareRoot);
    std::string text = "1 + 2";
    EXPECT_EQ(RPNMaker(text), 0);  // a pending error stops it at once
    EXPECT_EQ(text, "1 + 2");
    EXPECT_EQ(GetErrorCode(), kErrSquareRoot);
    ClearErrorCode();
}

TEST(TokenList, PushCopiesAndPopFrees) {
    stack* head = Push(nullptr, "sin");
    head = Push(head, nullptr);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->name, nullptr);
    ASSERT_NE(head->next, nullptr);
    EXPECT_STREQ(head->next->name.get(), "sin");
    head = Pop(head);
    EXPECT_STREQ(head->name.get(), "sin");
    head = Pop(head);
    EXPECT_EQ(head, nullptr);
    FreeStack(Push(Push(nullptr, "a"), "b"));  // freed whole (the sanitizer build checks)
}

}  // namespace
