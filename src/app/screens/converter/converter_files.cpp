#include "app/screens/converter/converter_files.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace {

// Whitespace-separated decimal integers. next() yields nullopt for a word that is not a whole int (too
// large, not a number), and `ended` once the text is used up.
class NumberReader {
  public:
    explicit NumberReader(std::string_view text) : m_text(text) {}

    bool ended() {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    std::optional<int> next() {
        skipBlanks();
        std::size_t start = m_pos;
        while (m_pos < m_text.size() && !std::isspace(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_pos;
        int value = 0;
        auto [ptr, ec] = std::from_chars(first, last, value);
        if (start == m_pos || ec != std::errc() || ptr != last) return std::nullopt;
        return value;
    }

  private:
    void skipBlanks() {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

void AppendNumber(std::string& out, int n) {
    out += std::to_string(n);
    out += ' ';
}

bool InRange(const std::optional<int>& v, int limit) {
    return v && *v >= 0 && *v < limit;
}

// count, then count indices below limit (the valid ones kept in out); false when the count is bad or
// the text ends early.
bool ReadList(NumberReader& in, int limit, std::vector<int>& out) {
    if (in.ended()) return false;
    const std::optional<int> count = in.next();
    if (!count || *count < 0 || *count > kMaxFavourites) return false;
    for (int k = 0; k < *count; ++k) {
        if (in.ended()) return false;
        const std::optional<int> v = in.next();
        if (InRange(v, limit) && std::find(out.begin(), out.end(), *v) == out.end()) out.push_back(*v);
    }
    return true;
}

}  // namespace

BoxHistory DefaultBoxHistory() {
    BoxHistory h;
    h.fill(BoxUnits{0, 1, 2});
    return h;
}

std::string EncodeBoxHistory(const BoxHistory& history) {
    std::string out;
    out.reserve(kGroupSlots * 3 * 3);
    for (const BoxUnits& triple : history)
        for (int unit : triple) AppendNumber(out, unit);
    return out;
}

BoxHistory DecodeBoxHistory(std::string_view text) {
    BoxHistory h = DefaultBoxHistory();
    NumberReader in(text);
    for (BoxUnits& triple : h) {
        for (int box = 0; box < kUnitBoxes; ++box) {
            if (in.ended()) return h;
            const std::optional<int> v = in.next();
            if (InRange(v, kMaxUnitIndex)) triple[box] = *v;
        }
    }
    return h;
}

std::string EncodeFavouriteTable(const FavouriteTable& table) {
    std::string out;
    for (const std::vector<int>& list : table) out += EncodeFavouriteList(list);
    return out;
}

FavouriteTable DecodeFavouriteTable(std::string_view text) {
    FavouriteTable table;
    NumberReader in(text);
    for (std::vector<int>& list : table) {
        if (!ReadList(in, kMaxUnitIndex, list)) break;
    }
    return table;
}

std::string EncodeFavouriteList(const std::vector<int>& list) {
    std::string out;
    const int count = static_cast<int>(std::min<std::size_t>(list.size(), kMaxFavourites));
    AppendNumber(out, count);
    for (int k = 0; k < count; ++k) AppendNumber(out, list[k]);
    return out;
}

std::vector<int> DecodeFavouriteList(std::string_view text) {
    NumberReader in(text);
    std::vector<int> list;
    ReadList(in, kMaxGroupIndex, list);  // a list cut short keeps what it has
    return list;
}

void AddFavourite(std::vector<int>& list, int index) {
    list.erase(std::remove(list.begin(), list.end(), index), list.end());
    list.insert(list.begin(), index);
    if (list.size() > static_cast<std::size_t>(kMaxFavourites)) list.pop_back();
}

bool RemoveFavouriteAt(std::vector<int>& list, int position) {
    if (position < 0 || position >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + position);
    return true;
}
