// The help: pages that explain every category and every key of the calculator (resource file
// "help/help.txt"). It opens on the page of the category in use, or on the first page when no page
// explains that category. Elements, lists and describe() as PagedDocumentView; describe() also gives
// "category" (the category it opened in).
#pragma once

#include "app/screens/help/paged_document_view.h"

inline constexpr const char* kHelpFile = "help/help.txt";

class HelpView : public PagedDocumentView {
  public:
    explicit HelpView(ScreenContext& context);
    const char* name() const override { return "help"; }
    void didShow() override;

  protected:
    void describeMore(nlohmann::json& out) const override;

  private:
    int m_nCategory = -1;
};
