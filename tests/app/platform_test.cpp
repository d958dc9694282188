// The platform layer's own class (NotificationCenter) and the headless implementations.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/folder_storage.h"
#include "common/headless_services.h"
#include "common/manual_run_loop.h"
#include "common/recording_canvas.h"
#include "platform/notification_center.h"
#include "temp_folder.h"

TEST(NotificationCenter, DeliversByNameInRegistrationOrderWithObject) {
    NotificationCenter nc;
    std::vector<std::string> log;
    nc.addObserver(
        "A", [&](const Notification& n) { log.push_back("a1:" + std::any_cast<std::string>(n.object)); });
    nc.addObserver("B", [&](const Notification&) { log.push_back("b"); });
    nc.addObserver("A", [&](const Notification&) { log.push_back("a2"); });
    nc.post("A", std::string("42"));
    EXPECT_EQ(log, (std::vector<std::string>{"a1:42", "a2"}));
}

TEST(NotificationCenter, ObserverRemovedDuringPostIsNotCalled) {
    NotificationCenter nc;
    std::vector<int> log;
    NotificationCenter::Token second = 0;
    nc.addObserver("X", [&](const Notification&) {
        log.push_back(1);
        nc.removeObserver(second);  // the next observer of this very post
    });
    second = nc.addObserver("X", [&](const Notification&) { log.push_back(2); });
    nc.post("X");
    nc.post("X");
    EXPECT_EQ(log, (std::vector<int>{1, 1}));
    EXPECT_EQ(nc.observerCount("X"), 1);
}

TEST(NotificationCenter, SelfRemovalAndAdditionsDuringPostAndOwnerRemoval) {
    NotificationCenter nc;
    int calls = 0, added = 0;
    int ownerA = 0;
    NotificationCenter::Token self = 0;
    self = nc.addObserver("Y", [&](const Notification&) {
        ++calls;
        nc.removeObserver(self);
        // Added while posting: reallocation of the registry must not disturb the running post.
        for (int i = 0; i < 50; ++i)
            nc.addObserver(
                "Y", [&](const Notification&) { ++added; }, &ownerA);
    });
    nc.post("Y");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(added, 0);  // first called by the next post
    nc.post("Y");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(added, 50);
    nc.removeObserversOf(&ownerA);
    EXPECT_EQ(nc.observerCount("Y"), 0);
}

TEST(ManualRunLoop, RunsInDeadlineOrderWithRepeatsAndCancel) {
    ManualRunLoop loop;
    std::vector<std::string> log;
    loop.after(0.4, [&] { log.push_back("hold@" + std::to_string(loop.now())); });
    RunLoop::TimerId repeat = loop.every(0.15, [&] { log.push_back("rep"); });
    RunLoop::TimerId dropped = loop.after(0.2, [&] { log.push_back("never"); });
    loop.cancel(dropped);
    loop.advance(0.3);
    EXPECT_EQ(log, (std::vector<std::string>{"rep", "rep"}));
    loop.advance(0.16);  // 0.45 and the hold at 0.4
    EXPECT_EQ(log.size(), 4u);
    EXPECT_EQ(log[2], "hold@" + std::to_string(0.4));
    EXPECT_EQ(log[3], "rep");
    loop.cancel(repeat);
    loop.advance(10);
    EXPECT_EQ(log.size(), 4u);
    EXPECT_EQ(loop.pendingCount(), 0);
}

TEST(ManualRunLoop, TimerCancellingItselfAndZeroIntervalTerminate) {
    ManualRunLoop loop;
    int n = 0;
    RunLoop::TimerId id = 0;
    id = loop.every(0.1, [&] {
        if (++n == 3) loop.cancel(id);
    });
    loop.every(0, [] {});  // clamped: must not spin forever
    loop.advance(1.0);
    EXPECT_EQ(n, 3);
}

TEST(ImmediateRunLoop, RunsDelayedCallsWithoutWaitingIncludingChained) {
    ImmediateRunLoop loop;
    std::vector<int> log;
    loop.after(5, [&] { log.push_back(2); });
    loop.after(0.1, [&] {
        log.push_back(1);
        loop.after(0.1, [&] { log.push_back(3); });  // at 0.2, before the call at 5
    });
    EXPECT_EQ(loop.runPending(), 3);
    EXPECT_EQ(log, (std::vector<int>{1, 3, 2}));
    EXPECT_DOUBLE_EQ(loop.now(), 5);
}

TEST(FolderStorage, AtomicWriteReplacesAndLeavesNoTemporaryFiles) {
    TempFolder dir;
    FolderStorage st(dir.path() + "/docs/", dir.path());
    std::string path = DocumentPath(st, "/state.dat");
    EXPECT_EQ(path, dir.path() + "/docs/state.dat");
    std::vector<std::uint8_t> a{1, 2, 3}, b{9};
    ASSERT_TRUE(st.writeFileAtomically(path, a));  // creates the documents folder
    ASSERT_TRUE(st.writeFileAtomically(path, b));
    EXPECT_EQ(st.readFile(path), b);
    EXPECT_EQ(st.listFolder(dir.path() + "/docs"), (std::vector<std::string>{"state.dat"}));
    EXPECT_FALSE(st.readFile(dir.file("missing")).has_value());
    EXPECT_FALSE(st.writeFileAtomically("/proc/definitely/not/here", b));
}

TEST(FolderStorage, PropertyListsRoundTripAndRejectOtherContent) {
    TempFolder dir;
    FolderStorage st(dir.path(), dir.path());
    StringDictionary d{{"InputMode", "2"}, {"Skin", "Black"}, {"Sound", "Sound 01.wav"}, {"Text", "<&>é"}};
    ASSERT_TRUE(st.writeDictionary(dir.file("d.plist"), d));
    EXPECT_EQ(st.readDictionary(dir.file("d.plist")), d);
    std::vector<std::string> items{"m", "km", ""};
    ASSERT_TRUE(st.writeStringArray(dir.file("a.plist"), items));
    EXPECT_EQ(st.readStringArray(dir.file("a.plist")), items);
    EXPECT_FALSE(st.readDictionary(dir.file("a.plist")).has_value());  // an array is not a dictionary
    dir.write("junk", {0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xff, 0x00, 0x13});
    EXPECT_FALSE(st.readDictionary(dir.file("junk")).has_value());
    dir.writeText("xml",
                  "<?xml version=\"1.0\"?><plist><dict><key>k</key><integer>3</integer>"
                  "<key>s</key><string>v</string></dict></plist>");
    EXPECT_EQ(st.readDictionary(dir.file("xml")), (StringDictionary{{"s", "v"}}));
    dir.writeText("cut", "<?xml version=\"1.0\"?><plist><dict><key>k</key><str");
    EXPECT_FALSE(st.readDictionary(dir.file("cut")).has_value());
}

TEST(FolderStorage, UserDefaultsPersistAcrossInstances) {
    TempFolder dir;
    {
        FolderStorage st(dir.path(), dir.path());
        EXPECT_FALSE(st.userDefault("startupFunction").has_value());
        st.setUserDefault("startupFunction", "4");
        st.setUserDefault("startupLandFunction", "3");
    }
    FolderStorage again(dir.path(), dir.path());
    EXPECT_EQ(again.userDefault("startupFunction"), "4");
    EXPECT_EQ(again.userDefault("startupLandFunction"), "3");
}

TEST(DefaultFolders, FollowEnvironmentInOrder) {
    struct Row {
        const char* orvHome;
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Row rows[] = {
        {"/o/home/", "/x", "/h", "/o/home"},
        {"", "/x/", "/h", "/x/orvane-calculator"},
        {nullptr, nullptr, "/h", "/h/.local/share/orvane-calculator"},
    };
    auto set = [](const char* name, const char* v) { v ? setenv(name, v, 1) : unsetenv(name); };
    const char* oldHome = getenv("HOME");
    std::string savedHome = oldHome ? oldHome : "";
    for (const Row& r : rows) {
        set("ORVCALC_HOME", r.orvHome);
        set("XDG_DATA_HOME", r.xdg);
        set("HOME", r.home);
        EXPECT_EQ(DefaultDocumentsFolder(), r.expected) << r.expected;
    }
    set("HOME", savedHome.c_str());
    unsetenv("ORVCALC_HOME");
    unsetenv("XDG_DATA_HOME");
    TempFolder dir;
    std::filesystem::create_directory(dir.file("data"));
    EXPECT_EQ(DefaultResourceFolder(dir.path(), "/src/data"), dir.file("data"));
    EXPECT_EQ(DefaultResourceFolder(dir.file("data"), "/src/data/"), "/src/data");
}

TEST(RecordingCanvas, RecordsCallsAndMeasuresFixedWidth) {
    RecordingCanvas c;
    CanvasFont verdana{"Verdana", 26};
    EXPECT_DOUBLE_EQ(c.measureText(u"sin(", verdana).width, 4 * 26 * 0.6);
    c.setFixedAdvance(10);
    EXPECT_DOUBLE_EQ(c.measureText(u"\u221a(", verdana).width, 20);
    EXPECT_DOUBLE_EQ(c.measureText(u"", verdana).width, 0);
    c.strokeRect({1, 2, 3, 4});
    c.drawText(u"12", {5, 6}, verdana);
    ASSERT_EQ(c.calls().size(), 2u);
    auto texts = c.callsOf(CanvasOp::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"12");
    EXPECT_EQ(texts[0].font.name, "Verdana");
    EXPECT_DOUBLE_EQ(c.callsOf(CanvasOp::StrokeRect)[0].rect.height, 4);
}

TEST(ScriptedAlerts, AnswersLaterOnTheRunLoopFromTheScript) {
    ManualRunLoop loop;
    std::ostringstream out;
    ScriptedAlerts alerts(loop, &out);
    alerts.scriptAnswer(1);
    std::vector<int> answers;
    alerts.show({"Warning!", "Do you want to clear history ?", {"YES", "NO"}},
                [&](int i) { answers.push_back(i); });
    alerts.show({"T", "M", {"OK"}}, [&](int i) { answers.push_back(i); });
    EXPECT_TRUE(answers.empty());  // never from inside show()
    loop.advance(0);
    EXPECT_EQ(answers, (std::vector<int>{1, 0}));
    EXPECT_EQ(alerts.shown().at(0).title, "Warning!");
    EXPECT_NE(out.str().find("Do you want to clear history ? [YES | NO] -> 1"), std::string::npos);
}

TEST(ScriptedHttpFetch, ServesScriptedBodiesLaterAndFailsOtherwise) {
    ManualRunLoop loop;
    ScriptedHttpFetch http(loop);
    http.scriptResponse("http://rates.test/currency/save.txt", HttpResponse{true, 200, "USD 1.0\n", ""});
    std::vector<HttpResponse> got;
    http.get("http://rates.test/currency/save.txt", 30, [&](const HttpResponse& r) { got.push_back(r); });
    http.get("http://rates.test/other", 5, [&](const HttpResponse& r) { got.push_back(r); });
    EXPECT_TRUE(got.empty());
    loop.advance(0);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(got[0].ok);
    EXPECT_EQ(got[0].body, "USD 1.0\n");
    EXPECT_FALSE(got[1].ok);
    EXPECT_EQ(got[1].status, 0);
    EXPECT_FALSE(got[1].error.empty());
    EXPECT_DOUBLE_EQ(http.requests().at(1).timeoutSeconds, 5);
}

TEST(PrintingUrlOpener, KeepsAndPrintsTheAddress) {
    std::ostringstream out;
    PrintingUrlOpener opener(&out);
    EXPECT_TRUE(opener.open("mailto:?subject=&body=1%20%3D%202"));
    EXPECT_EQ(opener.opened().at(0), "mailto:?subject=&body=1%20%3D%202");
    EXPECT_EQ(out.str(), "[open] mailto:?subject=&body=1%20%3D%202\n");
}

TEST(ManualRunLoop, PostsFromOtherThreadsRunOnTheLoop) {
    ManualRunLoop loop;
    std::vector<int> log;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) loop.postFromAnyThread([&log, i] { log.push_back(i); });
    });
    worker.join();
    EXPECT_TRUE(log.empty());  // nothing runs before the loop turns
    EXPECT_TRUE(loop.waitForPost(std::chrono::milliseconds(0)));
    loop.advance(0);
    ASSERT_EQ(log.size(), 100u);
    EXPECT_EQ(log[99], 99);
    EXPECT_FALSE(loop.waitForPost(std::chrono::milliseconds(1)));
}
