// HTTP GET for the currency download.
//
// The transfer may run on a helper thread inside the shell; done is always called later on the main loop,
// exactly once, also on failure or time-out. Responses are never served from a cache.
#pragma once

#include <functional>
#include <string>

struct HttpResponse {
    bool ok = false;    // true when a response with status 200 arrived in time
    int status = 0;     // HTTP status, 0 when none arrived
    std::string body;   // raw bytes of the response body
    std::string error;  // short reason when !ok
};

class HttpFetch {
  public:
    virtual ~HttpFetch() = default;
    virtual void get(const std::string& url, double timeoutSeconds,
                     std::function<void(const HttpResponse&)> done) = 0;
};
