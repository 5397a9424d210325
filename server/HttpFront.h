// SPDX-License-Identifier: MIT
#pragma once

#include "server/EventLog.h"
#include "server/ScoreService.h"

#include <memory>
#include <string>

namespace httplib {
class Server;
struct Request;
}

struct THttpSettings {
    std::string Host = "127.0.0.1";
    int Port = 8642;
    // Worker threads answering requests (keep-alive connections each hold one while open).
    size_t Threads = 8;
    // Take the client address from the last X-Forwarded-For entry (set only behind a proxy
    // that writes that header itself).
    bool TrustProxy = false;
};

// The HTTP side: a thread pool, keep-alive, 8 KiB limits on the request line and each header
// (the library's), time-outs on slow clients, and the routes of the service and its pictures.
class THttpFront {
public:
    // The longest query string looked at; longer ones are refused before any handler.
    static constexpr size_t MaxQueryLength = 64 * 1024;
    static constexpr int TimeoutSeconds = 5;
    static constexpr size_t KeepAliveRequests = 100;

    THttpFront(TScoreService& Service, TEventLog& Log, THttpSettings Settings);
    ~THttpFront();
    THttpFront(const THttpFront&) = delete;
    THttpFront& operator=(const THttpFront&) = delete;

    // Binds the address (port 0 picks a free one); false when that fails.
    [[nodiscard]] bool Bind();
    [[nodiscard]] int Port() const { return BoundPort; }
    // Serves until Stop; returns false when serving could not start.
    bool Run();
    // Stops accepting; requests in flight are finished before Run returns. Safe from any thread.
    void Stop();

    // The client address of a request: the socket's, or with TrustProxy the last address of
    // X-Forwarded-For when it looks like one.
    [[nodiscard]] static std::string ClientAddress(const httplib::Request& Request, bool TrustProxy);

private:
    void Route();

    TScoreService& Service;
    TEventLog& Log;
    THttpSettings Settings;
    std::unique_ptr<httplib::Server> Server;
    int BoundPort = 0;
};
