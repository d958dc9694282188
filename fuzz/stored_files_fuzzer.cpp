// libFuzzer target: the loaders of the calculator's stored files — the display state "led_v14.dat" and
// the history. Both files have a fixed size, so the input is spliced over a valid file at an offset taken
// from its first bytes; the loader must then give a clean result, never a crash or a read outside the
// file, and what loads must encode back to a file that loads again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "app/display/history.h"
#include "app/display/led_state_file.h"
#include "app/display/raw_expression_input.h"

namespace {

std::vector<std::uint8_t> Splice(std::vector<std::uint8_t> base, const uint8_t* data, size_t size) {
    if (size < 3 || base.empty()) return base;
    const size_t offset = (size_t{data[0]} | size_t{data[1]} << 8 | size_t{data[2]} << 16) % base.size();
    const size_t n = std::min(size - 3, base.size() - offset);
    std::copy(data + 3, data + 3 + n, base.begin() + static_cast<std::ptrdiff_t>(offset));
    return base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<std::uint8_t> kState = EncodeLedState(LedStateFile{});
    static const std::vector<std::uint8_t> kHistory = LedHistory{}.Encode();

    // Arbitrary bytes of any length are rejected by size or decoded cleanly.
    std::span<const std::uint8_t> raw(data, size);
    (void)DecodeLedState(raw);
    (void)LedHistory{}.Decode(raw);

    const std::vector<std::uint8_t> state_bytes = Splice(kState, data, size);
    if (auto state = DecodeLedState(state_bytes)) {
        if (!DecodeLedState(EncodeLedState(*state))) std::abort();
    }
    const std::vector<std::uint8_t> history_bytes = Splice(kHistory, data, size);
    LedHistory history;
    if (history.Decode(history_bytes)) {
        LedHistory copy;
        if (!copy.Decode(history.Encode())) std::abort();
    }
    return 0;
}
