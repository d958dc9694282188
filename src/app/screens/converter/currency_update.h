// Updating the currency table from a feed: where the feed is, which table is in use, and the download that
// checks, converts and stores a new table. Shared by the currency converter screen and the terminal's
// --update-currency, so that both store exactly the same file.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/http_fetch.h"
#include "platform/storage.h"

inline constexpr const char* kUpdatedCurrencyFile = "/updatedCurrency_v15.data";
inline constexpr const char* kCurrencyUpdateFlag = "currencyUpdateFlag_v15";
inline constexpr const char* kShippedCurrencyFile = "currency.dat";
// The settings-file key of the feed's address.
inline constexpr const char* kCurrencyFeedSetting = "CurrencyFeedURL";
// The environment variable of the feed's address.
inline constexpr const char* kCurrencyFeedVariable = "ORVCALC_CURRENCY_URL";
// The European Central Bank's daily euro reference rates (free, no key).
inline constexpr const char* kDefaultCurrencyFeed =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
inline constexpr double kCurrencyDownloadTimeout = 60;  // seconds

// The feed address a shell was given on its command line (--currency-url); empty when none.
extern std::string g_sCurrencyFeedURL;

// The feed's address: g_sCurrencyFeedURL, else $ORVCALC_CURRENCY_URL, else the settings file's
// "CurrencyFeedURL", else kDefaultCurrencyFeed (the first that is not empty).
std::string CurrencyFeedURL(const Storage& storage);

// The currency table the converter uses: the downloaded one when "currencyUpdateFlag_v15" is set and the
// file reads as a currency table (CheckCurrencyTable), else the table shipped in the resource folder.
struct CurrencyTableSource {
    std::string path;
    std::string text;
    bool downloaded = false;
};
CurrencyTableSource CurrencyTableInUse(const Storage& storage);

struct CurrencyUpdateResult {
    bool ok = false;
    std::string date;   // the new table's date
    int count = 0;      // its currencies
    std::string error;  // why it failed
};

// One download at a time. A response is accepted only when PrepareCurrencyTable makes a table of it; the
// table is then written atomically to "/updatedCurrency_v15.data" and "currencyUpdateFlag_v15" is set to
// "1" (only after the file is written). Anything else leaves the table in use as it is.
class CurrencyUpdater {
  public:
    // storage and http must outlive the updater.
    CurrencyUpdater(Storage& storage, HttpFetch& http);
    // A response that arrives after the updater is gone is dropped.
    ~CurrencyUpdater();
    CurrencyUpdater(const CurrencyUpdater&) = delete;
    CurrencyUpdater& operator=(const CurrencyUpdater&) = delete;

    // Starts the GET of url (no cache, the time-out given); done runs on the main loop with the outcome.
    // False, and nothing starts, while a download is running.
    bool start(const std::string& url, double timeoutSeconds,
               std::function<void(const CurrencyUpdateResult&)> done);
    bool busy() const { return m_state->busy; }

    // What start() does with the response: check, convert, store.
    CurrencyUpdateResult accept(const HttpResponse& response);

  private:
    struct State {
        bool busy = false;
    };
    Storage& m_storage;
    HttpFetch& m_http;
    std::shared_ptr<State> m_state;
};
