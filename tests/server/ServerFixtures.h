// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& Path() const { return Dir; }

private:
    std::filesystem::path Dir;
};

// The built zibo-scores, started on a free loopback port with extra arguments (a database
// among them); its log goes to a file. Stopped with SIGTERM when the object goes.
class TScoresProcess {
public:
    TScoresProcess(const std::filesystem::path& Folder, const std::vector<std::string>& Arguments);
    ~TScoresProcess();
    TScoresProcess(const TScoresProcess&) = delete;
    TScoresProcess& operator=(const TScoresProcess&) = delete;

    // 0 when the server did not come up.
    [[nodiscard]] int Port() const { return Port_; }
    [[nodiscard]] std::string HostPort() const { return "127.0.0.1:" + std::to_string(Port_); }
    [[nodiscard]] std::string BaseUrl() const { return "http://" + HostPort(); }
    // Sends SIGTERM and waits (at most 20 s, then SIGKILL); the exit code, -1 when killed.
    int Stop();
    [[nodiscard]] std::string Log() const;

    [[nodiscard]] static std::filesystem::path Program();

private:
    std::filesystem::path LogFile;
    pid_t Pid = -1;
    int Port_ = 0;
    int ExitCode = -1;
};

// A throw-away PostgreSQL server in a temporary folder on a free loopback port, run as an
// unprivileged user when the test runs as root (the server refuses root). Available() is
// false, with the reason in Why(), when the PostgreSQL programs are not installed.
class TPostgresCluster {
public:
    TPostgresCluster();
    ~TPostgresCluster();
    TPostgresCluster(const TPostgresCluster&) = delete;
    TPostgresCluster& operator=(const TPostgresCluster&) = delete;

    [[nodiscard]] bool Available() const { return Running; }
    [[nodiscard]] const std::string& Why() const { return Reason; }
    // "postgresql://zibo@127.0.0.1:PORT/postgres".
    [[nodiscard]] std::string Url() const;

private:
    [[nodiscard]] std::string AsOwner(const std::string& Command) const;
    TTempFolder Folder;
    std::filesystem::path Bin;
    int Port = 0;
    bool Running = false;
    bool Root = false;
    std::string Reason;
};

// A loopback port nobody listens on at the moment.
[[nodiscard]] int FreeLoopbackPort();
// Runs a shell command; its exit code (-1 when it did not exit normally).
int Shell(const std::string& Command);
