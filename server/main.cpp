// SPDX-License-Identifier: MIT
// zibo-scores: the online high-score service. Serves until SIGTERM or SIGINT, finishes the
// requests in flight and exits 0.
#include "generated/Version.h"
#include "server/EventLog.h"
#include "server/HttpFront.h"
#include "server/ScoreService.h"
#include "server/ServerOptions.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace {
constexpr int ExitUsage = 2;

sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// Waits for a stop signal, then stops the front (again and again until it has stopped, in
// case serving had not yet begun).
void WatchSignals(THttpFront& Front, const std::atomic<bool>& Finished, TEventLog& Log) {
    const sigset_t set = StopSignals();
    int signal = 0;
    if (sigwait(&set, &signal) != 0 || Finished) {
        return;
    }
    Log.Write("stopping", {{"signal", signal == SIGTERM ? "TERM" : "INT"}});
    while (!Finished) {
        Front.Stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

int Serve(const TServerOptions& Options) {
    TEventLog log;
    std::unique_ptr<IScoreStore> store;
    try {
        store = OpenScoreStore(Options.Database);
    } catch (const std::exception& e) {
        log.Write("failed", {{"reason", "database"}, {"detail", e.what()}});
        return 1;
    }
    TScoreService service(*store, log, {Options.RateLimit});
    THttpFront front(service, log, {Options.Host, Options.Port, Options.Threads, Options.TrustProxy});
    if (!front.Bind()) {
        log.Write("failed", {{"reason", "listen"}, {"address", Options.Host}, {"port", std::to_string(Options.Port)}});
        return 1;
    }
    std::atomic<bool> finished{false};
    std::thread watcher(WatchSignals, std::ref(front), std::cref(finished), std::ref(log));
    const bool served = front.Run();
    finished = true;
    // Wakes the watcher when no signal came.
    pthread_kill(watcher.native_handle(), SIGTERM);
    watcher.join();
    return served ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    // Every thread inherits the blocked signals; only the watcher takes them.
    const sigset_t set = StopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);

    const TParsedOptions parsed = ParseServerOptions({argv + 1, argv + argc});
    if (!parsed.Error.empty()) {
        std::fprintf(stderr, "zibo-scores: %s\n\n%s", parsed.Error.c_str(), ServerUsage().c_str());
        return ExitUsage;
    }
    if (parsed.Options.Help) {
        std::printf("%s", ServerUsage().c_str());
        return 0;
    }
    if (parsed.Options.Version) {
        std::printf("zibo-scores %s%s\n", ZIBO_VERSION, HasPostgresql() ? "" : " (without PostgreSQL)");
        return 0;
    }
    return Serve(parsed.Options);
}
