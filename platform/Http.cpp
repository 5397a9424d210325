// SPDX-License-Identifier: MIT
#include "platform/Http.h"

#include <curl/curl.h>

#include <mutex>

namespace {
std::once_flag CurlInitOnce;

struct TSink {
    std::string* Body;
    size_t Limit;
    bool Truncated = false;
};

size_t WriteBody(char* Data, size_t Size, size_t Count, void* User) {
    auto* sink = static_cast<TSink*>(User);
    const size_t n = Size * Count;
    const size_t room = sink->Limit > sink->Body->size() ? sink->Limit - sink->Body->size() : 0;
    if (n > room) {
        sink->Body->append(Data, room);
        sink->Truncated = true;
        // Returning less than n ends the transfer: a reply past the limit is not read on.
        return room;
    }
    sink->Body->append(Data, n);
    return n;
}
// A non-zero answer makes the transfer end with an aborted-by-callback error.
int CheckCancel(void* User, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancel = static_cast<const std::atomic<bool>*>(User);
    return cancel->load() ? 1 : 0;
}
} // namespace

THttpReply HttpGet(const THttpRequest& Request) {
    std::call_once(CurlInitOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    THttpReply reply;
    CURL* curl = curl_easy_init();
    if (!curl) {
        return reply;
    }
    TSink sink{&reply.Body, Request.MaxReplyBytes};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: text/html, */*");
    curl_easy_setopt(curl, CURLOPT_URL, Request.Url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, Request.ConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, Request.TotalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    if (Request.Cancel) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CheckCancel);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(Request.Cancel));
    }
    const CURLcode rc = curl_easy_perform(curl);
    reply.Truncated = sink.Truncated;
    if (rc == CURLE_OK || (rc == CURLE_WRITE_ERROR && sink.Truncated)) {
        reply.Ok = true;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.Status);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
}

std::string UrlEncodeQuery(const std::string& Text) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : Text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_' || c == '.' || c == '~' || c == '=' || c == '&';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}
