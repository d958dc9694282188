// orvcalc --update-currency: the currency converter's download, run from the terminal.
#pragma once

#include <ostream>

// Downloads the currency table from the feed (CurrencyFeedURL: --currency-url, $ORVCALC_CURRENCY_URL, the
// settings file, or the default feed), converts and checks it as the currency converter does, and stores
// it in the documents folder, where --convert and the converter screen then find it. Prints the table's
// date and its number of currencies. Returns 0, or 1 (with the reason on err) when nothing was stored.
int RunUpdateCurrency(std::ostream& out, std::ostream& err);
