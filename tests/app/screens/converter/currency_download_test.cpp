// The currency update against a real HTTP server on 127.0.0.1: what is stored, what the screen shows, and
// that the table in use survives every failure.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/local_http_server.h"
#include "app/screens/converter/currency_feed.h"
#include "app/screens/converter/currency_samples.h"
#include "app/screens/converter/unit_converter_view.h"
#include "common/curl_http_fetch.h"

namespace {

// The currency page over the harness's platform, but with libcurl for its transfers.
struct Download {
    AppHarness h;
    std::unique_ptr<CurlHttpFetch> curl;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<ScreenContext> context;
    std::unique_ptr<UnitConverterView> view;

    explicit Download(const std::string& previousTable = "") {
        if (!previousTable.empty()) {
            write(kUpdatedCurrencyFile, previousTable);
            h.storage.setUserDefault(kCurrencyUpdateFlag, "1");
        }
        h.launch(kCatCurrencyConverter);
        curl = std::make_unique<CurlHttpFetch>(h.loop);
        platform = std::make_unique<Platform>(
            Platform{h.notes, h.loop, h.storage, h.alerts, *curl, h.urls, h.feedback});
        context = std::make_unique<ScreenContext>(ScreenContext{*platform, h.ctl(), nullptr});
        view = std::make_unique<UnitConverterView>(*context, UnitConverterView::kCurrencyMode);
    }
    ~Download() {
        view.reset();
        curl.reset();  // waits for its transfers
        g_sCurrencyFeedURL.clear();
    }
    void write(const std::string& name, const std::string& text) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        h.storage.writeFileAtomically(DocumentPath(h.storage, name), {bytes, text.size()});
    }
    std::string stored() {
        const auto bytes = h.storage.readFile(DocumentPath(h.storage, kUpdatedCurrencyFile));
        return bytes ? std::string(bytes->begin(), bytes->end()) : "<none>";
    }
    // Runs the loop until the download has reported (10 s of real time at most).
    void await() {
        for (int i = 0; i < 200 && view->downloading(); ++i) {
            h.loop.waitForPost(std::chrono::milliseconds(50));
            h.loop.runPending();
        }
        h.loop.runPending();
    }
};

TEST(CurrencyDownload, FeedXmlBecomesTheTableInUse) {
    LocalHttpServer server(LocalHttpServer::Reply(200, "OK", kReferenceRatesXml, "text/xml"));
    Download d;
    g_sCurrencyFeedURL = server.url();
    UnitConverterView& v = *d.view;
    ASSERT_TRUE(v.tap("unit:2"));
    ASSERT_TRUE(v.tap("add_favourite:1"));  // US dollar
    ASSERT_TRUE(v.pick("units", 3));        // box 2: Japanese yen (row 3 below one favourite)
    ASSERT_TRUE(v.tap("update"));
    EXPECT_TRUE(v.describe()["busy"]);
    EXPECT_FALSE(v.describe()["update_enabled"]);
    EXPECT_FALSE(v.tap("update")) << "one download at a time";
    d.await();
    EXPECT_EQ(server.requests(), 1);
    ASSERT_EQ(d.h.alerts.shown().size(), 1u);
    EXPECT_EQ(d.h.alerts.shown()[0].title, "Update");
    EXPECT_EQ(d.h.alerts.shown()[0].message, "Updated successfully!");
    EXPECT_EQ(d.h.alerts.shown()[0].buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(d.h.storage.userDefault(kCurrencyUpdateFlag), "1");
    const CurrencyTableCheck check = CheckCurrencyTable(d.stored());
    EXPECT_TRUE(check.ok);
    EXPECT_EQ(check.date, "2024-05-17");
    EXPECT_EQ(v.caption(), "Currency (2024-05-17)");
    EXPECT_EQ(static_cast<int>(v.units().size()), check.count);
    EXPECT_EQ(v.box(2).unit, 2) << "the boxes keep their units";
    EXPECT_EQ(v.favouriteUnits(), std::vector<int>{1});
    ASSERT_TRUE(v.setValueInTextBox("100"));  // EUR -> JPY at the feed's rate
    EXPECT_EQ(v.describe()["boxes"][1]["value"], "16,921.00");
    EXPECT_FALSE(v.describe()["busy"]);

    // The terminal converter and a new page read the same table.
    EXPECT_EQ(CurrencyTableInUse(d.h.storage).text, d.stored());
    UnitConverterView again(*d.context, UnitConverterView::kCurrencyMode);
    EXPECT_EQ(again.caption(), "Currency (2024-05-17)");
}

TEST(CurrencyDownload, ATableInTheOwnGrammarIsStoredAsReceived) {
    LocalHttpServer server(LocalHttpServer::Reply(200, "OK", kNativeTable));
    Download d;
    d.h.storage.writeDictionary(DocumentPath(d.h.storage, "/setting_v15.dat"),
                                {{"CurrencyFeedURL", server.url("/currency/save.txt")}});
    EXPECT_EQ(CurrencyFeedURL(d.h.storage), server.url("/currency/save.txt")) << "the settings file";
    ASSERT_TRUE(d.view->downloadCurrencyFile());
    d.await();
    EXPECT_EQ(d.stored(), kNativeTable);
    EXPECT_EQ(d.view->caption(), "Currency (2024-06-01)");
    EXPECT_EQ(d.view->units().size(), 3u);
    EXPECT_EQ(d.h.alerts.shown().at(0).message, "Updated successfully!");
}

// Every failure: the failure alert, nothing stored, the previous table still in use.
TEST(CurrencyDownload, FailuresKeepTheTableInUse) {
    const std::string previous =
        "#Date 2024-01-02\n#Begin Currency 0\nEuro EUR !\nKrone DKK 0.134 0 EUR\n#End\n";
    const std::string cutTable = kNativeTable.substr(0, kNativeTable.find("#End"));
    const std::string xmlHead = kReferenceRatesXml.substr(0, kReferenceRatesXml.find("<Cube currency='GBP'"));
    struct Row {
        const char* note;
        std::string reply;
        double timeout;
    };
    const Row rows[] = {
        {"HTML 404", LocalHttpServer::Reply(404, "Not Found", kHtmlNotFound, "text/html"), 5},
        {"HTML page with 200", LocalHttpServer::Reply(200, "OK", kHtmlNotFound, "text/html"), 5},
        {"empty 200", LocalHttpServer::Reply(200, "OK", ""), 5},
        {"table cut, length honest", LocalHttpServer::Reply(200, "OK", cutTable), 5},
        {"XML cut, length honest", LocalHttpServer::Reply(200, "OK", xmlHead, "text/xml"), 5},
        {"transfer cut short of its length",
         "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\nConnection: close\r\n\r\n" + kNativeTable, 5},
        {"never answers", LocalHttpServer::Hang(), 0.4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        LocalHttpServer server(r.reply);
        Download d(previous);
        setenv(kCurrencyFeedVariable, server.url().c_str(), 1);
        EXPECT_EQ(d.view->caption(), "Currency (2024-01-02)");
        d.view->setDownloadTimeout(r.timeout);
        ASSERT_TRUE(d.view->tap("update"));
        d.await();
        unsetenv(kCurrencyFeedVariable);
        EXPECT_EQ(server.requests(), 1);
        ASSERT_EQ(d.h.alerts.shown().size(), 1u);
        EXPECT_EQ(d.h.alerts.shown()[0].title, "Error");
        EXPECT_EQ(d.h.alerts.shown()[0].message, "Connection failed!");
        EXPECT_EQ(d.h.alerts.shown()[0].buttons, std::vector<std::string>{"OK"});
        EXPECT_EQ(d.stored(), previous);
        EXPECT_EQ(d.view->caption(), "Currency (2024-01-02)");
        EXPECT_EQ(d.view->units().size(), 2u);
        EXPECT_TRUE(d.view->describe()["update_enabled"]) << "another try is possible";
    }
}

TEST(CurrencyDownload, FirstFailureWithoutADownloadedTableKeepsTheShippedOne) {
    LocalHttpServer server(LocalHttpServer::Reply(200, "OK", "garbage\n"));
    Download d;
    g_sCurrencyFeedURL = server.url();
    ASSERT_TRUE(d.view->tap("update"));
    d.await();
    EXPECT_EQ(d.stored(), "<none>");
    EXPECT_FALSE(d.h.storage.userDefault(kCurrencyUpdateFlag).has_value());
    EXPECT_EQ(d.view->caption(), "Currency (2023-12-29)");
}

// A flag without a readable file (a table stored by an older version, a file removed by hand) does not
// leave the converter without currencies.
TEST(CurrencyDownload, ABrokenDownloadedTableFallsBackToTheShippedOne) {
    for (const std::string& broken :
         {std::string(), std::string("<html>oops</html>"), std::string("\0\0", 2)}) {
        AppHarness h;
        h.storage.setUserDefault(kCurrencyUpdateFlag, "1");
        if (!broken.empty()) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(broken.data());
            h.storage.writeFileAtomically(DocumentPath(h.storage, kUpdatedCurrencyFile),
                                          {bytes, broken.size()});
        }
        EXPECT_FALSE(CurrencyTableInUse(h.storage).downloaded);
        h.launch(kCatCurrencyConverter);
        auto* v = dynamic_cast<UnitConverterView*>(h.ctl().screens().open("currency_converter"));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->caption(), "Currency (2023-12-29)");
        EXPECT_GE(v->units().size(), 31u);
    }
}

TEST(CurrencyDownload, FeedAddressInOrderOfPrecedence) {
    AppHarness h;
    EXPECT_EQ(CurrencyFeedURL(h.storage), kDefaultCurrencyFeed);
    h.storage.writeDictionary(DocumentPath(h.storage, "/setting_v15.dat"),
                              {{"CurrencyFeedURL", "http://s/"}});
    EXPECT_EQ(CurrencyFeedURL(h.storage), "http://s/");
    setenv(kCurrencyFeedVariable, "http://e/", 1);
    EXPECT_EQ(CurrencyFeedURL(h.storage), "http://e/");
    g_sCurrencyFeedURL = "http://c/";
    EXPECT_EQ(CurrencyFeedURL(h.storage), "http://c/");
    g_sCurrencyFeedURL.clear();
    unsetenv(kCurrencyFeedVariable);
    // The settings screen keeps the address when it saves the settings.
    h.launch(kCatArithmetic);
    h.ctl().selectOptionItem(0);
    ScreenModel* s = h.ctl().screens().find("settings");
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->setValue("fix_digits", 3));
    ASSERT_TRUE(s->tap("close"));
    h.loop.runPending();
    EXPECT_EQ(CurrencyFeedURL(h.storage), "http://s/");
}

// Through the application's own scripted transport: the request carries the 60-second time-out, and a
// screen that goes away before the answer is not called back.
TEST(CurrencyDownload, RequestTimeOutAndAPageThatGoesFirst) {
    AppHarness h;
    h.launch(kCatCurrencyConverter);
    h.http.scriptResponse(kDefaultCurrencyFeed, HttpResponse{true, 200, kNativeTable, ""});
    auto* v = dynamic_cast<UnitConverterView*>(h.ctl().screens().open("currency_converter"));
    ASSERT_NE(v, nullptr);
    h.post("DownloadCurrencyFile");
    ASSERT_EQ(h.http.requests().size(), 1u);
    EXPECT_EQ(h.http.requests()[0].timeoutSeconds, 60);
    EXPECT_EQ(v->caption(), "Currency (2024-06-01)");

    Platform& p = h.platform;
    ScreenContext context{p, h.ctl(), nullptr};
    auto gone = std::make_unique<UnitConverterView>(context, UnitConverterView::kCurrencyMode);
    ASSERT_TRUE(gone->downloadCurrencyFile());
    gone.reset();
    h.loop.runPending();  // the answer arrives for nobody
    EXPECT_EQ(h.alerts.shown().size(), 1u);
}

}  // namespace
