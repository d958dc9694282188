// Line input and word helpers of the constants files.
//
// Lines are read through a 256-byte buffer: a line longer than 255 characters is read as several lines.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace constant_lines {

class Source {
  public:
    // An unopenable path leaves ok() false.
    static Source fromFile(const std::string& path);
    static Source fromText(std::string text);
    // A source that fails like a missing file.
    static Source none() { return Source(); }

    bool ok() const { return m_bOk; }
    // Next piece of at most 255 characters, ending at a line break (kept) or at the limit; a NUL byte ends
    // the piece's text. False at the end of the input.
    bool next(std::string& piece);
    // Number of the last piece read, from 1.
    int lineNumber() const { return m_iLine; }

  private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    int get();

    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_sText;
    std::size_t m_nPos = 0;
    bool m_bOk = false;
    int m_iLine = 0;
};

void trimLeft(std::string& text);
void trimRight(std::string& text);
// Moves the first blank-separated word of line into word, leaving the rest; 0 when there is none.
int findWord(std::string& word, std::string& line);
std::string underscoresToBlanks(std::string text);
bool startsWithNoCase(const std::string& text, const char* prefix);

enum class Kind { Skip, Begin, End, Data, Fail };

// Classifies a raw piece: tab, ":" and line break read as blanks, then trimmed; empty lines are skipped.
// A "#" line is a header when, with every "#" read as a blank, its first word begins with "Begin" (then
// name follows, and a type number when withType) or with "End"; other "#" lines are comments. On Data,
// line holds the normalised text. A Begin without name (or type) is Fail.
Kind classify(const std::string& raw, bool withType, std::string& line, std::string& name, int& type);

}  // namespace constant_lines
