// SPDX-License-Identifier: MIT
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A tiny HTTP server on 127.0.0.1 with a port chosen by the system, standing in for the
// online score service. Each GET gets the body Reply(target) returns, with the status set by
// SetStatus (200 unless changed); a silent server reads requests and never answers; a held
// server reads each request and answers it only once released. Every request target
// ("/cgi/version.pl?...") is recorded.
class TScoreTestServer {
public:
    using TReply = std::function<std::string(const std::string& Target)>;

    explicit TScoreTestServer(TReply Reply, bool Silent = false) : Reply(std::move(Reply)), Silent(Silent) {
        Listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof(address);
        if (Listener < 0 || bind(Listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(Listener, 8) != 0 ||
            getsockname(Listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        Port_ = ntohs(address.sin_port);
        Worker = std::thread([this] { Serve(); });
    }

    ~TScoreTestServer() {
        Stop = true;
        if (Worker.joinable()) {
            Worker.join();
        }
        for (const int client : Held) {
            close(client);
        }
        if (Listener >= 0) {
            close(Listener);
        }
    }
    TScoreTestServer(const TScoreTestServer&) = delete;
    TScoreTestServer& operator=(const TScoreTestServer&) = delete;

    // 0 when the server could not start.
    [[nodiscard]] int Port() const { return Port_; }
    [[nodiscard]] std::string HostPort() const { return "127.0.0.1:" + std::to_string(Port_); }
    [[nodiscard]] std::string Url() const { return "http://" + HostPort() + "/cgi/version.pl"; }

    void SetStatus(int Status) { StatusCode = Status; }
    // Requests are read and recorded, their answers wait until Release.
    void Hold() { Holding = true; }
    void Release() { Holding = false; }
    // How many requests have been answered.
    [[nodiscard]] int Answered() const { return AnsweredCount; }

    [[nodiscard]] std::vector<std::string> Targets() const {
        std::lock_guard<std::mutex> lock(Guard);
        return Targets_;
    }

private:
    void Serve() {
        while (!Stop) {
            pollfd ready{Listener, POLLIN, 0};
            if (poll(&ready, 1, 20) <= 0) {
                continue;
            }
            const int client = accept(Listener, nullptr, nullptr);
            if (client >= 0) {
                Answer(client);
            }
        }
    }

    // Reads the request head (up to a limit), records its target and answers it.
    void Answer(int Client) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && !Stop) {
            pollfd ready{Client, POLLIN, 0};
            if (poll(&ready, 1, 20) <= 0) {
                continue;
            }
            const ssize_t n = recv(Client, buffer, sizeof(buffer), 0);
            if (n <= 0) {
                break;
            }
            head.append(buffer, static_cast<size_t>(n));
        }
        const size_t first = head.find(' ');
        const size_t second = first == std::string::npos ? first : head.find(' ', first + 1);
        const std::string target =
            second == std::string::npos ? std::string() : head.substr(first + 1, second - first - 1);
        {
            std::lock_guard<std::mutex> lock(Guard);
            Targets_.push_back(target);
        }
        if (Silent) {
            Held.push_back(Client);
            return;
        }
        while (Holding && !Stop) {
            poll(nullptr, 0, 10);
        }
        const std::string body = Reply(target);
        std::string reply =
            "HTTP/1.1 " + std::to_string(StatusCode.load()) + " Reply\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        size_t sent = 0;
        while (sent < reply.size()) {
            const ssize_t n = send(Client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                break;
            }
            sent += static_cast<size_t>(n);
        }
        close(Client);
        ++AnsweredCount;
    }

    TReply Reply;
    bool Silent;
    int Listener = -1;
    int Port_ = 0;
    std::atomic<bool> Stop{false};
    std::atomic<int> StatusCode{200};
    std::atomic<bool> Holding{false};
    std::atomic<int> AnsweredCount{0};
    std::thread Worker;
    std::vector<int> Held;
    mutable std::mutex Guard;
    std::vector<std::string> Targets_;
};
