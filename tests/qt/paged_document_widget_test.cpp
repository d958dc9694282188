// The help, about and introduction screens through their widget: paging by buttons, keys and the index,
// the blocks of a page (keys drawn as key faces, verbatim lines monospaced), and the same pages headlessly.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "qt/screens/paged_document_widget.h"
#include "screen_test_support.h"

namespace {

struct DocumentCase {
    int option;  // the menu option that opens it
    const char* screen;
};
// The test lists name a case by its screen.
void PrintTo(const DocumentCase& c, std::ostream* os) {
    *os << c.screen;
}

class PagedDocumentWidgetTest : public testing::TestWithParam<DocumentCase> {};

TEST_P(PagedDocumentWidgetTest, PagesByButtonsKeysAndIndexAsHeadless) {
    const DocumentCase c = GetParam();
    GuiHarness h;
    const std::string open = "option:" + std::to_string(c.option);
    RunWords(h, open);
    auto* w = ShownScreen<PagedDocumentWidget>(h);
    ASSERT_NE(w, nullptr) << c.screen;
    nlohmann::json first = Describe(h, c.screen);
    ASSERT_GE(first["pageCount"].get<int>(), 2) << c.screen;
    EXPECT_EQ(w->index()->count(), first["pageCount"].get<int>());
    EXPECT_EQ(w->previousButton()->isEnabled(), first["page"].get<int>() > 0) << "Previous only after page 1";
    Shoot(h, std::string(c.screen) + "_page1");

    std::string words;
    Click(h, w->nextButton());
    words += " tap:" + std::string(c.screen) + "/next";
    Click(h, w->nextButton());
    words += " tap:" + std::string(c.screen) + "/next";
    QTest::keyClick(w, Qt::Key_Left);
    words += " tap:" + std::string(c.screen) + "/previous";
    h.settle(30);
    nlohmann::json now = Describe(h, c.screen);
    EXPECT_EQ(now["page"], first["page"].get<int>() + 1);
    EXPECT_EQ(w->findChild<QLabel*>("pageTitle")->text().toStdString(), now["pageTitle"]);
    EXPECT_EQ(now, RunKeys(open + words)["screens"][c.screen]);

    // The index jumps to the last page; Next is disabled there.
    const int last = now["pageCount"].get<int>() - 1;
    w->index()->setCurrentIndex(last);
    words += " list:" + std::string(c.screen) + "/index:" + std::to_string(last);
    h.settle(30);
    now = Describe(h, c.screen);
    EXPECT_EQ(now["page"], last);
    EXPECT_FALSE(w->nextButton()->isEnabled());
    EXPECT_TRUE(w->previousButton()->isEnabled());
    EXPECT_EQ(now, RunKeys(open + words)["screens"][c.screen]);
    Shoot(h, std::string(c.screen) + "_last");
    h.window->resize(900, 520);
    h.settle(200);
    Shoot(h, std::string(c.screen) + "_landscape");
}

INSTANTIATE_TEST_SUITE_P(Screens, PagedDocumentWidgetTest,
                         testing::Values(DocumentCase{1, "introduction"}, DocumentCase{2, "help"},
                                         DocumentCase{3, "about"}),
                         [](const auto& info) { return std::string(info.param.screen); });

// Every block of a page has its widget: a key face with the key's caption for each explained key, the
// verbatim lines in a fixed-pitch font; nothing is wider than the window.
TEST(PagedDocumentWidget, KeysAreKeyFacesAndCodeIsMonospaced) {
    for (const DocumentCase c : {DocumentCase{2, "help"}, DocumentCase{1, "introduction"}}) {
        GuiHarness h;
        RunWords(h, "option:" + std::to_string(c.option));
        auto* w = ShownScreen<PagedDocumentWidget>(h);
        ASSERT_NE(w, nullptr);
        int keyPages = 0, codePages = 0;
        const int pages = Describe(h, c.screen)["pageCount"];
        for (int p = 0; p < pages; ++p) {
            w->index()->setCurrentIndex(p);
            h.settle(10);
            nlohmann::json d = Describe(h, c.screen);
            int keys = 0, code = 0;
            for (const auto& b : d["blocks"]) {
                keys += b["kind"] == "key";
                code += b["kind"] == "code";
            }
            const QList<QWidget*> faces = w->page()->findChildren<QWidget*>("keyFace");
            EXPECT_EQ(faces.size(), keys) << c.screen << " page " << p;
            const QList<QWidget*> codes = w->page()->findChildren<QWidget*>("code");
            EXPECT_EQ(codes.size(), code) << c.screen << " page " << p;
            for (QWidget* b : codes)
                EXPECT_TRUE(QFontInfo(b->font()).fixedPitch()) << c.screen << " page " << p;
            if (keys > 0 && keyPages++ == 0) Shoot(h, std::string(c.screen) + "_keys");
            if (code > 0 && codePages++ == 0) Shoot(h, std::string(c.screen) + "_code");
            for (QWidget* child : w->page()->findChildren<QWidget*>())
                EXPECT_LE(child->geometry().right(), w->width()) << c.screen << " page " << p;
        }
        EXPECT_GT(c.screen == std::string("help") ? keyPages : codePages, 0) << c.screen;
    }
}

// Long verbatim lines wrap at blanks under their second column; short ones stay as they are.
TEST(PagedDocumentWidget, CodeLinesWrapUnderTheirSecondColumn) {
    struct Row {
        QStringList lines;
        int columns;
        QStringList shown;
    };
    const Row rows[] = {
        {{"--fix N     decimals in FIX notation"}, 40, {"--fix N     decimals in FIX notation"}},
        {{"--fix N     decimals in FIX notation, 0..10"},
         30,
         {"--fix N     decimals in FIX", "            notation, 0..10"}},
        // No second column in the first half: two blanks further in than the line.
        {{"  orvcalc --plot out.png sin(x) cos(x)"},
         20,
         {"  orvcalc --plot", "    out.png sin(x)", "    cos(x)"}},
        // A word longer than the line is cut; a narrow width still gives twelve columns.
        {{"abcdefghijklmnopqrstuvwxyz"}, 4, {"abcdefghijkl", "  mnopqrstuv", "  wxyz"}},
        {{"", "a"}, 20, {"", "a"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(WrapCodeLines(r.lines, r.columns), r.shown) << r.lines.join('|').toStdString();
}

TEST(PagedDocumentWidget, AboutShowsTheNameAndVersion) {
    GuiHarness h;
    RunWords(h, "option:3");
    auto* w = ShownScreen<PagedDocumentWidget>(h);
    ASSERT_NE(w, nullptr);
    nlohmann::json d = Describe(h, "about");
    const QLabel* product = w->findChild<QLabel*>("product");
    ASSERT_NE(product, nullptr);
    EXPECT_TRUE(product->isVisible());
    EXPECT_TRUE(product->text().contains(QString::fromStdString(d["version"])));
}

}  // namespace
