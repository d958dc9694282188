// CurlHttpFetch against a one-shot HTTP server on 127.0.0.1 run by the test itself.
#include "common/curl_http_fetch.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "common/manual_run_loop.h"

namespace {

// Accepts one connection, reads the request head, then answers with reply (or, when reply is empty,
// holds the connection open without answering until the server is destroyed).
class OneShotServer {
  public:
    explicit OneShotServer(std::string reply) : m_reply(std::move(reply)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 1);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~OneShotServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    std::string request() {
        m_thread.join();
        m_thread = std::thread([] {});
        return m_request;
    }

  private:
    bool waitReadable(int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!m_stop) {
            if (::poll(&p, 1, 50) > 0) return true;
        }
        return false;
    }
    void serve() {
        if (!waitReadable(m_listen)) return;
        int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd < 0) return;
        char buf[4096];
        while (m_request.find("\r\n\r\n") == std::string::npos && waitReadable(fd)) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0) break;
            m_request.append(buf, static_cast<size_t>(n));
        }
        if (!m_reply.empty()) {
            ssize_t sent = ::write(fd, m_reply.data(), m_reply.size());
            (void)sent;
        } else {
            while (!m_stop) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::close(fd);
    }

    std::string m_reply;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::string m_request;
    std::thread m_thread;
};

// The loopback server must be reached directly, whatever proxy the environment names.
void NoProxy() {
    for (const char* v : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(v);
}

// Runs the loop until the response has been delivered (or 10 s of real time have passed).
void Await(ManualRunLoop& loop, const bool& delivered) {
    for (int i = 0; i < 200 && !delivered; ++i) {
        loop.waitForPost(std::chrono::milliseconds(50));
        loop.advance(0);
    }
}

}  // namespace

TEST(CurlHttpFetch, GetsTheBodyWithoutCacheAndDeliversOnTheLoop) {
    NoProxy();
    OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 12\r\nConnection: close\r\n\r\nUSD 1.000000");
    ManualRunLoop loop;
    CurlHttpFetch http(loop);
    bool delivered = false;
    HttpResponse got;
    std::thread::id caller = std::this_thread::get_id(), deliveredOn;
    http.get(server.url("/currency/save.txt"), 5, [&](const HttpResponse& r) {
        delivered = true;
        got = r;
        deliveredOn = std::this_thread::get_id();
    });
    EXPECT_FALSE(delivered);  // never from inside get()
    Await(loop, delivered);
    ASSERT_TRUE(delivered);
    EXPECT_EQ(deliveredOn, caller);
    EXPECT_TRUE(got.ok) << got.error;
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.body, "USD 1.000000");
    std::string request = server.request();
    EXPECT_EQ(request.rfind("GET /currency/save.txt HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Cache-Control: no-cache"), std::string::npos);
    EXPECT_NE(request.find("Pragma: no-cache"), std::string::npos);
}

TEST(CurlHttpFetch, FailuresAreReported) {
    NoProxy();
    struct Row {
        const char* note;
        std::string reply;
        double timeout;
        int status;
    };
    const Row rows[] = {
        {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", 5, 404},
        {"no answer within the time-out", "", 0.3, 0},
    };
    for (const Row& r : rows) {
        OneShotServer server(r.reply);
        ManualRunLoop loop;
        CurlHttpFetch http(loop);
        bool delivered = false;
        HttpResponse got;
        http.get(server.url("/x"), r.timeout, [&](const HttpResponse& resp) {
            delivered = true;
            got = resp;
        });
        Await(loop, delivered);
        ASSERT_TRUE(delivered) << r.note;
        EXPECT_FALSE(got.ok) << r.note;
        EXPECT_EQ(got.status, r.status) << r.note;
        EXPECT_FALSE(got.error.empty()) << r.note;
    }
    // Nothing listens on a port the closed server had.
    int port;
    {
        OneShotServer gone("HTTP/1.1 200 OK\r\n\r\n");
        port = std::stoi(gone.url("").substr(17));
    }
    HttpResponse refused = CurlHttpFetch::Fetch("http://127.0.0.1:" + std::to_string(port) + "/", 2);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, 0);
}
