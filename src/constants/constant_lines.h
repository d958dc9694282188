// Line input and word helpers of the constants files.
//
// Lines are read through a 256-byte buffer: a line longer than 255 characters is read as several lines.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "units/line_source.h"
#include "units/unit_text.h"

namespace constant_lines {

// The constants files' reader: pieces of at most 255 characters of a file or a text.
class Source {
  public:
    // An unopenable path leaves ok() false.
    static Source fromFile(const std::string& path) { return Source(LineSource::fromFile(path)); }
    static Source fromText(std::string text) { return Source(LineSource::fromText(std::move(text))); }
    // A source that fails like a missing file.
    static Source none() { return Source(LineSource::fromFile("")); }

    bool ok() const { return m_source.ok(); }
    // Next piece of at most 255 characters, ending at a line break (kept) or at the limit; a NUL byte ends
    // the piece's text. False at the end of the input.
    bool next(std::string& piece) { return m_source.next(piece, kLine); }
    // Number of the last piece read, from 1.
    int lineNumber() const { return m_source.lineNumber(); }

  private:
    static constexpr std::size_t kLine = 255;
    explicit Source(LineSource source) : m_source(std::move(source)) {}
    LineSource m_source;
};

// The word helpers are those of the unit files: the two grammars are one.
using unit_text::findWord;
using unit_text::startsWithNoCase;
using unit_text::trimLeft;
using unit_text::trimRight;
using unit_text::underscoresToBlanks;

enum class Kind { Skip, Begin, End, Data, Fail };

// Classifies a raw piece: tab, ":" and line break read as blanks, then trimmed; empty lines are skipped.
// A "#" line is a header when, with every "#" read as a blank, its first word begins with "Begin" (then
// name follows, and a type number when withType) or with "End"; other "#" lines are comments. On Data,
// line holds the normalised text. A Begin without name (or type) is Fail.
Kind classify(const std::string& raw, bool withType, std::string& line, std::string& name, int& type);

}  // namespace constant_lines
