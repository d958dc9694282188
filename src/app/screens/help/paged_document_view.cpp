#include "app/screens/help/paged_document_view.h"

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_tables.h"

PagedDocumentView::PagedDocumentView(ScreenContext& context, std::string fileName, std::string title)
    : m_context(context),
      m_sTitle(std::move(title)),
      m_document(LoadHelpDocument(context.platform.storage, fileName)) {}

bool PagedDocumentView::goToPage(int index) {
    if (index < 0 || index >= pageCount()) return false;
    if (index != m_nPage) {
        m_nPage = index;
        changed();
    }
    return true;
}

bool PagedDocumentView::tap(std::string_view element) {
    if (element == "next") return nextPage();
    if (element == "previous") return previousPage();
    if (element == "back") {
        m_context.controller.HideScreen(name());
        return true;
    }
    return false;
}

bool PagedDocumentView::pick(std::string_view list, int index) {
    return list == "index" && goToPage(index);
}

nlohmann::json PagedDocumentView::DescribeBlock(const HelpBlock& block) {
    switch (block.kind) {
        case HelpBlock::Kind::Text:
            return {{"kind", "text"}, {"text", block.text}};
        case HelpBlock::Kind::Code:
            return {{"kind", "code"}, {"text", block.text}};
        case HelpBlock::Kind::Key:
            return {{"kind", "key"},
                    {"code", block.code},
                    {"caption", U16ToUtf8(KeyCaption(block.code))},
                    {"text", block.text}};
        case HelpBlock::Kind::Library:
            return {
                {"kind", "library"}, {"name", block.name}, {"licence", block.licence}, {"use", block.text}};
    }
    return {};
}

nlohmann::json PagedDocumentView::describe() const {
    using nlohmann::json;
    json index = json::array();
    for (const HelpPage& p : m_document.pages) index.push_back(p.title);
    json blocks = json::array();
    std::string pageTitle;
    if (m_nPage < pageCount()) {
        const HelpPage& page = m_document.pages[static_cast<size_t>(m_nPage)];
        pageTitle = page.title;
        for (const HelpBlock& b : page.blocks) blocks.push_back(DescribeBlock(b));
    }
    json out = {{"title", m_sTitle},
                {"page", m_nPage},
                {"pageCount", pageCount()},
                {"pageTitle", pageTitle},
                {"blocks", blocks},
                {"index", index},
                {"canPrevious", m_nPage > 0},
                {"canNext", m_nPage + 1 < pageCount()},
                {"empty", m_document.pages.empty()}};
    describeMore(out);
    return out;
}
