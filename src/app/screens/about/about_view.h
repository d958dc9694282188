// The about screen: the product's name and version, its licence and the third-party components it is
// built with (resource file "help/about.txt"; the version comes from the build). Elements, lists and
// describe() as PagedDocumentView; describe() also gives "name" ("Orvane Calculator"), "version" and
// "libraries" (every @library line of the file, in order: "name", "licence", "use").
#pragma once

#include "app/screens/help/paged_document_view.h"

inline constexpr const char* kAboutFile = "help/about.txt";

class AboutView : public PagedDocumentView {
  public:
    explicit AboutView(ScreenContext& context);
    const char* name() const override { return "about"; }

    // The version of this build ("0.1.0"), set by the build system.
    static const char* Version();

  protected:
    void describeMore(nlohmann::json& out) const override;
};
