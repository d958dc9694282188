// The introduction: pages that present the terminal calculator orvcalc and its commands (resource file
// "help/introduction.txt"). Elements, lists and describe() as PagedDocumentView; describe() also gives
// "program" ("orvcalc").
#pragma once

#include "app/screens/help/paged_document_view.h"

inline constexpr const char* kIntroductionFile = "help/introduction.txt";

class IntroductionView : public PagedDocumentView {
  public:
    explicit IntroductionView(ScreenContext& context)
        : PagedDocumentView(context, kIntroductionFile, "Introduction") {}
    const char* name() const override { return "introduction"; }

  protected:
    void describeMore(nlohmann::json& out) const override { out["program"] = "orvcalc"; }
};
