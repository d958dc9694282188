#include "units/unit_lookup.h"

#include <algorithm>

#include "units/unit_text.h"
#include "units/units_reader.h"

namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

// Blanks and underscores dropped, the typed look-alikes of ASCII replaced.
std::string Squeezed(std::string s) {
    ReplaceAll(s, "\xC2\xB2", "2");  // ²
    ReplaceAll(s, "\xC2\xB3", "3");  // ³
    ReplaceAll(s, "\xC2\xB5", "u");  // µ (micro sign)
    ReplaceAll(s, "\xCE\xBC", "u");  // μ (Greek mu)
    ReplaceAll(s, "\xC2\xB7", "*");  // ·
    std::erase_if(s, [](char c) { return c == ' ' || c == '_' || c == '\t'; });
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool Same(bool ignoreCase, const std::string& a, const std::string& b) {
    return ignoreCase ? Lower(a) == Lower(b) : a == b;
}

void AddOnce(std::vector<UnitMatch>& out, UnitMatch m) {
    for (const UnitMatch& o : out)
        if (o.group == m.group && o.index == m.index) return;
    out.push_back(std::move(m));
}

// Spellings to try when the text as typed finds nothing: British spelling, then without a plural ending.
std::vector<std::string> Variants(const std::string& lowered) {
    std::vector<std::string> stems{lowered};
    std::string british = lowered;
    ReplaceAll(british, "meter", "metre");
    ReplaceAll(british, "liter", "litre");
    if (british != lowered) stems.push_back(british);
    std::vector<std::string> out;
    for (const std::string& s : stems) {
        if (s != lowered) out.push_back(s);
        auto ends = [&](const char* e) { return s.size() > std::string(e).size() && s.ends_with(e); };
        // The shortest cut first: "miles" is a mile, not a mil.
        if (ends("s")) out.push_back(s.substr(0, s.size() - 1));
        if (ends("es")) out.push_back(s.substr(0, s.size() - 2));
        if (ends("ies")) out.push_back(s.substr(0, s.size() - 3) + "y");
    }
    return out;
}

}  // namespace

UnitDirectory UnitDirectory::load(const UnitDataFiles& files, const std::string& aliasFile) {
    UnitDirectory d;
    for (const UNIT_GROUP& g : ListConverterGroups(files.groups))
        d.m_groups.push_back({g.m_sName, ListGroupUnits(files.units, g.m_sName)});
    d.m_groups.push_back({kCurrencyGroupName, ListGroupUnits(files.currency, kCurrencyGroupName)});
    CUnits reader;
    reader.setFileName(aliasFile);
    std::vector<UNIT_STRUCT> rows;
    reader.getSpecialUnits("Aliases", rows);
    for (const UNIT_STRUCT& row : rows) {
        if (row.m_arrNumer.empty()) continue;
        Alias a{Squeezed(row.m_sName), Squeezed(row.m_arrNumer[0]), ""};
        if (row.m_arrNumer.size() > 1) a.group = unit_text::underscoresToBlanks(row.m_arrNumer[1]);
        if (!a.key.empty()) d.m_aliases.push_back(std::move(a));
    }
    return d;
}

std::vector<UnitMatch> UnitDirectory::unitsWhere(bool ignoreCase, const std::string& text) const {
    std::vector<UnitMatch> out;
    for (const Group& g : m_groups) {
        for (std::size_t i = 0; i < g.units.size(); ++i) {
            const UNIT_STRUCT& u = g.units[i];
            if (Same(ignoreCase, Squeezed(u.m_sName), text) || Same(ignoreCase, Squeezed(u.m_sSymbol), text))
                AddOnce(out, {g.name, static_cast<int>(i), u.m_sName, u.m_sSymbol});
        }
    }
    return out;
}

std::vector<UnitMatch> UnitDirectory::aliasesWhere(bool ignoreCase, const std::string& text) const {
    std::vector<UnitMatch> out;
    for (const Alias& a : m_aliases) {
        if (!Same(ignoreCase, a.key, text)) continue;
        for (const Group& g : m_groups) {
            if (!a.group.empty() && !unit_text::equalsNoCase(a.group, g.name)) continue;
            for (std::size_t i = 0; i < g.units.size(); ++i) {
                if (Squeezed(g.units[i].m_sSymbol) == a.symbol)
                    AddOnce(out, {g.name, static_cast<int>(i), g.units[i].m_sName, g.units[i].m_sSymbol});
            }
        }
    }
    return out;
}

std::vector<std::vector<UnitMatch>> UnitDirectory::findAll(const std::string& typed) const {
    std::vector<std::vector<UnitMatch>> levels;
    const std::string t = Squeezed(typed);
    if (t.empty()) return levels;
    auto add = [&](std::vector<UnitMatch> found) {
        if (!found.empty()) levels.push_back(std::move(found));
    };
    add(unitsWhere(false, t));
    add(aliasesWhere(false, t));
    add(aliasesWhere(true, t));
    add(unitsWhere(true, t));
    for (const std::string& v : Variants(Lower(t))) {
        add(aliasesWhere(true, v));
        add(unitsWhere(true, v));
    }
    return levels;
}

std::vector<UnitMatch> UnitDirectory::find(const std::string& typed) const {
    std::vector<std::vector<UnitMatch>> levels = findAll(typed);
    return levels.empty() ? std::vector<UnitMatch>{} : std::move(levels.front());
}

namespace {

std::vector<UnitMatch> InGroup(const std::vector<UnitMatch>& all, const std::string& group) {
    std::vector<UnitMatch> in;
    for (const UnitMatch& m : all)
        if (m.group == group) in.push_back(m);
    return in;
}

// The first group that holds a meaning of each; false when none does.
bool Pair(const UnitDirectory& directory, const std::vector<UnitMatch>& f, const std::vector<UnitMatch>& t,
          const std::string& from, const std::string& to, UnitPair& p) {
    for (const UnitDirectory::Group& g : directory.groups()) {
        const std::vector<UnitMatch> fg = InGroup(f, g.name), tg = InGroup(t, g.name);
        if (fg.empty() || tg.empty()) continue;
        if (fg.size() > 1 || tg.size() > 1) {
            p.status = kStatusAmbiguous;
            p.text = fg.size() > 1 ? from : to;
            p.candidates = fg.size() > 1 ? fg : tg;
        } else {
            p.group = g.name;
            p.from = fg[0];
            p.to = tg[0];
        }
        return true;
    }
    return false;
}

}  // namespace

UnitPair ResolveUnitPair(const UnitDirectory& directory, const std::string& from, const std::string& to,
                         const std::string& groupFilter) {
    UnitPair p;
    auto levelsOf = [&](const std::string& text) {
        std::vector<std::vector<UnitMatch>> levels = directory.findAll(text);
        for (auto& level : levels) {
            std::erase_if(level, [&](const UnitMatch& m) {
                return !groupFilter.empty() &&
                       !unit_text::equalsNoCase(unit_text::underscoresToBlanks(groupFilter), m.group);
            });
        }
        std::erase_if(levels, [](const std::vector<UnitMatch>& level) { return level.empty(); });
        return levels;
    };
    const auto f = levelsOf(from), t = levelsOf(to);
    if (f.empty() || t.empty()) {
        p.status = kStatusUnitNotFound;
        p.text = f.empty() ? from : to;
        return p;
    }
    // Closer readings first: a unit's own name or symbol pairs before an alias or a looser spelling does,
    // but a looser reading that pairs beats a close one that does not ("gal" the galileo with L).
    for (std::size_t sum = 0; sum < f.size() + t.size() - 1; ++sum) {
        for (std::size_t i = 0; i <= sum && i < f.size(); ++i) {
            if (sum - i < t.size() && Pair(directory, f[i], t[sum - i], from, to, p)) return p;
        }
    }
    p.status = kStatusNotConvertible;
    return p;
}
