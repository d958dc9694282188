#include "cli_currency.h"

#include "app/screens/converter/currency_update.h"
#include "common/curl_http_fetch.h"
#include "common/folder_storage.h"
#include "common/manual_run_loop.h"
#include "units/data_path.h"

int RunUpdateCurrency(std::ostream& out, std::ostream& err) {
    ManualRunLoop loop;
    CurlHttpFetch http(loop);
    FolderStorage storage(DefaultDocumentsFolder(), DataDirectory());
    CurrencyUpdater updater(storage, http);
    const std::string url = CurrencyFeedURL(storage);
    bool done = false;
    CurrencyUpdateResult result;
    updater.start(url, kCurrencyDownloadTimeout, [&](const CurrencyUpdateResult& r) {
        result = r;
        done = true;
    });
    // The transfer ends by its time-out at the latest, and always reports.
    while (!done) {
        loop.waitForPost(std::chrono::milliseconds(100));
        loop.advance(0);
    }
    if (!result.ok) {
        err << "orvcalc: currency update from " << url << " failed: " << result.error
            << "; the table in use is kept\n";
        return 1;
    }
    out << "currency table of " << result.date << ": " << result.count << " currencies\n";
    return 0;
}
