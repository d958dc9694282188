#include "app/screens/about/about_view.h"

// The build passes the project's version; a build that does not still gives a working screen.
#ifndef ORV_VERSION
#define ORV_VERSION "unknown"
#endif

AboutView::AboutView(ScreenContext& context) : PagedDocumentView(context, kAboutFile, "About") {}

const char* AboutView::Version() {
    return ORV_VERSION;
}

void AboutView::describeMore(nlohmann::json& out) const {
    nlohmann::json libraries = nlohmann::json::array();
    for (const HelpPage& page : document().pages) {
        for (const HelpBlock& b : page.blocks) {
            if (b.kind == HelpBlock::Kind::Library) libraries.push_back(DescribeBlock(b));
        }
    }
    out["name"] = "Orvane Calculator";
    out["version"] = Version();
    out["libraries"] = libraries;
}
