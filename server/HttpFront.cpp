// SPDX-License-Identifier: MIT
#include "server/HttpFront.h"

#include "server/Assets.h"

#include <httplib.h>

namespace {
constexpr size_t MaxAddressLength = 45;
constexpr char PngType[] = "image/png";

bool LooksLikeAddress(const std::string& Text) {
    return !Text.empty() && Text.size() <= MaxAddressLength &&
           Text.find_first_not_of("0123456789abcdefABCDEF.:") == std::string::npos;
}

std::string Trimmed(const std::string& Text) {
    const size_t first = Text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
}

void ServeAsset(httplib::Response& Response, std::string_view Bytes) {
    Response.set_header("Cache-Control", "public, max-age=86400");
    Response.set_content(std::string(Bytes), PngType);
}
} // namespace

THttpFront::THttpFront(TScoreService& Service, TEventLog& Log, THttpSettings Settings)
    : Service(Service), Log(Log), Settings(std::move(Settings)), Server(std::make_unique<httplib::Server>()) {
    const size_t threads = std::max<size_t>(1, this->Settings.Threads);
    Server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    // Replies go out in two writes (head, body): without this a keep-alive client waits for
    // the delayed acknowledgement of the first before the second leaves.
    Server->set_tcp_nodelay(true);
    Server->set_keep_alive_max_count(KeepAliveRequests);
    Server->set_keep_alive_timeout(TimeoutSeconds);
    Server->set_read_timeout(TimeoutSeconds, 0);
    Server->set_write_timeout(TimeoutSeconds, 0);
    Server->set_payload_max_length(MaxQueryLength);
    Route();
}

THttpFront::~THttpFront() = default;

std::string THttpFront::ClientAddress(const httplib::Request& Request, bool TrustProxy) {
    if (TrustProxy && Request.has_header("X-Forwarded-For")) {
        const std::string chain = Request.get_header_value("X-Forwarded-For");
        const size_t comma = chain.rfind(',');
        const std::string last = Trimmed(comma == std::string::npos ? chain : chain.substr(comma + 1));
        if (LooksLikeAddress(last)) {
            return last;
        }
    }
    return Request.remote_addr;
}

void THttpFront::Route() {
    const auto serve = [this](const httplib::Request& Request, httplib::Response& Response) {
        const size_t question = Request.target.find('?');
        if (question != std::string::npos && Request.target.size() - question - 1 > MaxQueryLength) {
            Response.status = 414;
            Response.set_content("ERR too-long\n", "text/plain; charset=utf-8");
            return;
        }
        TServiceRequest request{Request.path, {Request.params.begin(), Request.params.end()},
                                ClientAddress(Request, Settings.TrustProxy), Request.get_header_value("Accept-Language")};
        const TServiceReply reply = Service.Handle(request);
        Response.status = reply.Status;
        Response.set_header("X-Content-Type-Options", "nosniff");
        if (Request.path == "/api/scores") {
            // The tables are public: pages of other sites may read them.
            Response.set_header("Access-Control-Allow-Origin", "*");
        }
        Response.set_content(reply.Body, reply.ContentType.c_str());
    };
    Server->Get("/cgi/version.pl", serve);
    Server->Get("/api/scores", serve);
    Server->Get("/healthz", serve);
    Server->Get("/logo.png", [](const httplib::Request&, httplib::Response& R) { ServeAsset(R, Assets::LogoPng()); });
    Server->Get("/favicon.png", [](const httplib::Request&, httplib::Response& R) { ServeAsset(R, Assets::IconPng()); });
    Server->Get("/", [](const httplib::Request&, httplib::Response& R) {
        R.set_redirect("/cgi/version.pl?prg=Velmorant&show&type=0");
    });
}

bool THttpFront::Bind() {
    if (Settings.Port == 0) {
        BoundPort = Server->bind_to_any_port(Settings.Host);
        return BoundPort > 0;
    }
    if (!Server->bind_to_port(Settings.Host, Settings.Port)) {
        return false;
    }
    BoundPort = Settings.Port;
    return true;
}

bool THttpFront::Run() {
    Log.Write("listening", {{"address", Settings.Host}, {"port", std::to_string(BoundPort)},
                            {"threads", std::to_string(Settings.Threads)},
                            {"trust_proxy", Settings.TrustProxy ? "yes" : "no"}});
    const bool served = Server->listen_after_bind();
    Log.Write("stopped", {});
    return served;
}

void THttpFront::Stop() { Server->stop(); }
