#include "app/screens/converter/currency_update.h"

#include <cstdlib>

#include "app/screens/converter/currency_feed.h"
#include "app/settings/app_settings.h"

std::string g_sCurrencyFeedURL;

namespace {

std::string ReadText(const Storage& storage, const std::string& path) {
    const auto bytes = storage.readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

}  // namespace

std::string CurrencyFeedURL(const Storage& storage) {
    if (!g_sCurrencyFeedURL.empty()) return g_sCurrencyFeedURL;
    if (const char* env = std::getenv(kCurrencyFeedVariable); env != nullptr && *env != '\0') return env;
    const StringDictionary settings = ReadSettingsDictionary(storage);
    if (auto it = settings.find(kCurrencyFeedSetting); it != settings.end() && !it->second.empty())
        return it->second;
    return kDefaultCurrencyFeed;
}

CurrencyTableSource CurrencyTableInUse(const Storage& storage) {
    CurrencyTableSource s;
    if (storage.userDefault(kCurrencyUpdateFlag).value_or("0") != "0") {
        s.path = DocumentPath(storage, kUpdatedCurrencyFile);
        s.text = ReadText(storage, s.path);
        // A file that is missing or damaged would leave the converter without currencies.
        if (CheckCurrencyTable(s.text).ok) {
            s.downloaded = true;
            return s;
        }
    }
    s.path = ResourcePath(storage, kShippedCurrencyFile);
    s.text = ReadText(storage, s.path);
    return s;
}

CurrencyUpdater::CurrencyUpdater(Storage& storage, HttpFetch& http)
    : m_storage(storage), m_http(http), m_state(std::make_shared<State>()) {}

CurrencyUpdater::~CurrencyUpdater() = default;

bool CurrencyUpdater::start(const std::string& url, double timeoutSeconds,
                            std::function<void(const CurrencyUpdateResult&)> done) {
    if (m_state->busy) return false;
    m_state->busy = true;
    std::weak_ptr<State> alive = m_state;
    m_http.get(url, timeoutSeconds, [this, alive, done = std::move(done)](const HttpResponse& response) {
        const std::shared_ptr<State> state = alive.lock();
        if (!state) return;
        const CurrencyUpdateResult result = accept(response);
        state->busy = false;
        if (done) done(result);
    });
    return true;
}

CurrencyUpdateResult CurrencyUpdater::accept(const HttpResponse& response) {
    CurrencyUpdateResult r;
    if (!response.ok) {
        r.error = !response.error.empty() ? response.error
                  : response.status != 0  ? "HTTP status " + std::to_string(response.status)
                                          : "no response";
        return r;
    }
    const std::string current = CurrencyTableInUse(m_storage).text;
    const std::string shipped = ReadText(m_storage, ResourcePath(m_storage, kShippedCurrencyFile));
    const PreparedCurrencyTable table = PrepareCurrencyTable(response.body, current, shipped);
    if (!table.ok) {
        r.error = "not a currency table: " + table.check.reason;
        return r;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(table.text.data());
    if (!m_storage.writeFileAtomically(DocumentPath(m_storage, kUpdatedCurrencyFile),
                                       {bytes, table.text.size()})) {
        r.error = "the table could not be written";
        return r;
    }
    if (m_storage.userDefault(kCurrencyUpdateFlag).value_or("") != "1")
        m_storage.setUserDefault(kCurrencyUpdateFlag, "1");
    r.ok = true;
    r.date = table.check.date;
    r.count = table.check.count;
    return r;
}
