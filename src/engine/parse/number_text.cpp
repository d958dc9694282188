#include "engine/parse/number_text.h"

#include <locale.h>
#include <clocale>
#include <cstdlib>

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

bool ParseNumberToken(const char* token, double* value) {
    if (token == nullptr || *token == '\0') return false;
    char* end = nullptr;
    const double v = strtod_l(token, &end, CLocale());
    if (end == token || *end != '\0') return false;
    if (value != nullptr) *value = v;
    return true;
}
