// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// One HTTP GET as the online score service wants it: HTTP/1.1, the game's own request
// headers, cookies accepted, no redirects, no proxy, a connect and a total time-out, and the
// reply read up to a size limit.
struct THttpRequest {
    std::string Url;
    long ConnectTimeoutMs = 3000;
    long TotalTimeoutMs = 5000;
    size_t MaxReplyBytes = 64 * 1024;
    // When set and raised (from another thread), the transfer stops within about a second.
    const std::atomic<bool>* Cancel = nullptr;
};

struct THttpReply {
    // True when a reply arrived (any status); false on connection failure or time-out.
    bool Ok = false;
    long Status = 0;
    std::string Body;
    // True when the body was cut at MaxReplyBytes.
    bool Truncated = false;
};

[[nodiscard]] THttpReply HttpGet(const THttpRequest& Request);

// Encodes the characters of a query value that must not appear raw in a URL.
[[nodiscard]] std::string UrlEncodeQuery(const std::string& Text);
