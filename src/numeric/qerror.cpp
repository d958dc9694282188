// Error reporting of the extended-precision library.
#include <cstdio>

#include "numeric/qlib.h"

int merror = 0;

FILE* g_qlibMessages = stdout;

const char* const ermsg[7] = {
    "unknown",
    "domain",
    "singularity",
    "overflow",
    "underflow",
    "total loss of precision",
    "partial loss of precision",
};

int mtherr(const char* name, int code) {
    const char* msg = (code >= 1 && code <= 6) ? ermsg[code] : ermsg[0];
    if (g_qlibMessages) std::fprintf(g_qlibMessages, "\n%s %s error\n", name ? name : "", msg);
    merror = code;
    return 0;
}

int iserror() {
    return merror != 0;
}

void Clearmerror() {
    merror = 0;
}
