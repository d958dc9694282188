// Line-by-line input for the data-file readers, from a file or from text held in memory.
//
// The data files are read through fixed line buffers; a line longer than a buffer is read as several lines.
// LineSource keeps that behaviour as a limit without a buffer: next() hands out pieces of at most maxChars
// characters, each ending at a line break (kept) or at the limit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class LineSource {
  public:
    // Opens path for reading; ok() is false when it cannot be opened.
    static LineSource fromFile(const std::string& path);
    // Reads from text (a copy is kept), e.g. a downloaded table or a fuzzer's input.
    static LineSource fromText(std::string text);

    bool ok() const { return m_bOk; }

    // Next piece of at most maxChars (>= 1) characters: up to and including the next line break, or
    // maxChars characters, whichever comes first. A NUL byte ends the piece's text (what follows it up to
    // the piece's end is dropped), as text read into a C buffer would end there. False at the end of input.
    bool next(std::string& piece, std::size_t maxChars);

    // Pieces handed out so far: the number of the last piece read, counting from 1.
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
