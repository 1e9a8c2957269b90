#pragma once
// A daemon started by a test or a benchmark: its output is captured, it is
// found ready by a line it prints, and it is stopped by its PID. Every daemon
// runs under timeout(1), so none outlives a crashed test.

#include <sys/types.h>

#include <string>
#include <vector>

namespace agent {

class DaemonProcess {
public:
    DaemonProcess() = default;
    ~DaemonProcess();
    DaemonProcess(const DaemonProcess&) = delete;
    DaemonProcess& operator=(const DaemonProcess&) = delete;

    // Starts argv and waits until its output contains readyText; false with
    // *error (including the output so far) when it does not within waitMs.
    bool start(const std::vector<std::string>& argv, const std::string& readyText, int waitMs,
               std::string* error, int lifetimeSeconds = 120);
    // SIGTERM, then SIGKILL after waitMs; returns the exit status (-1 if killed).
    int stop(int waitMs = 5000);

    const std::string& output() const { return m_output; }
    pid_t pid() const { return m_pid; }

private:
    void readAvailable(int waitMs);

    pid_t m_pid = -1;
    int m_outputFd = -1;
    std::string m_output;
};

// A UDP port on 127.0.0.1 that was free a moment ago.
int freeUdpPort();

}  // namespace agent
