// Finding units the way people type them, for the terminal converter: names and symbols without regard to
// case or blanks, a table of aliases ("°C", "gallon", "mpg", "kph", "sq m" ...), plurals and US spellings.
// The converter screens list units as the data files give them and do not use this.
#pragma once

#include <string>
#include <vector>

#include "units/unit_catalog.h"
#include "units/unit_types.h"

// A typed text found no unit of the pair's group, or stands for several units there.
constexpr int kStatusAmbiguous = -4;

// One unit a typed text can mean.
struct UnitMatch {
    std::string group;  // its group ("Currency" for the currency table)
    int index = -1;     // its position in the group
    std::string name;
    std::string symbol;
};

class UnitDirectory {
  public:
    struct Group {
        std::string name;
        std::vector<UNIT_STRUCT> units;
    };

    // Every group the unit converter offers (file order) with its units, then the currency table as the
    // group "Currency", and the aliases of aliasFile (section "Aliases": alias, unit symbol, optional group;
    // underscores for blanks). A file that cannot be read leaves its part empty.
    static UnitDirectory load(const UnitDataFiles& files, const std::string& aliasFile);

    // The units typed can mean, from the first of these steps that finds any (blanks and underscores never
    // count; "²", "³", "µ"/"μ" and "·" read as "2", "3", "u" and "*"):
    //  1. a unit's name or symbol as typed;
    //  2. an alias as typed, then 3. an alias in any case;
    //  4. a unit's name or symbol in any case;
    //  5. the same (aliases, then units) for the typed text with "meter"/"liter" spelled "metre"/"litre" and
    //     a plural ending taken off ("s", else "es", else "ies" -> "y").
    // Empty when nothing matches.
    std::vector<UnitMatch> find(const std::string& typed) const;
    // Every step's findings, in step order (steps that find nothing left out).
    std::vector<std::vector<UnitMatch>> findAll(const std::string& typed) const;

    const std::vector<Group>& groups() const { return m_groups; }

  private:
    struct Alias {
        std::string key;     // without blanks
        std::string symbol;  // without blanks
        std::string group;   // empty: any group
    };
    std::vector<UnitMatch> unitsWhere(bool ignoreCase, const std::string& text) const;
    std::vector<UnitMatch> aliasesWhere(bool ignoreCase, const std::string& text) const;

    std::vector<Group> m_groups;
    std::vector<Alias> m_aliases;
};

// The two units of a conversion: both texts are looked up (findAll), and the first group (in directory
// order) that holds a meaning of each is taken, trying the closest readings of both first and a looser
// reading of either only when the closer ones share no group. Status 0; kStatusUnitNotFound when a text means
// nothing (text says which); kStatusNotConvertible when no group holds both; kStatusAmbiguous when a text
// means several units of that group (text and candidates say which). groupFilter (any case, "_" for blanks)
// keeps one group.
struct UnitPair {
    int status = 0;
    std::string group;
    UnitMatch from;
    UnitMatch to;
    std::string text;
    std::vector<UnitMatch> candidates;
};
UnitPair ResolveUnitPair(const UnitDirectory& directory, const std::string& from, const std::string& to,
                         const std::string& groupFilter = "");
