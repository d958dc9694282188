// A screen of pages read from a help-format text file (help_document.h): the help, the about screen and
// the introduction. One page shows at a time; the index lists every page's title.
//
// Elements (tap): "next", "previous", "back" (closes the screen). List (pick): "index", page N.
// describe(): "title" (the screen's), "page" (index of the page shown, 0 when there are none),
// "pageCount", "pageTitle", "blocks" (the page's content in order: {"kind": "text", "text"},
// {"kind": "code", "text"} with lines joined by "\n", {"kind": "key", "code", "caption", "text"},
// {"kind": "library", "name", "licence", "use"}), "index" (every page's title), "canPrevious",
// "canNext", "empty" (the file was missing or damaged: nothing to show).
// Engine thread only.
#pragma once

#include <string>

#include "app/screens/help/help_document.h"
#include "app/screens/screen_host.h"

class PagedDocumentView : public ScreenModel {
  public:
    // Reads resourceFolder()/fileName at once; title is what the screen's title bar says.
    PagedDocumentView(ScreenContext& context, std::string fileName, std::string title);

    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;

    int pageIndex() const { return m_nPage; }
    int pageCount() const { return static_cast<int>(m_document.pages.size()); }
    const HelpDocument& document() const { return m_document; }
    // Shows page index; false (nothing changes) outside the document.
    bool goToPage(int index);
    bool nextPage() { return goToPage(m_nPage + 1); }
    bool previousPage() { return goToPage(m_nPage - 1); }

    // One block as JSON (see the file comment).
    static nlohmann::json DescribeBlock(const HelpBlock& block);

  protected:
    ScreenContext& context() { return m_context; }
    // Keys a screen adds to describe().
    virtual void describeMore(nlohmann::json& out) const { (void)out; }

  private:
    ScreenContext& m_context;
    std::string m_sTitle;
    HelpDocument m_document;
    int m_nPage = 0;
};
