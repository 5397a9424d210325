// SPDX-License-Identifier: MIT
#include "ServerFixtures.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <thread>

namespace fs = std::filesystem;

namespace {
constexpr auto StartWait = std::chrono::seconds(30);
constexpr auto StopWait = std::chrono::seconds(20);
// The user PostgreSQL runs as when the tests run as root.
constexpr char UnprivilegedUser[] = "nobody";

std::string ReadAll(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Quote(const std::string& Word) {
    std::string quoted = "'";
    for (const char c : Word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The folder of initdb and pg_ctl: Debian keeps them under /usr/lib/postgresql/N/bin.
fs::path PostgresBin() {
    std::error_code ec;
    fs::path best;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        const fs::path bin = entry.path() / "bin";
        if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl") && (best.empty() || bin > best)) {
            best = bin;
        }
    }
    if (best.empty() && fs::exists("/usr/local/bin/initdb") && fs::exists("/usr/local/bin/pg_ctl")) {
        best = "/usr/local/bin";
    }
    return best;
}

// Each server of a test run logs to its own file.
int NextLogNumber() {
    static std::atomic<int> number{0};
    return ++number;
}

// Waits until Ready says yes or the time is up.
template <typename TReady>
bool WaitFor(TReady Ready, std::chrono::steady_clock::duration Limit) {
    const auto end = std::chrono::steady_clock::now() + Limit;
    while (std::chrono::steady_clock::now() < end) {
        if (Ready()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Ready();
}
} // namespace

TTempFolder::TTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "zibo-scores-XXXXXX").string();
    if (mkdtemp(pattern.data())) {
        Dir = pattern;
    }
}

TTempFolder::~TTempFolder() {
    std::error_code ec;
    if (!Dir.empty()) {
        fs::remove_all(Dir, ec);
    }
}

int Shell(const std::string& Command) {
    const int status = std::system(Command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int FreeLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (s >= 0) {
        close(s);
    }
    return port;
}

fs::path TScoresProcess::Program() { return fs::path(ZIBO_BINARY_DIR) / "server" / "zibo-scores"; }

TScoresProcess::TScoresProcess(const fs::path& Folder, const std::vector<std::string>& Arguments)
    : LogFile(Folder / ("scores-" + std::to_string(NextLogNumber()) + ".log")) {
    std::vector<std::string> words = {Program().string(), "--listen", "127.0.0.1:0"};
    words.insert(words.end(), Arguments.begin(), Arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    Pid = fork();
    if (Pid == 0) {
        const int log = open(LogFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(log, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    const std::regex listening("event=listening .*port=([0-9]+)");
    WaitFor(
        [&] {
            std::smatch match;
            const std::string log = ReadAll(LogFile);
            if (std::regex_search(log, match, listening)) {
                Port_ = std::stoi(match[1]);
            }
            return Port_ != 0 || waitpid(Pid, nullptr, WNOHANG) == Pid;
        },
        StartWait);
}

TScoresProcess::~TScoresProcess() { Stop(); }

int TScoresProcess::Stop() {
    if (Pid <= 0) {
        return ExitCode;
    }
    kill(Pid, SIGTERM);
    int status = 0;
    const bool ended = WaitFor([&] { return waitpid(Pid, &status, WNOHANG) == Pid; }, StopWait);
    if (!ended) {
        kill(Pid, SIGKILL);
        waitpid(Pid, &status, 0);
    }
    ExitCode = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Pid = -1;
    return ExitCode;
}

std::string TScoresProcess::Log() const { return ReadAll(LogFile); }

TPostgresCluster::TPostgresCluster() : Bin(PostgresBin()), Root(geteuid() == 0) {
    if (Bin.empty()) {
        Reason = "PostgreSQL's initdb and pg_ctl are not installed (Debian package postgresql)";
        return;
    }
    const fs::path data = Folder.Path() / "data";
    if (Root) {
        const passwd* user = getpwnam(UnprivilegedUser);
        if (!user || chown(Folder.Path().c_str(), user->pw_uid, user->pw_gid) != 0) {
            Reason = std::string("cannot hand the cluster's folder to the user ") + UnprivilegedUser;
            return;
        }
    }
    Port = FreeLoopbackPort();
    const std::string initdb = (Bin / "initdb").string() + " -D " + Quote(data.string()) +
                               " -U zibo --auth=trust -E UTF8 --no-sync > " + Quote((Folder.Path() / "initdb.log").string()) + " 2>&1";
    const std::string options = "-p " + std::to_string(Port) + " -k " + Folder.Path().string() +
                                " -c listen_addresses=127.0.0.1 -c fsync=off";
    const std::string start = (Bin / "pg_ctl").string() + " -D " + Quote(data.string()) + " -l " +
                              Quote((Folder.Path() / "server.log").string()) + " -w -t 60 -o " + Quote(options) +
                              " start > /dev/null";
    if (Shell(AsOwner(initdb)) != 0) {
        Reason = "initdb failed: " + ReadAll(Folder.Path() / "initdb.log");
        return;
    }
    if (Shell(AsOwner(start)) != 0) {
        Reason = "pg_ctl start failed: " + ReadAll(Folder.Path() / "server.log");
        return;
    }
    Running = true;
}

TPostgresCluster::~TPostgresCluster() {
    if (Running) {
        const fs::path data = Folder.Path() / "data";
        (void)Shell(AsOwner((Bin / "pg_ctl").string() + " -D " + Quote(data.string()) + " -m fast -w stop > /dev/null"));
    }
}

std::string TPostgresCluster::Url() const {
    return "postgresql://zibo@127.0.0.1:" + std::to_string(Port) + "/postgres";
}

std::string TPostgresCluster::AsOwner(const std::string& Command) const {
    if (!Root) {
        return Command;
    }
    return std::string("runuser -u ") + UnprivilegedUser + " -- sh -c " + Quote("cd / && " + Command);
}
