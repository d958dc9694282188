// The display's history: the last 120 evaluated lines with their results, newest first, and the texts
// the mail forwarding builds from it.
//
// Entries are stored lines (_RAW_EXPRESSION_INPUT); an entry is in use when its text length is above 0,
// and the entries in use are contiguous from index 0. The history file "history_v14.dat" is the 120
// records of 1648 bytes in index order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/display/input_line.h"
#include "app/display/raw_expression_input.h"

class LedHistory {
  public:
    static constexpr int kEntries = 120;
    static constexpr size_t kFileSize = kEntries * _RAW_EXPRESSION_INPUT::kSize;

    LedHistory();

    // Moves every entry one place down (the oldest drops out) and writes the line and its result (cut at
    // a whole character to 50 units) into entry 0.
    void Push(const InputLine& line, const std::u16string& result);
    // Zero-fills every entry.
    void Clear();

    // Number of entries in use; entry 0 empty means an empty history.
    int count() const;
    bool empty() const { return count() == 0; }
    // Entry index (0 = newest); null outside 0..119.
    const _RAW_EXPRESSION_INPUT* entry(int index) const;
    const std::vector<_RAW_EXPRESSION_INPUT>& entries() const { return m_entries; }

    // The file's 197760 bytes, and reading them back: a file of another size or with a record that does
    // not add up gives false and leaves the history as it was; entries after the first empty one are
    // dropped so that the entries in use stay contiguous.
    std::vector<std::uint8_t> Encode() const;
    bool Decode(std::span<const std::uint8_t> bytes);

    // The mail body: one line "<expression> = <result>\n" per entry in use, oldest first.
    std::u16string MailBody() const;

  private:
    std::vector<_RAW_EXPRESSION_INPUT> m_entries;
};

// Percent-escapes the UTF-8 form of text: every byte other than the unreserved characters A-Z a-z 0-9
// "-" "." "_" "~" becomes "%XX" (capital hex digits), so that "=", "&", "+", blanks and line feeds in a
// header value cannot be mistaken for the address's own separators.
std::string PercentEscape(const std::u16string& text);

// The address that hands a mail body to the mail program: "mailto:?subject=&body=<body>" without a
// recipient, "mailto:<recipient>?subject=<subject>&body=<body>" with one; every part percent-escaped.
struct MailRecipient {
    std::u16string address;
    std::u16string subject;
};
std::string MailtoAddress(const std::u16string& body, const std::optional<MailRecipient>& recipient);
