#include "common/curl_http_fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <cmath>

namespace {

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The body is capped so that a runaway server cannot exhaust memory; the currency table is a few KB.
constexpr size_t kMaxBody = 16 * 1024 * 1024;

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<std::string*>(user);
    size_t n = size * count;
    if (body->size() + n > kMaxBody) return 0;  // makes curl stop with a write error
    body->append(data, n);
    return n;
}

}  // namespace

CurlHttpFetch::CurlHttpFetch(RunLoop& loop) : m_loop(loop) {
    InitCurlOnce();
}

CurlHttpFetch::~CurlHttpFetch() {
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        threads.swap(m_threads);
    }
    for (std::thread& t : threads) {
        if (t.joinable()) t.join();
    }
}

HttpResponse CurlHttpFetch::Fetch(const std::string& url, double timeoutSeconds) {
    InitCurlOnce();
    HttpResponse response;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        response.error = "cannot start a transfer";
        return response;
    }
    long timeoutMs = static_cast<long>(std::ceil(std::clamp(timeoutSeconds, 0.001, 3600.0) * 1000));
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // threads must not get SIGALRM from name lookups
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    if (rc != CURLE_OK) {
        response.error = curl_easy_strerror(rc);
    } else if (status != 200) {
        response.error = "HTTP status " + std::to_string(status);
    } else {
        response.ok = true;
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return response;
}

void CurlHttpFetch::get(const std::string& url, double timeoutSeconds,
                        std::function<void(const HttpResponse&)> done) {
    RunLoop& loop = m_loop;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_threads.emplace_back([&loop, url, timeoutSeconds, done = std::move(done)]() mutable {
        HttpResponse response = Fetch(url, timeoutSeconds);
        loop.postFromAnyThread([done = std::move(done), response = std::move(response)] {
            if (done) done(response);
        });
    });
}
