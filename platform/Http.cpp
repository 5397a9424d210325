// SPDX-License-Identifier: MIT
#include "platform/Http.h"

#include "platform/LateLibrary.h"

#include <curl/curl.h>

#include <cstdio>

namespace {

constexpr const char* HttpLibraryFile = "libcurl.so.4";

// The HTTP client's functions, from its library opened at the first request (the game's start
// does not wait for it and its own libraries).
struct TCurl {
    decltype(&curl_global_init) GlobalInit = nullptr;
    decltype(&curl_easy_init) EasyInit = nullptr;
    decltype(&curl_easy_setopt) EasySetopt = nullptr;
    decltype(&curl_easy_perform) EasyPerform = nullptr;
    decltype(&curl_easy_getinfo) EasyGetinfo = nullptr;
    decltype(&curl_easy_cleanup) EasyCleanup = nullptr;
    decltype(&curl_slist_append) SlistAppend = nullptr;
    decltype(&curl_slist_free_all) SlistFreeAll = nullptr;
};

// The client, opened and set up once for the process (from whichever thread asks first); null,
// said once on stderr, when its library cannot be loaded.
const TCurl* Curl() {
    static const TCurl* const curl = [] () -> const TCurl* {
        static TLateLibrary library(HttpLibraryFile);
        static TCurl api;
        library.Find("curl_global_init", api.GlobalInit);
        library.Find("curl_easy_init", api.EasyInit);
        library.Find("curl_easy_setopt", api.EasySetopt);
        library.Find("curl_easy_perform", api.EasyPerform);
        library.Find("curl_easy_getinfo", api.EasyGetinfo);
        library.Find("curl_easy_cleanup", api.EasyCleanup);
        library.Find("curl_slist_append", api.SlistAppend);
        library.Find("curl_slist_free_all", api.SlistFreeAll);
        if (!library.Usable()) {
            std::fprintf(stderr, "online scores: %s; no score can be sent or fetched\n", library.Problem().c_str());
            return nullptr;
        }
        api.GlobalInit(CURL_GLOBAL_DEFAULT);
        return &api;
    }();
    return curl;
}

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
    THttpReply reply;
    const TCurl* api = Curl();
    if (api == nullptr) {
        return reply;
    }
    CURL* curl = api->EasyInit();
    if (!curl) {
        return reply;
    }
    TSink sink{&reply.Body, Request.MaxReplyBytes};
    curl_slist* headers = nullptr;
    headers = api->SlistAppend(headers, "Accept: text/html, */*");
    api->EasySetopt(curl, CURLOPT_URL, Request.Url.c_str());
    api->EasySetopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    api->EasySetopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    api->EasySetopt(curl, CURLOPT_HTTPHEADER, headers);
    api->EasySetopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    api->EasySetopt(curl, CURLOPT_PROXY, "");
    api->EasySetopt(curl, CURLOPT_NOPROXY, "*");
    api->EasySetopt(curl, CURLOPT_COOKIEFILE, "");
    api->EasySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, Request.ConnectTimeoutMs);
    api->EasySetopt(curl, CURLOPT_TIMEOUT_MS, Request.TotalTimeoutMs);
    api->EasySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->EasySetopt(curl, CURLOPT_WRITEFUNCTION, &WriteBody);
    api->EasySetopt(curl, CURLOPT_WRITEDATA, &sink);
    if (Request.Cancel) {
        api->EasySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        api->EasySetopt(curl, CURLOPT_XFERINFOFUNCTION, &CheckCancel);
        api->EasySetopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(Request.Cancel));
    }
    const CURLcode rc = api->EasyPerform(curl);
    reply.Truncated = sink.Truncated;
    if (rc == CURLE_OK || (rc == CURLE_WRITE_ERROR && sink.Truncated)) {
        reply.Ok = true;
        api->EasyGetinfo(curl, CURLINFO_RESPONSE_CODE, &reply.Status);
    }
    api->SlistFreeAll(headers);
    api->EasyCleanup(curl);
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
