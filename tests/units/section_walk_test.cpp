// The section bookkeeping the units and the constants readers share.
#include "units/section_walk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs the events ('w' a wanted Begin, 'b' another Begin, 'f' a Begin wanted only while nothing was found,
// 'e' an End) and writes, per event, the depth the walk is inside at ('0' outside) and for an End whether
// it closed the wanted section ('!').
std::string Trace(const std::string& events) {
    SectionWalk walk;
    std::string out;
    for (char c : events) {
        if (c == 'e') {
            if (walk.end()) out += '!';
        } else {
            walk.begin(c == 'w' || (c == 'f' && !walk.found));
        }
        out += static_cast<char>('0' + walk.inside);
    }
    return out;
}

}  // namespace

TEST(SectionWalk, Events) {
    struct Row {
        const char* events;
        const char* trace;
    };
    const Row rows[] = {
        {"wee", "1!00"},         // a stray End at depth 0 changes nothing
        {"bwee", "02!00"},       // nested: inside at depth 2, closed by its own End
        {"wbee", "111!0"},       // a section inside the wanted one keeps the walk inside
        {"ewe", "01!0"},         // an End before any Begin is ignored
        {"weweee", "1!01!000"},  // every section wanted: entered again
        {"fefe", "1!000"},       // first only: the second is not entered
        {"wwee", "111!0"},       // a wanted section inside the wanted one: still the outer
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Trace(r.events), r.trace) << r.events;
    }
}
