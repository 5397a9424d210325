// SPDX-License-Identifier: MIT
// Load benchmark of zibo-scores (not run by ctest): starts the service on a loopback port, sends
// a fixed number of accepted scores (handshake + score each) and then a fixed number of table
// page views from several keep-alive clients, and prints the rates and the failed requests. Runs
// on SQLite, then on a throw-away PostgreSQL server when its programs are installed. Every phase
// stops at its count or after 60 s, whichever comes first.
//
//   score_service_bench [SUBMISSIONS [PAGE_VIEWS [CLIENTS]]]    defaults 4000 20000 4
#include "screens/LineCode.h"
#include "server/ServerFixtures.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {
using TClock = std::chrono::steady_clock;
constexpr auto PhaseLimit = std::chrono::seconds(60);

// Each score is built in the game's format around its fresh ticket.
std::string ScoreQuery(const std::string& Ticket, int Score) {
    std::string text = "type=0|name=Bench|score=" + std::to_string(Score) + "|key=Z|p=" + Ticket + "|add=Lab|z=";
    while (text.size() % 5 != 0) {
        text.push_back('0');
    }
    return "/cgi/version.pl?hs&prg=Velmorant&inf=" + EncodeLine(text);
}

struct TPhase {
    int64_t Done = 0;
    int64_t Failed = 0;
    double Seconds = 0;
};

// Runs Count jobs split over Clients threads, each with its own keep-alive connection; Job
// returns whether its requests succeeded.
template <typename TJob>
TPhase RunPhase(int Port, int64_t Count, int Clients, TJob Job) {
    std::atomic<int64_t> next{0};
    std::atomic<int64_t> failed{0};
    const auto start = TClock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < Clients; ++c) {
        threads.emplace_back([&] {
            httplib::Client client("127.0.0.1", Port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            for (int64_t i; (i = next++) < Count && TClock::now() - start < PhaseLimit;) {
                if (!Job(client, i)) {
                    ++failed;
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    return {std::min<int64_t>(next.load() - Clients, Count), failed.load(), seconds};
}

bool Submit(httplib::Client& Client, int64_t I) {
    const auto handshake = Client.Get("/cgi/version.pl?version&prg=Velmorant");
    if (!handshake || handshake->status != 200) {
        return false;
    }
    const std::string& body = handshake->body;
    const size_t start = body.find('|', body.find('|', body.find('|', body.find('|') + 1) + 1) + 1) + 1;
    const std::string ticket = body.substr(start, body.find('|', start) - start);
    const auto score = Client.Get(ScoreQuery(ticket, static_cast<int>(1000 + I % 90000)).c_str());
    return score && score->status == 200 && score->body == "OK\n";
}

bool ViewPage(httplib::Client& Client, int64_t I) {
    const std::string target = "/cgi/version.pl?prg=Velmorant&show&type=" + std::to_string(I % 3);
    const auto page = Client.Get(target.c_str());
    return page && page->status == 200 && !page->body.empty();
}

void Report(const char* Store, const char* What, const TPhase& Phase) {
    std::printf("%-10s %-12s %7lld in %6.2f s = %8.0f/s, failed %lld\n", Store, What, static_cast<long long>(Phase.Done),
                Phase.Seconds, Phase.Done / Phase.Seconds, static_cast<long long>(Phase.Failed));
}

void Measure(const char* Store, const std::string& Database, int64_t Submissions, int64_t Views, int Clients) {
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", Database, "--rate-limit", "0", "--threads", "8"});
    if (server.Port() == 0) {
        std::printf("%-10s the service did not start:\n%s\n", Store, server.Log().c_str());
        return;
    }
    Report(Store, "submissions", RunPhase(server.Port(), Submissions, Clients, Submit));
    Report(Store, "page views", RunPhase(server.Port(), Views, Clients, ViewPage));
    if (server.Stop() != 0) {
        std::printf("%-10s the service did not stop cleanly\n", Store);
    }
}
} // namespace

int main(int argc, char** argv) {
    const int64_t submissions = argc > 1 ? std::stoll(argv[1]) : 4000;
    const int64_t views = argc > 2 ? std::stoll(argv[2]) : 20000;
    const int clients = argc > 3 ? std::stoi(argv[3]) : 4;
    {
        TTempFolder folder;
        Measure("sqlite", (folder.Path() / "bench.db").string(), submissions, views, clients);
    }
    TPostgresCluster cluster;
    if (!cluster.Available()) {
        std::printf("postgresql skipped: %s\n", cluster.Why().c_str());
        return 0;
    }
    Measure("postgresql", cluster.Url(), submissions, views, clients);
    return 0;
}
