// The paged texts of the help, about and introduction screens, read from plain text files under the
// resource folder's "help" directory (help.txt, about.txt, introduction.txt).
//
// File format (UTF-8, one directive per line, lines ending in LF or CRLF):
//
//   # a comment                      ignored (only at the start of a line)
//   == Title                         starts a new page with that title
//   @category ID[, ID ...]           the page explains these category ids (the help opens on it there)
//   @key CODE text                   one key, by key code: the screen shows the key's caption from the
//                                    key tables with the text
//   @library NAME | LICENCE | USE    one third-party component (the about screen's list)
//   | text                           a line shown exactly as written (commands, examples); consecutive
//                                    ones form one block
//   any other text                   paragraph text; consecutive lines join with a blank; an empty line
//                                    ends the paragraph
//
// Text before the first "==" forms an untitled first page. A directive that cannot be read (a key code
// outside 0..199, a category that is not a number) is skipped. Bytes that are not UTF-8 become U+FFFD. A
// missing file, or one larger than kMaxHelpFileSize, gives a document without pages.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/storage.h"

inline constexpr size_t kMaxHelpFileSize = 1 << 20;

struct HelpBlock {
    enum class Kind { Text, Code, Key, Library };
    Kind kind = Kind::Text;
    std::string text;     // the paragraph; the verbatim lines joined by "\n"; a key's explanation; a use
    int code = -1;        // Key: the key code
    std::string name;     // Library: the component's name
    std::string licence;  // Library: its licence
};

struct HelpPage {
    std::string title;
    std::vector<int> categories;
    std::vector<HelpBlock> blocks;
};

struct HelpDocument {
    std::vector<HelpPage> pages;

    // Every key code explained on any page, every category id named by an @category line.
    std::vector<int> explainedKeys() const;
    std::vector<int> explainedCategories() const;
    // The first page that explains categoryId, or -1.
    int pageOfCategory(int categoryId) const;
};

// Reads a document from the file's bytes (see the format above).
HelpDocument ParseHelpDocument(std::span<const std::uint8_t> bytes);
// Reads resourceFolder()/name ("help/help.txt"); an empty document when it is missing or too large.
HelpDocument LoadHelpDocument(const Storage& storage, const std::string& name);

// The text of a line as valid UTF-8: invalid bytes become U+FFFD, a trailing CR and blanks at both ends go.
std::string CleanHelpLine(std::string_view line);
