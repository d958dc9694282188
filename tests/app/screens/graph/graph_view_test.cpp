// The plotter's entry screen in the running application: keys and list picks of the Graph category, the
// colour picker, the graph_led files and when they are written.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/graph/graph_view.h"

namespace {

class GraphViewTest : public testing::Test {
  protected:
    void SetUp() override { Launch(); }
    void Launch() {
        h.launch(kCatGraph);
        g = dynamic_cast<GraphView*>(h.ctl().screens().find("graph"));
        ASSERT_NE(g, nullptr) << "the category page creates the screen";
    }
    std::string Text(int line) { return g->describe()["lines"][line]["text"]; }
    std::string Engine(int line) { return g->engineText(line); }
    std::string LedFile(int line) { return DocumentPath(h.storage, GraphView::fileName(line)); }

    AppHarness h;
    GraphView* g = nullptr;
};

TEST_F(GraphViewTest, KeysAndFunctionListPicksGoToTheSelectedLine) {
    EXPECT_EQ(g->selectedLine(), 0);
    h.keys({kKeySin, kKeyVariable, kKeyCloseParen});
    EXPECT_EQ(Engine(0), "sin(x)");
    EXPECT_TRUE(g->tap("line3"));
    EXPECT_TRUE(g->describe()["lines"][2]["selected"]);
    EXPECT_FALSE(g->describe()["lines"][0]["selected"]);
    h.keys({kKey2, kKeyTimes});
    h.keys({kKeyFunctionList});  // the controller opens the Graph function list
    ASSERT_EQ(h.ctl().openList(), kFunctionList);
    h.ctl().selectItemAtIndex(2, kFunctionList);  // "cosh", posted to this screen
    h.keys({kKeyVariable, kKeyCloseParen});
    EXPECT_EQ(Engine(2), "2*cosh(x)");
    EXPECT_EQ(Engine(0), "sin(x)");
    EXPECT_TRUE(g->pick("functions", 0));  // the widget's own list: "sinh"
    EXPECT_EQ(Text(2), "2\u00d7cosh(x)sinh(");
    EXPECT_FALSE(g->pick("functions", 10));
    g->line(1).touchDown({30, 10});  // a touch on a line selects it
    EXPECT_EQ(g->selectedLine(), 1);
    h.post("GraphView_enterACommand", std::string("not a code"));
    h.post("GraphView_enterACommand", 15);
    EXPECT_EQ(Engine(1), "0");
    EXPECT_FALSE(g->tap("line4"));
    EXPECT_FALSE(g->tap("line0"));
}

TEST_F(GraphViewTest, ColourPicker) {
    EXPECT_EQ(g->color(0), (GraphColor{255, 0, 0}));
    EXPECT_EQ(g->color(1), (GraphColor{0, 255, 0}));
    EXPECT_EQ(g->color(2), (GraphColor{255, 255, 0}));
    EXPECT_FALSE(g->pick("colors", 9)) << "the picker is closed";
    EXPECT_TRUE(g->tap("color2"));
    EXPECT_EQ(g->describe()["picker"]["function"], 1);
    EXPECT_EQ(g->describe()["picker"]["colors"].size(), 16u);
    EXPECT_FALSE(g->pick("colors", 16));
    EXPECT_TRUE(g->pick("colors", 9));
    EXPECT_EQ(g->color(1), (GraphColor{255, 0, 255}));
    EXPECT_FALSE(g->pickerOpen());
    g->tap("color3");
    EXPECT_TRUE(g->tap("picker_close"));
    EXPECT_EQ(g->color(2), (GraphColor{255, 255, 0}));
    EXPECT_FALSE(g->tap("picker_close"));
    h.restart();
    g = dynamic_cast<GraphView*>(h.ctl().screens().find("graph"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->color(1), (GraphColor{0, 255, 0})) << "colours are not kept";
}

TEST_F(GraphViewTest, LinesAreKeptInTheirFilesAndDamagedFilesGiveEmptyLines) {
    ASSERT_TRUE(g->enterText("line1", u"sin(x)"));
    ASSERT_TRUE(g->enterText("line3", u"x^2-3"));
    h.terminate();
    std::vector<std::vector<std::uint8_t>> files;
    for (int k = 0; k < GraphView::kLines; ++k) {
        files.push_back(h.storage.readFile(LedFile(k)).value_or(std::vector<std::uint8_t>{}));
        EXPECT_EQ(files.back().size(), 1648u) << k;
    }
    Launch();
    EXPECT_EQ(Engine(0), "sin(x)");
    EXPECT_EQ(Engine(1), "");
    EXPECT_EQ(Engine(2), "x^2-3");
    h.terminate();
    for (int k = 0; k < GraphView::kLines; ++k)
        EXPECT_EQ(h.storage.readFile(LedFile(k)).value_or(std::vector<std::uint8_t>{}), files[k]) << k;

    std::vector<std::uint8_t> bad = files[0];
    bad[0] = 0xff;  // an object count the record cannot hold
    h.storage.writeFileAtomically(LedFile(0), bad);
    h.storage.writeFileAtomically(LedFile(1), std::vector<std::uint8_t>(100, 7));
    h.storage.writeFileAtomically(LedFile(2), {});
    Launch();
    for (int k = 0; k < GraphView::kLines; ++k) EXPECT_EQ(Engine(k), "") << k;
}

// Storage that notes the order in which files are written.
class WriteOrderStorage : public FolderStorage {
  public:
    using FolderStorage::FolderStorage;
    bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) override {
        written.push_back(path.substr(path.find_last_of('/') + 1));
        return FolderStorage::writeFileAtomically(path, bytes);
    }
    std::vector<std::string> written;
};

TEST_F(GraphViewTest, LinesAreSavedAfterTheInputModes) {
    h.terminate();
    WriteOrderStorage storage(h.dir.path(), ORV_SOURCE_DATA_DIR);
    Platform platform{h.notes, h.loop, storage, h.alerts, h.http, h.urls, h.feedback};
    OrvaneApplication app(platform, &h.canvas);
    app.didFinishLaunching();  // the app status brings back the Graph category and its page
    app.controller().selectCategoryItem(kCatEquationSolver);
    storage.written.clear();
    app.willTerminate();
    const auto at = [&](const std::string& name) {
        return std::find(storage.written.begin(), storage.written.end(), name) - storage.written.begin();
    };
    const auto end = static_cast<long>(storage.written.size());
    ASSERT_LT(at("InputMode.dat"), end);
    ASSERT_LT(at("EquationSolverInfo.inf"), end);
    EXPECT_LT(at("EquationSolverInfo.inf"), at("InputMode.dat"));
    for (int k = 0; k < GraphView::kLines; ++k) {
        ASSERT_LT(at(GraphView::fileName(k)), end) << k;
        EXPECT_GT(at(GraphView::fileName(k)), at("InputMode.dat")) << k;
    }
}

}  // namespace
