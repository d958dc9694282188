// HttpFetch over libcurl. Each transfer runs on a helper thread of its own and hands its response back
// through RunLoop::postFromAnyThread, so done runs on the loop's thread. Requests carry "Cache-Control:
// no-cache" and "Pragma: no-cache" and follow redirects; a transfer that does not complete within its
// time-out fails. Status codes other than 200 are failures too (ok false, status and body kept).
#pragma once

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/http_fetch.h"
#include "platform/run_loop.h"

class CurlHttpFetch : public HttpFetch {
  public:
    // loop must outlive this object.
    explicit CurlHttpFetch(RunLoop& loop);
    // Waits for the transfers still running (each ends by its time-out at the latest); their responses
    // are still posted to the loop.
    ~CurlHttpFetch() override;
    CurlHttpFetch(const CurlHttpFetch&) = delete;
    CurlHttpFetch& operator=(const CurlHttpFetch&) = delete;

    void get(const std::string& url, double timeoutSeconds,
             std::function<void(const HttpResponse&)> done) override;

    // The transfer itself, synchronously on the calling thread (what the helper thread runs).
    static HttpResponse Fetch(const std::string& url, double timeoutSeconds);

  private:
    RunLoop& m_loop;
    std::mutex m_mutex;
    std::vector<std::thread> m_threads;
};
