// An HTTP server on 127.0.0.1 run by a test: every connection gets the same scripted reply (status line,
// headers and body as raw bytes), or, with Hang(), no reply at all until the server is destroyed. Counts the
// requests it has read.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

class LocalHttpServer {
  public:
    // A complete response with a Content-Length.
    static std::string Reply(int status, const std::string& reason, const std::string& body,
                             const std::string& type = "text/plain") {
        return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: " + type +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    static std::string Hang() { return {}; }

    explicit LocalHttpServer(std::string reply) : m_reply(std::move(reply)) {
        // The loopback server must be reached directly, whatever proxy the environment names.
        for (const char* v : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(v);
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 4);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path = "/rates.xml") const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    int requests() const { return m_requests; }

  private:
    bool waitReadable(int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!m_stop) {
            if (::poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }
    void serve() {
        while (waitReadable(m_listen)) {
            const int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0) continue;
            std::string request;
            char buf[4096];
            while (request.find("\r\n\r\n") == std::string::npos && waitReadable(fd)) {
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n <= 0) break;
                request.append(buf, static_cast<size_t>(n));
            }
            ++m_requests;
            if (m_reply.empty()) {
                while (!m_stop) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            } else {
                for (size_t sent = 0; sent < m_reply.size();) {
                    const ssize_t n = ::write(fd, m_reply.data() + sent, m_reply.size() - sent);
                    if (n <= 0) break;
                    sent += static_cast<size_t>(n);
                }
            }
            ::close(fd);
        }
    }

    std::string m_reply;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};
