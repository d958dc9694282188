#include "app/screens/help/help_document.h"

#include <algorithm>
#include <cstdlib>

#include "app/display/line_text.h"

namespace {

std::string_view Trim(std::string_view s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// A whole decimal number in lo..hi.
bool ReadInt(std::string_view s, int lo, int hi, int& out) {
    s = Trim(s);
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const int v = std::atoi(std::string(s).c_str());
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

std::vector<std::string_view> SplitFields(std::string_view s, char separator) {
    std::vector<std::string_view> out;
    for (;;) {
        const size_t p = s.find(separator);
        out.push_back(Trim(s.substr(0, p)));
        if (p == std::string_view::npos) return out;
        s.remove_prefix(p + 1);
    }
}

class Reader {
  public:
    void Line(std::string_view raw) {
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (StartsWith(raw, "#")) return;
        if (StartsWith(raw, "|")) {
            raw.remove_prefix(1);
            if (StartsWith(raw, " ")) raw.remove_prefix(1);
            Verbatim(raw);
            return;
        }
        const std::string line = CleanHelpLine(raw);
        if (line.empty()) {
            EndBlock();
        } else if (StartsWith(line, "==")) {
            EndBlock();
            m_doc.pages.push_back({CleanHelpLine(std::string_view(line).substr(2)), {}, {}});
        } else if (StartsWith(line, "@category")) {
            Categories(std::string_view(line).substr(9));
        } else if (StartsWith(line, "@key")) {
            Key(std::string_view(line).substr(4));
        } else if (StartsWith(line, "@library")) {
            Library(std::string_view(line).substr(8));
        } else {
            Paragraph(line);
        }
    }

    HelpDocument Finish() {
        EndBlock();
        return std::move(m_doc);
    }

  private:
    HelpPage& Page() {
        if (m_doc.pages.empty()) m_doc.pages.emplace_back();
        return m_doc.pages.back();
    }
    void EndBlock() { m_open = -1; }
    // The open block of the kind on the current page; fresh tells whether it was just started.
    HelpBlock& Block(HelpBlock::Kind kind, bool& fresh) {
        std::vector<HelpBlock>& blocks = Page().blocks;
        fresh = m_open < 0 || blocks[static_cast<size_t>(m_open)].kind != kind;
        if (fresh) {
            blocks.push_back({kind, {}, -1, {}, {}});
            m_open = static_cast<int>(blocks.size()) - 1;
        }
        return blocks[static_cast<size_t>(m_open)];
    }
    void Paragraph(const std::string& line) {
        bool fresh;
        HelpBlock& b = Block(HelpBlock::Kind::Text, fresh);
        if (!fresh) b.text += ' ';
        b.text += line;
    }
    void Verbatim(std::string_view raw) {
        std::string line = CleanHelpLine(raw);
        // Leading blanks are the point of a verbatim line; CleanHelpLine took them, so put them back.
        const size_t indent = raw.find_first_not_of(' ');
        if (indent != std::string_view::npos && !line.empty()) line.insert(0, indent, ' ');
        bool fresh;
        HelpBlock& b = Block(HelpBlock::Kind::Code, fresh);
        if (!fresh) b.text += '\n';
        b.text += line;
    }
    void Categories(std::string_view list) {
        EndBlock();
        for (std::string_view item : SplitFields(list, ',')) {
            int id;
            if (ReadInt(item, 0, 199, id)) Page().categories.push_back(id);
        }
    }
    void Key(std::string_view rest) {
        EndBlock();
        rest = Trim(rest);
        const size_t blank = rest.find(' ');
        int code;
        if (!ReadInt(rest.substr(0, blank), 0, 199, code)) return;
        HelpBlock b{HelpBlock::Kind::Key, {}, code, {}, {}};
        if (blank != std::string_view::npos) b.text = std::string(Trim(rest.substr(blank)));
        Page().blocks.push_back(std::move(b));
    }
    void Library(std::string_view rest) {
        EndBlock();
        const std::vector<std::string_view> f = SplitFields(rest, '|');
        if (f.empty() || f[0].empty()) return;
        HelpBlock b{HelpBlock::Kind::Library, {}, -1, std::string(f[0]), {}};
        if (f.size() > 1) b.licence = std::string(f[1]);
        if (f.size() > 2) b.text = std::string(f[2]);
        Page().blocks.push_back(std::move(b));
    }

    HelpDocument m_doc;
    int m_open = -1;  // index of the paragraph or verbatim block on the current page that lines continue
};

}  // namespace

std::string CleanHelpLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return U16ToUtf8(Utf8ToU16(Trim(line)));
}

HelpDocument ParseHelpDocument(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxHelpFileSize) return {};
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Reader reader;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        reader.Line(text.substr(start, end - start));
        start = end + 1;
    }
    return reader.Finish();
}

HelpDocument LoadHelpDocument(const Storage& storage, const std::string& name) {
    const auto bytes = storage.readFile(ResourcePath(storage, name));
    if (!bytes) return {};
    return ParseHelpDocument(*bytes);
}

std::vector<int> HelpDocument::explainedKeys() const {
    std::vector<int> out;
    for (const HelpPage& p : pages) {
        for (const HelpBlock& b : p.blocks) {
            if (b.kind == HelpBlock::Kind::Key) out.push_back(b.code);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int> HelpDocument::explainedCategories() const {
    std::vector<int> out;
    for (const HelpPage& p : pages) out.insert(out.end(), p.categories.begin(), p.categories.end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int HelpDocument::pageOfCategory(int categoryId) const {
    for (size_t i = 0; i < pages.size(); ++i) {
        const auto& c = pages[i].categories;
        if (std::find(c.begin(), c.end(), categoryId) != c.end()) return static_cast<int>(i);
    }
    return -1;
}
