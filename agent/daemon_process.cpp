#include "agent/daemon_process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace agent {

DaemonProcess::~DaemonProcess() {
    stop();
}

bool DaemonProcess::start(const std::vector<std::string>& argv, const std::string& readyText,
                          int waitMs, std::string* error, int lifetimeSeconds) {
    int fds[2];
    if (pipe(fds) != 0) {
        *error = "pipe failed";
        return false;
    }
    std::vector<std::string> full = {"timeout", std::to_string(lifetimeSeconds)};
    full.insert(full.end(), argv.begin(), argv.end());
    m_pid = fork();
    if (m_pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> args;
        for (std::string& a : full) {
            args.push_back(a.data());
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    m_outputFd = fds[0];
    if (m_pid < 0) {
        *error = "fork failed";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (m_output.find(readyText) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0 || waitpid(m_pid, nullptr, WNOHANG) != 0) {
            *error = "'" + argv.front() + "' did not print '" + readyText + "': " + m_output;
            return false;
        }
        readAvailable(static_cast<int>(std::min<long>(left, 100)));
    }
    return true;
}

void DaemonProcess::readAvailable(int waitMs) {
    pollfd p = {m_outputFd, POLLIN, 0};
    while (poll(&p, 1, waitMs) > 0) {
        char buffer[4096];
        const ssize_t n = read(m_outputFd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        m_output.append(buffer, static_cast<std::size_t>(n));
        waitMs = 0;
    }
}

int DaemonProcess::stop(int waitMs) {
    if (m_pid <= 0) {
        return -1;
    }
    kill(m_pid, SIGTERM);
    int status = 0;
    bool exited = false;
    for (int waited = 0; waited < waitMs; waited += 20) {
        readAvailable(0);
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            exited = true;
            break;
        }
        usleep(20000);
    }
    if (!exited) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
    readAvailable(0);
    close(m_outputFd);
    m_outputFd = -1;
    m_pid = -1;
    return exited && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int freeUdpPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
        port = ntohs(addr.sin_port);
    }
    close(fd);
    return port;
}

}  // namespace agent
