// The history list over the whole application: rows, picks, clearing and mail.
#include "app/screens/history_view/history_view.h"

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"

namespace {

class HistoryScreen : public ::testing::Test {
  protected:
    // 1+2 =, C, 3 =, C: two entries, newest first "3", then "1+2".
    void Open() {
        h.launch();
        h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyClear, kKey3, kKeyEquals, kKeyClear});
        h.post("ShowCurrentHistory");
        view = dynamic_cast<HistoryView*>(h.ctl().screens().find("history_view"));
        ASSERT_NE(view, nullptr);
    }

    AppHarness h;
    HistoryView* view = nullptr;
};

TEST_F(HistoryScreen, ListsTheEntriesNewestFirst) {
    Open();
    EXPECT_EQ(h.ctl().currentScreen(), "history_view");
    const nlohmann::json s = view->describe();
    EXPECT_EQ(s["title"], "History");
    EXPECT_EQ(s["count"], 2);
    EXPECT_EQ(s["rows"][0]["expression"], "3");
    EXPECT_EQ(s["rows"][0]["result"], "3");
    EXPECT_EQ(s["rows"][1]["expression"], "1+2");
    EXPECT_EQ(s["rows"][1]["result"], "3");
    EXPECT_EQ(s["empty"], false);
}

TEST_F(HistoryScreen, APickLoadsTheEntryAndCloses) {
    Open();
    EXPECT_FALSE(view->pick("rows", 2));  // only the rows shown
    EXPECT_FALSE(view->pick("other", 0));
    EXPECT_EQ(h.postedCount("SelectListHistoryIndex"), 0);
    ASSERT_TRUE(view->tap("row:1"));
    h.loop.runPending();
    EXPECT_EQ(h.postedCount("HistoryListHasJustTouch"), 1);
    EXPECT_EQ(h.postedCount("SelectListHistoryIndex"), 1);
    EXPECT_EQ(view->getCurSelItemHisList(), 1);
    EXPECT_EQ(h.inputUtf8(), "1+2");
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

TEST_F(HistoryScreen, ClearAsksAndEmptiesTheOpenList) {
    Open();
    h.alerts.scriptAnswer(1);  // NO
    ASSERT_TRUE(view->tap("clear"));
    h.loop.runPending();
    EXPECT_EQ(view->describe()["count"], 2);
    h.alerts.scriptAnswer(0);  // YES
    view->tap("clear");
    h.loop.runPending();
    ASSERT_EQ(h.alerts.shown().size(), 2u);
    EXPECT_EQ(h.alerts.shown()[1].message, "Do you want to clear history ?");
    EXPECT_TRUE(h.history().empty());
    EXPECT_EQ(view->describe()["count"], 0);
    EXPECT_EQ(view->describe()["empty"], true);
    view->tap("clear");  // an empty history asks nothing
    h.loop.runPending();
    EXPECT_EQ(h.alerts.shown().size(), 2u);
}

TEST_F(HistoryScreen, MailAndClose) {
    Open();
    ASSERT_TRUE(view->tap("mail"));
    ASSERT_EQ(h.urls.opened().size(), 1u);
    EXPECT_EQ(h.urls.opened()[0], "mailto:?subject=&body=1%2B2%20%3D%203%0A3%20%3D%203%0A");
    EXPECT_FALSE(view->tap("nothing"));
    ASSERT_TRUE(view->tap("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

TEST_F(HistoryScreen, ReopeningShowsNewEntries) {
    Open();
    view->tap("close");
    h.keys({kKey4, kKeyEquals});
    h.post("ShowCurrentHistory");
    EXPECT_EQ(view->describe()["count"], 3);
    EXPECT_EQ(view->describe()["rows"][0]["expression"], "4");
}

}  // namespace
