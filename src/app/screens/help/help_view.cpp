#include "app/screens/help/help_view.h"

#include "app/controller/orvane_view_controller.h"

HelpView::HelpView(ScreenContext& context) : PagedDocumentView(context, kHelpFile, "Help") {}

void HelpView::didShow() {
    m_nCategory = context().controller.currentFunction();
    const int page = document().pageOfCategory(m_nCategory);
    goToPage(page < 0 ? 0 : page);
    changed();
}

void HelpView::describeMore(nlohmann::json& out) const {
    out["category"] = m_nCategory;
}
