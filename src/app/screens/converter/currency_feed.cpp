#include "app/screens/converter/currency_feed.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "units/unit_convert.h"
#include "units/unit_text.h"
#include "units/units_reader.h"

namespace {

constexpr const char* kEuro = "EUR";
constexpr const char* kKeptMark = "rate of ";

using Attributes = std::map<std::string, std::string>;

// Attributes of a start tag's inside ("Cube currency='USD' rate='1.08'"), after its name.
Attributes ParseAttributes(const std::string& inside, std::size_t pos) {
    Attributes attrs;
    auto blank = [&](std::size_t i) { return i < inside.size() && std::isspace((unsigned char)inside[i]); };
    while (pos < inside.size()) {
        while (blank(pos)) ++pos;
        std::size_t nameStart = pos;
        while (pos < inside.size() && inside[pos] != '=' && !blank(pos)) ++pos;
        std::string name = inside.substr(nameStart, pos - nameStart);
        while (blank(pos)) ++pos;
        if (pos >= inside.size() || inside[pos] != '=') break;
        ++pos;
        while (blank(pos)) ++pos;
        if (pos >= inside.size() || (inside[pos] != '\'' && inside[pos] != '"')) break;
        const char quote = inside[pos++];
        const std::size_t end = inside.find(quote, pos);
        if (end == std::string::npos) break;
        attrs[name] = inside.substr(pos, end - pos);
        pos = end + 1;
    }
    return attrs;
}

// End of the tag starting at lt: the first ">" outside quotes; npos when the text ends first.
std::size_t TagEnd(const std::string& s, std::size_t lt) {
    char quote = 0;
    for (std::size_t i = lt + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string::npos;
}

std::string LocalName(const std::string& name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

bool IsCurrencyCode(const std::string& code) {
    if (code.size() != 3) return false;
    for (char c : code)
        if (c < 'A' || c > 'Z') return false;
    return true;
}

bool PositiveNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value) && value > 0;
}

}  // namespace

std::string CurrencyTableDateOfText(const std::string& text) {
    std::string line = text.substr(0, std::min(text.find('\n'), std::size_t{255}));
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) return {};
    std::string date = line.substr(blank + 1);
    unit_text::trimLeft(date);
    unit_text::trimRight(date);
    return date;
}

namespace {

std::string BlanksToUnderscores(std::string s) {
    for (char& c : s)
        if (c == ' ') c = '_';
    return s;
}

std::string UnitLine(const std::string& name, const std::string& symbol, double euros) {
    char buf[300];
    if (symbol == kEuro) {
        std::snprintf(buf, sizeof buf, "%-24s %-5s !\n", BlanksToUnderscores(name).c_str(), kEuro);
    } else {
        std::snprintf(buf, sizeof buf, "%-24s %-5s %-22.16g 0 %s\n", BlanksToUnderscores(name).c_str(),
                      BlanksToUnderscores(symbol).c_str(), euros, kEuro);
    }
    return buf;
}

// The unit lines of a table in file order, each with the date its value is from: the date of a
// "# rate of <date>" comment right before it, else the table's date.
struct DatedUnit {
    UNIT_STRUCT unit;
    std::string date;
};
std::vector<DatedUnit> DatedUnits(const std::string& table) {
    std::vector<DatedUnit> out;
    const std::string tableDate = CurrencyTableDateOfText(table);
    std::string pending;
    std::size_t pos = 0;
    while (pos < table.size()) {
        std::size_t nl = table.find('\n', pos);
        if (nl == std::string::npos) nl = table.size();
        std::string line = table.substr(pos, nl - pos);
        pos = nl + 1;
        unit_text::blankAndTrim(line, "\t\r");
        if (line.empty() || line[0] == '@') continue;
        if (line[0] == '#') {
            std::string rest = line.substr(1);
            unit_text::trimLeft(rest);
            if (unit_text::startsWithNoCase(rest, kKeptMark)) {
                std::string word = rest.substr(std::string(kKeptMark).size());
                unit_text::findWord(pending, word);
                if (!pending.empty() && pending.back() == ',') pending.pop_back();
            }
            continue;
        }
        DatedUnit d;
        if (ParseUnitLine(line, d.unit)) {
            d.date = pending.empty() ? tableDate : pending;
            out.push_back(std::move(d));
        }
        pending.clear();
    }
    return out;
}

bool ClosedCurrencySection(const std::string& table) {
    bool open = false;
    std::size_t pos = 0;
    while (pos < table.size()) {
        std::size_t nl = table.find('\n', pos);
        if (nl == std::string::npos) nl = table.size();
        std::string line = table.substr(pos, nl - pos);
        pos = nl + 1;
        if (line.empty() || line[0] != '#') continue;
        unit_text::blankAndTrim(line, "#\t\r:");
        std::string word;
        unit_text::findWord(word, line);
        if (unit_text::equalsNoCase(word, "Begin")) {
            std::string section;
            unit_text::findWord(section, line);
            if (unit_text::equalsNoCase(section, "Currency")) open = true;
        } else if (open && unit_text::equalsNoCase(word, "End")) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsReferenceRateXml(const std::string& body) {
    return body.find("<Cube") != std::string::npos || body.find(":Cube") != std::string::npos;
}

bool ParseReferenceRates(const std::string& body, FeedRates& out) {
    out = FeedRates{};
    std::vector<std::string> open;
    std::set<std::string> seen;
    bool anyElement = false;
    std::size_t dayDepth = 0;  // depth of the dated Cube while inside it, else 0
    bool dayDone = false;
    std::size_t pos = 0;
    while ((pos = body.find('<', pos)) != std::string::npos) {
        if (body.compare(pos, 4, "<!--") == 0) {
            const std::size_t end = body.find("-->", pos + 4);
            if (end == std::string::npos) return false;
            pos = end + 3;
            continue;
        }
        const std::size_t gt = TagEnd(body, pos);
        if (gt == std::string::npos) return false;  // cut inside a tag
        std::string inside = body.substr(pos + 1, gt - pos - 1);
        pos = gt + 1;
        if (inside.empty() || inside[0] == '?' || inside[0] == '!') continue;
        if (inside[0] == '/') {
            std::string name = inside.substr(1);
            unit_text::trimRight(name);
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
            if (dayDepth != 0 && open.size() < dayDepth) {
                dayDepth = 0;
                dayDone = true;
            }
            continue;
        }
        const bool selfClosing = inside.back() == '/';
        if (selfClosing) inside.pop_back();
        std::size_t nameEnd = 0;
        while (nameEnd < inside.size() && !std::isspace(static_cast<unsigned char>(inside[nameEnd])))
            ++nameEnd;
        const std::string name = inside.substr(0, nameEnd);
        anyElement = true;
        if (LocalName(name) == "Cube") {
            const Attributes a = ParseAttributes(inside, nameEnd);
            const auto time = a.find("time");
            const auto code = a.find("currency");
            const auto rate = a.find("rate");
            double perEuro = 0;
            if (time != a.end() && !dayDone && dayDepth == 0 && !selfClosing) {
                out.date = time->second;
                dayDepth = open.size() + 1;
            } else if (dayDepth != 0 && code != a.end() && rate != a.end() && IsCurrencyCode(code->second) &&
                       code->second != kEuro && PositiveNumber(rate->second, perEuro) &&
                       seen.insert(code->second).second) {
                out.rates.push_back({code->second, perEuro});
            }
        }
        if (!selfClosing) open.push_back(name);
    }
    // The date becomes the table's first line: one short word.
    bool dateOk = !out.date.empty() && out.date.size() <= 32;
    for (char c : out.date) dateOk = dateOk && static_cast<unsigned char>(c) > ' ';
    return anyElement && open.empty() && dateOk && !out.rates.empty();
}

CurrencyTableCheck CheckCurrencyTable(const std::string& table) {
    CurrencyTableCheck r;
    r.date = CurrencyTableDateOfText(table);
    CUnitConvert conv;
    conv.openFileText(table);
    if (conv.getStatus() != 0) {
        r.reason = "line " + std::to_string(conv.getStatus()) + " is not a currency line";
        return r;
    }
    int priced = 0;
    for (const UNIT_STRUCT& u : conv.getUnits()) priced += std::isfinite(u.m_dbFactor) && u.m_dbFactor > 0;
    if (priced == 0) {
        r.reason = "no currency with a rate";
        return r;
    }
    CUnits reader;
    reader.setText(table);
    std::vector<UNIT_STRUCT> listed;
    if (reader.getUnits("Currency", listed) != 1 || listed.empty() || !ClosedCurrencySection(table)) {
        r.reason = "no complete Currency section";
        return r;
    }
    r.count = static_cast<int>(listed.size());
    r.ok = true;
    return r;
}

std::string BuildCurrencyTable(const FeedRates& rates, const std::string& current,
                               const std::string& shipped) {
    std::map<std::string, double> perEuro;
    for (const FeedRates::Rate& r : rates.rates) perEuro.emplace(r.code, r.perEuro);
    CUnitConvert inUse;
    inUse.openFileText(current);

    std::string body;
    std::set<std::string> written;
    bool euroWritten = false;
    for (const DatedUnit& d : DatedUnits(current)) {
        const std::string& code = d.unit.m_sSymbol;
        if (!written.insert(code).second) continue;
        if (code == kEuro) {
            body += UnitLine(d.unit.m_sName, kEuro, 1);
            euroWritten = true;
        } else if (auto it = perEuro.find(code); it != perEuro.end()) {
            body += UnitLine(d.unit.m_sName, code, 1 / it->second);
        } else {
            double factor = 0, offset = 0;
            bool reciprocal = false;
            if (!inUse.compareUnits(code, kEuro, factor, offset, reciprocal) || reciprocal || offset != 0 ||
                !std::isfinite(factor) || factor <= 0)
                continue;  // no value in euros to keep
            body += "# " + std::string(kKeptMark) + d.date + ", not in the feed of " + rates.date + "\n";
            body += UnitLine(d.unit.m_sName, code, factor);
        }
    }
    if (!euroWritten) body.insert(0, UnitLine("Euro", kEuro, 1));
    std::map<std::string, std::string> shippedNames;
    for (const DatedUnit& d : DatedUnits(shipped)) shippedNames.emplace(d.unit.m_sSymbol, d.unit.m_sName);
    for (const FeedRates::Rate& r : rates.rates) {
        if (!written.insert(r.code).second) continue;
        const auto name = shippedNames.find(r.code);
        body += UnitLine(name == shippedNames.end() ? r.code : name->second, r.code, 1 / r.perEuro);
    }
    return "#Date " + rates.date + "\n" +
           "# Currency table made from the euro foreign exchange reference rates of " + rates.date + ".\n" +
           "# Unit line: currency name, ISO 4217 code, value of one unit in euros, offset 0, base EUR.\n" +
           "#Begin Currency 0\n" + body + "#End\n";
}

PreparedCurrencyTable PrepareCurrencyTable(const std::string& body, const std::string& current,
                                           const std::string& shipped) {
    PreparedCurrencyTable p;
    if (IsReferenceRateXml(body)) {
        FeedRates rates;
        if (!ParseReferenceRates(body, rates)) {
            p.check.reason = "the rate feed is incomplete or carries no rates";
            return p;
        }
        p.text = BuildCurrencyTable(rates, current, shipped);
    } else {
        p.text = body;
    }
    p.check = CheckCurrencyTable(p.text);
    p.ok = p.check.ok;
    if (!p.ok) p.text.clear();
    return p;
}
