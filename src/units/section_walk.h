// Section bookkeeping of the sectioned data files (units, groups, clothing charts, constants): which
// Begin/End section a reader is in, and whether it is inside the one it looks for.
#pragma once

// depth is the nesting depth of the open sections; inside is the depth at which the wanted section opened,
// 0 while the reader is outside it; found tells that a wanted section was entered. A stray End at depth 0
// is ignored so that it cannot shift the sections after it. A reader that wants only the first section of
// a name passes wanted only while found is false.
struct SectionWalk {
    int depth = 0;
    int inside = 0;
    bool found = false;

    // Opens a section; the walk enters it when it is wanted and the walk is not inside a wanted one
    // already. True when it entered.
    bool begin(bool wanted) {
        ++depth;
        if (inside != 0 || !wanted) return false;
        inside = depth;
        found = true;
        return true;
    }
    // Closes a section; true when it was the wanted one the walk was inside.
    bool end() {
        if (depth == 0) return false;
        const bool closes = inside != 0 && depth == inside;
        if (closes) inside = 0;
        --depth;
        return closes;
    }
};
