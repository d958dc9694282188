#include "numeric/errors.h"

#include "numeric/qlib.h"

int g_ErrCode = 0;

namespace {

struct ErrorRow {
    int code;
    const char* name;
    const char* message;
};

// The table in code order from -1 down; ExceptionMsg is the same messages in the opposite order.
#define ORV_ERROR_ROW(code, name, message) {code, #name, message},
constexpr ErrorRow kRows[] = {ORV_ERROR_CODES(ORV_ERROR_ROW)};
#undef ORV_ERROR_ROW
static_assert(sizeof kRows / sizeof kRows[0] == kErrorMessageCount);

constexpr bool RowsInOrder() {
    for (int i = 0; i < kErrorMessageCount; ++i)
        if (kRows[i].code != -(i + 1)) return false;
    return true;
}
static_assert(RowsInOrder(), "error codes run -1, -2, ... -57");

}  // namespace

// Index c + 57 holds the message of code c: entry 0 is code -57, entry 56 is code -1.
const char* const ExceptionMsg[kErrorMessageCount] = {
#define ORV_AT(i) kRows[kErrorMessageCount - 1 - (i)].message
    ORV_AT(0),  ORV_AT(1),  ORV_AT(2),  ORV_AT(3),  ORV_AT(4),  ORV_AT(5),  ORV_AT(6),  ORV_AT(7),
    ORV_AT(8),  ORV_AT(9),  ORV_AT(10), ORV_AT(11), ORV_AT(12), ORV_AT(13), ORV_AT(14), ORV_AT(15),
    ORV_AT(16), ORV_AT(17), ORV_AT(18), ORV_AT(19), ORV_AT(20), ORV_AT(21), ORV_AT(22), ORV_AT(23),
    ORV_AT(24), ORV_AT(25), ORV_AT(26), ORV_AT(27), ORV_AT(28), ORV_AT(29), ORV_AT(30), ORV_AT(31),
    ORV_AT(32), ORV_AT(33), ORV_AT(34), ORV_AT(35), ORV_AT(36), ORV_AT(37), ORV_AT(38), ORV_AT(39),
    ORV_AT(40), ORV_AT(41), ORV_AT(42), ORV_AT(43), ORV_AT(44), ORV_AT(45), ORV_AT(46), ORV_AT(47),
    ORV_AT(48), ORV_AT(49), ORV_AT(50), ORV_AT(51), ORV_AT(52), ORV_AT(53), ORV_AT(54), ORV_AT(55),
    ORV_AT(56),
#undef ORV_AT
};

const char* ErrorCodeName(int code) {
    if (code >= -kErrorMessageCount && code <= -1) return kRows[-code - 1].name;
    return "";
}

void ClearErrorCode() {
    g_ErrCode = 0;
    Clearmerror();
}

int GetErrorCode() {
    return g_ErrCode;
}

int SetErrorCode(int code) {
    g_ErrCode = code;
    return code;
}

const char* ErrorMessage(int code) {
    if (code == 0) return "";
    if (code >= -kErrorMessageCount && code <= -1) return ExceptionMsg[code + kErrorMessageCount];
    return "Unknown error";
}
