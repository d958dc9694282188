// The error-code table: every code has one name and one message, and the lookups agree with it.
#include "numeric/errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

struct Entry {
    int code;
    int constant;  // the named constant
    const char* name;
    const char* message;
};

#define ORV_ERROR_ENTRY(code, name, message) {code, name, #name, message},
const Entry kEntries[] = {ORV_ERROR_CODES(ORV_ERROR_ENTRY)};
#undef ORV_ERROR_ENTRY

}  // namespace

TEST(ErrorTable, NamesAndMessagesAgreeForEveryCode) {
    ASSERT_EQ(std::size(kEntries), static_cast<size_t>(kErrorMessageCount));
    std::set<std::string> names;
    std::set<int> codes;
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.constant, e.code);
        EXPECT_TRUE(names.insert(e.name).second) << "name used twice";
        EXPECT_TRUE(codes.insert(e.code).second) << "code used twice";
        EXPECT_EQ(std::strncmp(e.name, "kErr", 4), 0);
        EXPECT_STREQ(ErrorCodeName(e.code), e.name);
        EXPECT_STREQ(ErrorMessage(e.code), e.message);
        EXPECT_STREQ(ExceptionMsg[e.code + kErrorMessageCount], e.message);
    }
    EXPECT_EQ(*codes.begin(), -kErrorMessageCount);
    EXPECT_EQ(*codes.rbegin(), -1);
}

TEST(ErrorTable, SharedMessagesAndCodesOutsideTheTable) {
    EXPECT_STREQ(ErrorMessage(kErrSyntax), "Syntax error");
    EXPECT_STREQ(ErrorMessage(kErrCallSyntax), "Syntax error");
    EXPECT_STREQ(ErrorMessage(kErrInvalidArguments), ErrorMessage(kErrInvalidFinance));
    EXPECT_STREQ(ErrorMessage(kErrNone), "");
    EXPECT_STREQ(ErrorCodeName(kErrNone), "");
    for (int code : {-kErrorMessageCount - 1, 1, 57, -1000}) {
        EXPECT_STREQ(ErrorMessage(code), "Unknown error") << code;
        EXPECT_STREQ(ErrorCodeName(code), "") << code;
    }
}

TEST(ErrorTable, SetGetAndClear) {
    EXPECT_EQ(SetErrorCode(kErrDivision), kErrDivision);
    EXPECT_EQ(GetErrorCode(), kErrDivision);
    ClearErrorCode();
    EXPECT_EQ(GetErrorCode(), kErrNone);
}
