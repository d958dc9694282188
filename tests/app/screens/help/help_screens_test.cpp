// The help, about and introduction screens with the shipped texts, and with missing or damaged ones.
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/screens/about/about_view.h"
#include "app/screens/help/help_view.h"
#include "app/screens/introduction/introduction_view.h"

namespace {

constexpr int kHelpOption = 2, kAboutOption = 3, kIntroductionOption = 1;

PagedDocumentView* OpenOption(AppHarness& h, int option, const char* name) {
    h.ctl().selectOptionItem(option);
    EXPECT_EQ(h.ctl().currentScreen(), name);
    return dynamic_cast<PagedDocumentView*>(h.ctl().screens().find(name));
}

TEST(HelpScreen, ExplainsEveryKeyWithACaptionAndEveryCategory) {
    AppHarness h;
    h.launch();
    PagedDocumentView* help = OpenOption(h, kHelpOption, "help");
    ASSERT_NE(help, nullptr);
    const HelpDocument& doc = help->document();
    const std::vector<int> keys = doc.explainedKeys();
    for (int code = 0; code < 200; ++code) {
        const bool hasCaption = !KeyCaption(code).empty();
        const bool explained = std::binary_search(keys.begin(), keys.end(), code);
        EXPECT_EQ(explained, hasCaption) << "key code " << code;  // every key, and no stale codes
    }
    const std::vector<int> categories = doc.explainedCategories();
    for (int panel = 0; panel < 12; ++panel) {
        const int id = PanelCategory(panel);
        EXPECT_TRUE(std::binary_search(categories.begin(), categories.end(), id)) << PanelLabel(panel);
    }
    for (const HelpPage& page : doc.pages) {
        EXPECT_FALSE(page.title.empty());
        for (const HelpBlock& b : page.blocks) {
            if (b.kind == HelpBlock::Kind::Key) {
                EXPECT_FALSE(b.text.empty()) << "key " << b.code;
            }
        }
    }
}

TEST(HelpScreen, OpensOnTheCategoryInUseAndPages) {
    AppHarness h;
    h.launch(kCatFinance);
    PagedDocumentView* help = OpenOption(h, kHelpOption, "help");
    ASSERT_NE(help, nullptr);
    nlohmann::json s = help->describe();
    EXPECT_EQ(s["title"], "Help");
    EXPECT_EQ(s["pageTitle"], "Finance");
    EXPECT_EQ(s["category"], kCatFinance);
    const int page = s["page"];
    ASSERT_TRUE(help->tap("next"));
    EXPECT_EQ(help->describe()["page"], page + 1);
    ASSERT_TRUE(help->tap("previous"));
    ASSERT_TRUE(help->pick("index", 0));
    s = help->describe();
    EXPECT_EQ(s["pageTitle"], "Welcome");
    EXPECT_EQ(s["canPrevious"], false);
    EXPECT_FALSE(help->tap("previous"));
    EXPECT_FALSE(help->pick("index", help->pageCount()));
    EXPECT_FALSE(help->pick("pages", 1));
    ASSERT_TRUE(help->pick("index", help->pageCount() - 1));
    EXPECT_EQ(help->describe()["canNext"], false);
    EXPECT_FALSE(help->tap("next"));
    // A key block carries the key's caption from the key tables.
    ASSERT_TRUE(help->pick("index", 0));
    bool sawKey = false;
    s = help->describe();
    for (const auto& b : s["blocks"]) {
        if (b["kind"] == "key" && b["code"] == kKeyMenu) {
            EXPECT_EQ(b["caption"], "MENU");
            sawKey = true;
        }
    }
    EXPECT_TRUE(sawKey);
    ASSERT_TRUE(help->tap("back"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    // The help opened from a category without a page of its own starts at the beginning.
    h.ctl().setCurrentMode(9);
    h.ctl().selectOptionItem(kHelpOption);
    EXPECT_EQ(help->describe()["page"], 0);
}

// The project's version as the top-level CMakeLists.txt declares it.
std::string ProjectVersion() {
    std::ifstream in(std::string(ORV_SOURCE_DATA_DIR) + "/../CMakeLists.txt");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::smatch m;
    return std::regex_search(text, m, std::regex(R"(project\([A-Za-z]+ VERSION ([0-9.]+))")) ? m[1].str()
                                                                                             : "";
}

TEST(AboutScreen, VersionLicenceAndComponents) {
    AppHarness h;
    h.launch();
    PagedDocumentView* about = OpenOption(h, kAboutOption, "about");
    ASSERT_NE(about, nullptr);
    nlohmann::json s = about->describe();
    EXPECT_EQ(s["name"], "Orvane Calculator");
    EXPECT_EQ(s["version"], ProjectVersion());
    EXPECT_NE(ProjectVersion(), "");
    bool licencePage = false;
    for (const auto& title : s["index"]) licencePage = licencePage || title == "Licence";
    EXPECT_TRUE(licencePage);
    std::map<std::string, std::string> uses;
    for (const auto& lib : s["libraries"]) {
        EXPECT_FALSE(lib["licence"].get<std::string>().empty()) << lib["name"];
        uses[lib["name"]] = lib["use"];
    }
    for (const char* name : {"FreeType", "libpng", "zlib", "libplist", "libcurl", "libedit", "nlohmann/json",
                             "Qt 6", "Latin Modern fonts", "DejaVu fonts"})
        EXPECT_EQ(uses.count(name), 1u) << name;
    EXPECT_EQ(uses["GoogleTest"], "tests only");
    EXPECT_EQ(uses["Google Benchmark"], "benchmarks only");
}

TEST(IntroductionScreen, PresentsTheTerminalCalculator) {
    AppHarness h;
    h.launch();
    PagedDocumentView* intro = OpenOption(h, kIntroductionOption, "introduction");
    ASSERT_NE(intro, nullptr);
    nlohmann::json s = intro->describe();
    EXPECT_EQ(s["program"], "orvcalc");
    EXPECT_EQ(s["title"], "Introduction");
    EXPECT_GE(s["pageCount"], 5);
    EXPECT_EQ(s["blocks"][1]["kind"], "code");
}

// Screens over a resource folder whose help files are missing or damaged: empty, working, no failure.
TEST(HelpScreens, MissingOrDamagedFilesGiveEmptyWorkingScreens) {
    AppHarness h;
    h.launch();
    TempFolder resources;
    FolderStorage storage(h.dir.path(), resources.path());
    Platform platform{h.notes, h.loop, storage, h.alerts, h.http, h.urls, h.feedback};
    ScreenContext context{platform, h.ctl(), nullptr};
    for (int damaged = 0; damaged < 2; ++damaged) {
        SCOPED_TRACE(damaged ? "damaged" : "missing");
        if (damaged) {
            std::filesystem::create_directory(resources.file("help"));
            std::vector<unsigned char> junk(5000);
            for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<unsigned char>(i * 7919 % 251);
            for (const char* f : {"help/help.txt", "help/about.txt", "help/introduction.txt"})
                resources.write(f, junk);
        }
        HelpView help(context);
        AboutView about(context);
        IntroductionView intro(context);
        for (PagedDocumentView* v : std::initializer_list<PagedDocumentView*>{&help, &about, &intro}) {
            v->didShow();
            nlohmann::json s = v->describe();
            EXPECT_NO_THROW((void)s.dump());
            EXPECT_EQ(s["empty"], !damaged);
            if (!damaged) {
                EXPECT_FALSE(v->tap("next"));
            }
            EXPECT_TRUE(v->tap("back"));
        }
        EXPECT_EQ(about.describe()["version"], ProjectVersion());
    }
}

}  // namespace
