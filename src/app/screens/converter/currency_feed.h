// The texts of a currency update: the reference-rate XML of the default feed turned into a currency table,
// and the check every downloaded table passes before it may replace the one in use.
//
// Currency table grammar (the flat unit-file grammar): a first line whose text after its first blank is the
// table's date; "#" lines are comments or headers; a "Begin Currency" section closed by "End" whose lines
// give name, symbol, factor (value of one unit in the base currency), offset 0 and the base's symbol, the
// base itself marked "!".
#pragma once

#include <string>
#include <vector>

// The table's date: its first line's text after the first blank, trimmed; empty when there is none.
std::string CurrencyTableDateOfText(const std::string& table);

// One day of the reference-rate feed: the units of each currency one euro buys.
struct FeedRates {
    struct Rate {
        std::string code;  // ISO 4217, three capital letters
        double perEuro = 0;
    };
    std::string date;
    std::vector<Rate> rates;
};

// True when body is XML of the feed's kind (it holds a "Cube" element).
bool IsReferenceRateXml(const std::string& body);

// Reads the feed's XML: the first Cube element with a "time" attribute gives the date, the Cube elements
// inside it with "currency" and "rate" attributes (quoted with ' or ") give the rates. Rates that are not
// positive finite numbers, codes that are not three capital letters, EUR itself and repeated codes are
// skipped. False when the document is not complete (an element left open, as a cut transfer leaves it),
// when it carries no date, or when no rate is left.
bool ParseReferenceRates(const std::string& body, FeedRates& out);

// What a currency table text holds. ok: the flat reader reads every line, at least one currency has a
// positive finite factor, and the Currency section is present, closed and not empty.
struct CurrencyTableCheck {
    bool ok = false;
    std::string date;    // the first line's text after its first blank, trimmed
    int count = 0;       // currencies of the Currency section
    std::string reason;  // why not ok
};
CurrencyTableCheck CheckCurrencyTable(const std::string& table);

// The table made from a day of rates, with the euro as its base. Currencies keep the order and the names of
// `current` (the table in use); currencies of the feed that `current` lacks follow, named after `shipped`
// (the table that came with the application) or by their code. A currency of `current` that the feed does
// not carry is kept with its old value in euros (when `current` can convert it into EUR), after a comment
// line "# rate of <date>, not in the feed of <feed date>" naming the date its value is from.
std::string BuildCurrencyTable(const FeedRates& rates, const std::string& current,
                               const std::string& shipped);

// A downloaded body made ready to store: the feed's XML converted by BuildCurrencyTable, any other body
// taken as it is; either way it must pass CheckCurrencyTable.
struct PreparedCurrencyTable {
    bool ok = false;
    std::string text;  // what is to be stored
    CurrencyTableCheck check;
};
PreparedCurrencyTable PrepareCurrencyTable(const std::string& body, const std::string& current,
                                           const std::string& shipped);
