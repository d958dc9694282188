// The feed's XML turned into a currency table, and the check every downloaded table passes.
#include "app/screens/converter/currency_feed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/screens/converter/currency_samples.h"
#include "units/unit_convert.h"

namespace {

std::string Shipped() {
    std::ifstream in(std::string(ORV_SOURCE_DATA_DIR) + "/currency.dat");
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

double Rate(const std::string& table, const char* from, const char* to) {
    CUnitConvert conv;
    conv.openFileText(table);
    double factor = 0, offset = 0;
    bool reciprocal = false;
    EXPECT_EQ(conv.compareUnits(from, to, factor, offset, reciprocal), 1) << from << " " << to;
    return factor;
}

TEST(CurrencyFeed, ReadsTheDayAndItsRates) {
    FeedRates rates;
    ASSERT_TRUE(ParseReferenceRates(kReferenceRatesXml, rates));
    EXPECT_EQ(rates.date, "2024-05-17");
    ASSERT_EQ(rates.rates.size(), 5u);
    EXPECT_EQ(rates.rates[0].code, "USD");
    EXPECT_DOUBLE_EQ(rates.rates[0].perEuro, 1.087);
    EXPECT_EQ(rates.rates[3].code, "CHF");  // double quotes read as well
    // Bad entries are skipped, the rest kept.
    std::string odd = kReferenceRatesXml;
    odd.replace(odd.find("<Cube currency='XAB'"), 0,
                "<Cube currency='ZZZ' rate='0'/><Cube currency='usd' rate='1'/><Cube currency='EUR' "
                "rate='1'/><Cube currency='QQQ' rate='x'/><Cube currency='USD' rate='9'/>"
                "<!-- a comment <Cube currency='CMT' rate='1'/> -->");
    ASSERT_TRUE(ParseReferenceRates(odd, rates));
    EXPECT_EQ(rates.rates.size(), 5u);
    EXPECT_DOUBLE_EQ(rates.rates[0].perEuro, 1.087) << "the first rate of a code counts";
}

TEST(CurrencyFeed, ACutDocumentIsRefused) {
    FeedRates rates;
    const std::size_t end = kReferenceRatesXml.rfind('>');
    for (std::size_t n = 0; n <= end; ++n)
        EXPECT_FALSE(ParseReferenceRates(kReferenceRatesXml.substr(0, n), rates)) << n;
    EXPECT_TRUE(ParseReferenceRates(kReferenceRatesXml.substr(0, end + 1), rates));
    std::string undated = kReferenceRatesXml;
    undated.replace(undated.find(" time='2024-05-17'"), 18, "");
    EXPECT_FALSE(ParseReferenceRates(undated, rates));
    std::string misnested = kReferenceRatesXml;
    misnested.replace(misnested.find("</gesmes:Sender>"), 16, "</gesmes:Other>");
    EXPECT_FALSE(ParseReferenceRates(misnested, rates));
}

TEST(CurrencyFeed, TableKeepsOrderNamesAndTheCurrenciesTheFeedLacks) {
    FeedRates rates;
    ASSERT_TRUE(ParseReferenceRates(kReferenceRatesXml, rates));
    const std::string shipped = Shipped();
    const std::string table = BuildCurrencyTable(rates, shipped, shipped);
    const CurrencyTableCheck check = CheckCurrencyTable(table);
    ASSERT_TRUE(check.ok) << check.reason << "\n" << table;
    EXPECT_EQ(check.date, "2024-05-17");
    EXPECT_EQ(CheckCurrencyTable(shipped).count + 1, check.count) << "XAB joins the shipped currencies";
    EXPECT_EQ(table.rfind("#Date 2024-05-17\n", 0), 0u);
    EXPECT_NEAR(Rate(table, "EUR", "USD"), 1.087, 1e-12);
    EXPECT_NEAR(Rate(table, "GBP", "JPY"), 169.21 / 0.8555, 1e-9);
    // A currency the feed lacks keeps its value, marked with the date it is from.
    EXPECT_NEAR(Rate(table, "BGN", "EUR"), Rate(shipped, "BGN", "EUR"), 1e-15);
    EXPECT_NE(table.find("# rate of 2023-12-29, not in the feed of 2024-05-17\nBulgarian_lev "),
              std::string::npos);
    EXPECT_NE(table.find("\nXAB "), std::string::npos) << "a new code is named by its code";
    EXPECT_LT(table.find("\nEuro "), table.find("\nUS_dollar ")) << "the order of the table in use";

    // The next day: the kept currency still carries the date of its value.
    FeedRates next = rates;
    next.date = "2024-05-20";
    const std::string later = BuildCurrencyTable(next, table, shipped);
    EXPECT_NE(later.find("# rate of 2023-12-29, not in the feed of 2024-05-20\nBulgarian_lev "),
              std::string::npos);
    EXPECT_EQ(later.find("2024-05-17, not in"), std::string::npos);
}

TEST(CurrencyFeed, ATableWithAnotherBaseIsReexpressedInEuros) {
    FeedRates rates;
    ASSERT_TRUE(ParseReferenceRates(kReferenceRatesXml, rates));
    rates.rates.resize(1);  // USD only
    const std::string table = BuildCurrencyTable(rates, kNativeTable, Shipped());
    ASSERT_TRUE(CheckCurrencyTable(table).ok) << table;
    EXPECT_NE(table.find("\nEuro "), std::string::npos);
    EXPECT_NE(table.find(" !\n"), std::string::npos);
    // GBP was 1.5 USD and EUR 1.25 USD: 1.2 EUR.
    EXPECT_NEAR(Rate(table, "GBP", "EUR"), 1.2, 1e-12);
    EXPECT_NE(table.find("# rate of 2024-06-01, not in the feed of 2024-05-17\nPound "), std::string::npos);
}

TEST(CurrencyFeed, OnlyACompleteTableWithARateIsAccepted) {
    struct Row {
        const char* note;
        std::string body;
        bool ok;
        int count;
    };
    const std::string native = kNativeTable;
    const Row rows[] = {
        {"native grammar", native, true, 3},
        {"shipped table", Shipped(), true, 31},
        {"empty body", "", false, 0},
        {"HTML page", kHtmlNotFound, false, 0},
        {"cut inside a line", native.substr(0, native.find("0 USD") + 2), false, 0},
        {"cut before the End", native.substr(0, native.find("#End")), false, 0},
        {"no Currency section", "#Date x\nEuro EUR !\n", false, 0},
        {"no positive factor", "#Date x\n#Begin Currency 0\nA AAA 0 0 BBB\nB BBB -1 0 AAA\n#End\n", false, 0},
        {"plain text", "Service temporarily unavailable\n", false, 0},
        {"feed XML", kReferenceRatesXml, true, 32},
        {"feed XML cut", kReferenceRatesXml.substr(0, 400), false, 0},
    };
    const std::string shipped = Shipped();
    for (const Row& r : rows) {
        const PreparedCurrencyTable p = PrepareCurrencyTable(r.body, shipped, shipped);
        EXPECT_EQ(p.ok, r.ok) << r.note << ": " << p.check.reason;
        EXPECT_EQ(p.check.count, r.count) << r.note;
        if (r.ok && !IsReferenceRateXml(r.body)) {
            EXPECT_EQ(p.text, r.body) << r.note << ": stored as received";
        }
        if (!r.ok) {
            EXPECT_FALSE(p.check.reason.empty()) << r.note;
        }
    }
    EXPECT_EQ(CurrencyTableDateOfText("#Date  2023-12-29 \r\nrest"), "2023-12-29");
    EXPECT_EQ(CurrencyTableDateOfText("#Date\n"), "");
}

}  // namespace
