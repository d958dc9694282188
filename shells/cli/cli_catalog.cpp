#include "cli_catalog.h"

#include <cctype>
#include <cstdlib>
#include <set>

#include "app/screens/converter/currency_update.h"
#include "cli_calculator.h"
#include "common/folder_storage.h"
#include "constants/constant_catalog.h"
#include "constants/constant_insert.h"
#include "units/data_path.h"
#include "units/unit_catalog.h"
#include "units/unit_format.h"
#include "units/unit_lookup.h"

namespace {

// Names compare without case, and "_" stands for a blank (as in the data files), so that a name can be
// typed without quotes.
bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    auto norm = [](char c) { return c == '_' ? ' ' : std::tolower(static_cast<unsigned char>(c)); };
    for (size_t i = 0; i < a.size(); ++i)
        if (norm(a[i]) != norm(b[i])) return false;
    return true;
}

// The shipped data files, with the currency table in use (a downloaded one once --update-currency or the
// currency converter has stored it).
UnitDataFiles FilesInUse() {
    UnitDataFiles files = UnitDataFiles::shipped();
    FolderStorage storage(DefaultDocumentsFolder(), DataDirectory());
    files.currency = CurrencyTableInUse(storage).path;
    return files;
}

// A number, or else the value of an expression.
bool ValueOf(const std::string& text, double& v) {
    char* end = nullptr;
    v = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '\0') return true;
    LineResult r = EvaluateLine(text, CliOptions{});
    if (r.error) return false;
    std::string plain;
    for (char c : r.text)
        if (c != ',') plain += c;  // drop the grouping
    v = std::strtod(plain.c_str(), &end);
    return *end == '\0';
}

const char* StatusText(int status) {
    if (status == kStatusUnitNotFound) return "unknown unit";
    if (status == kStatusNotConvertible) return "the units cannot be converted into each other";
    if (status == kStatusNoFile) return "a data file is missing";
    return "a data file is damaged";
}

}  // namespace

int RunConvert(const std::string& value, const std::string& from, const std::string& to,
               const std::string& group, std::ostream& out, std::ostream& err) {
    double v;
    if (!ValueOf(value, v)) {
        err << "orvcalc: invalid value " << value << "\n";
        return 1;
    }
    const UnitDataFiles files = FilesInUse();
    const UnitDirectory directory = UnitDirectory::load(files, DataFilePath("unitalias.dat"));
    const UnitPair pair = ResolveUnitPair(directory, from, to, group);
    if (pair.status == kStatusAmbiguous) {
        err << "orvcalc: " << pair.text << " is ambiguous:";
        for (size_t i = 0; i < pair.candidates.size(); ++i)
            err << (i ? ", " : " ") << pair.candidates[i].name << " (" << pair.candidates[i].symbol << ")";
        err << " in " << pair.candidates.front().group << "\n";
        return 1;
    }
    UnitConversion c;
    c.status = pair.status;
    const bool currency = pair.group == kCurrencyGroupName;
    if (pair.status == 0) {
        c = currency ? ConvertCurrency(files.currency, pair.from.symbol, pair.to.symbol, v)
                     : ConvertInGroup(files.units, pair.group, pair.from.name, pair.to.name, v);
    }
    if (c.ok()) {
        out << (currency ? FormatCurrencyResult(c.value) : FormatUnitResult(c.value)) << "\n";
        return 0;
    }
    err << "orvcalc: " << from << " to " << to << ": " << StatusText(c.status);
    if (c.status == kStatusUnitNotFound && !pair.text.empty()) err << " '" << pair.text << "'";
    err << "\n";
    return 1;
}

int RunUnits(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const UnitDataFiles files = FilesInUse();
    if (args.empty()) {
        std::vector<UNIT_GROUP> groups = ListConverterGroups(files.groups);
        if (groups.empty()) {
            err << "orvcalc: the unit groups cannot be read\n";
            return 1;
        }
        out << kClothingGroupName << "\n";
        for (const UNIT_GROUP& g : groups) out << g.m_sName << "\n";
        out << CurrencyCaption(files.currency) << "\n";
        return 0;
    }
    const std::string& name = args[0];
    auto list = [&](const std::vector<UNIT_STRUCT>& units) {
        for (const UNIT_STRUCT& u : units) {
            out << u.m_sName;
            if (!u.m_sSymbol.empty() && u.m_sSymbol != u.m_sName) out << " (" << u.m_sSymbol << ")";
            out << "\n";
        }
        return units.empty() ? 1 : 0;
    };
    if (SameNoCase(name, kCurrencyGroupName)) return list(ListGroupUnits(files.currency, kCurrencyGroupName));
    if (SameNoCase(name, kClothingGroupName)) {
        for (const UNIT_GROUP& g : ListClothingCharts(files.clothingGroups)) out << g.m_sName << "\n";
        return 0;
    }
    for (const UNIT_GROUP& g : ListClothingCharts(files.clothingGroups)) {
        if (!SameNoCase(g.m_sName, name)) continue;
        for (const UNIT_STRUCT& row : ReadClothingChart(files.clothing, g.m_sName)) {
            out << row.m_sName;
            for (const std::string& cell : row.m_arrNumer) out << "\t" << cell;
            out << "\n";
        }
        return 0;
    }
    for (const UNIT_GROUP& g : ListConverterGroups(files.groups)) {
        if (SameNoCase(g.m_sName, name)) return list(ListGroupUnits(files.units, g.m_sName));
    }
    err << "orvcalc: no unit group " << name << "\n";
    return 1;
}

int RunConstants(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<ConstantEntry> all =
        ListAllConstants(DataFilePath("const.dat"), DataFilePath("groupconst.dat"));
    if (all.empty()) {
        err << "orvcalc: the constants library cannot be read\n";
        return 1;
    }
    std::vector<std::string> seen;
    auto once = [&](const std::string& s) {
        for (const std::string& t : seen)
            if (t == s) return false;
        seen.push_back(s);
        return true;
    };
    if (args.empty()) {
        for (const ConstantEntry& c : all)
            if (once(c.group)) out << c.group << "\n";
        return 0;
    }
    bool any = false;
    for (const ConstantEntry& c : all) {
        if (!SameNoCase(c.group, args[0])) continue;
        any = true;
        if (args.size() == 1 && !c.subGroup.empty()) {
            if (once(c.subGroup)) out << c.subGroup << "\n";
            continue;
        }
        if (args.size() >= 2 && !SameNoCase(c.subGroup, args[1]) && !SameNoCase(c.subSubGroup, args[1]))
            continue;
        out << c.name << " = " << c.value << "  ->  " << ConstantInsertText(c.group, c.value) << "\n";
    }
    if (!any) {
        err << "orvcalc: no constants group " << args[0] << "\n";
        return 1;
    }
    return 0;
}
