#include "ServerProbe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The drivers OpenAL Soft was told to use, when it was: from ALSOFT_DRIVERS
// or the "drivers" line of the file ALSOFT_CONF names.
std::optional<std::string> ChosenDrivers() {
    if (!Env("ALSOFT_DRIVERS").empty()) return Env("ALSOFT_DRIVERS");
    if (Env("ALSOFT_CONF").empty()) return std::nullopt;
    std::ifstream conf(Env("ALSOFT_CONF"));
    for (std::string line; std::getline(conf, line);) {
        const size_t key = line.find_first_not_of(" \t");
        if (key != std::string::npos && line.compare(key, 7, "drivers") == 0) {
            const size_t eq = line.find('=');
            if (eq != std::string::npos) return line.substr(eq + 1);
        }
    }
    return std::nullopt;
}

// The server's local socket, or nothing when it is not a local one.
std::optional<std::string> ServerSocket() {
    std::string server = Env("PULSE_SERVER");
    if (server.empty()) {
        if (Env("XDG_RUNTIME_DIR").empty()) return std::nullopt;
        return Env("XDG_RUNTIME_DIR") + "/pulse/native";
    }
    if (server.rfind("unix:", 0) == 0) return server.substr(5);
    if (server[0] == '/') return server;
    return std::nullopt;  // a server on the network: nothing to wait for here
}

bool Answers(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        close(fd);
        return false;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size());
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

bool ServerExpected() {
    if (const auto drivers = ChosenDrivers(); drivers && drivers->find("pulse") == std::string::npos) return false;
    if (!Env("PULSE_SERVER").empty()) return true;
    if (Env("XDG_RUNTIME_DIR").empty()) return false;
    for (const char* server : {"/usr/bin/pulseaudio", "/usr/bin/pipewire-pulse"})
        if (access(server, X_OK) == 0) return true;
    return false;
}
}  // namespace

bool OutputMayOpen() {
    using Clock = std::chrono::steady_clock;
    static bool started = false;
    static std::optional<Clock::time_point> firstAsked;
    if (started) return true;
    if (!firstAsked) firstAsked = Clock::now();
    const std::optional<std::string> socket = ServerSocket();
    started = !ServerExpected() || !socket || Answers(*socket) || Clock::now() - *firstAsked > std::chrono::seconds(30);
    return started;
}

bool ServerInterfaceChosen() {
    static const bool chosen = [] {
        const auto drivers = ChosenDrivers();
        return !drivers || drivers->find("pulse") != std::string::npos;
    }();
    return chosen;
}
