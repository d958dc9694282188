// Hands a URL ("mailto:...") to the desktop's handler.
#pragma once

#include <string>

class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // Returns false when no handler took the URL.
    virtual bool open(const std::string& url) = 0;
};
