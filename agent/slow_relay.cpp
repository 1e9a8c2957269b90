#include "agent/slow_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <vector>

namespace agent::testing {

namespace {

int boundSocket(int port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int portOf(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// Reads one BER header at data[*at]: tag and content length; false when it does not fit.
bool header(const unsigned char* data, std::size_t size, std::size_t* at, unsigned char* tag,
            std::size_t* length) {
    if (*at + 2 > size) {
        return false;
    }
    *tag = data[(*at)++];
    std::size_t first = data[(*at)++];
    if (first < 0x80) {
        *length = first;
    } else {
        const std::size_t bytes = first & 0x7f;
        if (bytes == 0 || bytes > 4 || *at + bytes > size) {
            return false;
        }
        *length = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            *length = (*length << 8) | data[(*at)++];
        }
    }
    return *at + *length <= size;
}

}  // namespace

bool carriesSetRequest(const unsigned char* data, std::size_t size) {
    std::size_t at = 0;
    unsigned char tag = 0;
    std::size_t length = 0;
    if (!header(data, size, &at, &tag, &length) || tag != 0x30) {
        return false;
    }
    // The PDU follows the version and the community (v1/v2c), or sits in the scoped PDU
    // after the header and the security parameters (v3): the first context tag found at
    // this level or one level down.
    while (at < size) {
        if (!header(data, size, &at, &tag, &length)) {
            return false;
        }
        if ((tag & 0xe0) == 0xa0) {
            return tag == 0xa3;
        }
        if (tag != 0x30) {
            at += length;
        }
    }
    return false;
}

SlowRelay::SlowRelay(int agentPort, std::chrono::milliseconds answerDelay) : m_delay(answerDelay) {
    m_clientSocket = boundSocket(0);
    m_agentSocket = boundSocket(0);
    if (m_clientSocket < 0 || m_agentSocket < 0) {
        return;
    }
    sockaddr_in agentAddress{};
    agentAddress.sin_family = AF_INET;
    agentAddress.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    agentAddress.sin_port = htons(static_cast<std::uint16_t>(agentPort));
    if (::connect(m_agentSocket, reinterpret_cast<sockaddr*>(&agentAddress), sizeof agentAddress) !=
        0) {
        return;
    }
    m_port = portOf(m_clientSocket);
    m_thread = std::thread([this] { run(); });
}

SlowRelay::~SlowRelay() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    for (int fd : {m_clientSocket, m_agentSocket}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void SlowRelay::run() {
    using Clock = std::chrono::steady_clock;
    struct Held {
        Clock::time_point due;
        std::vector<unsigned char> datagram;
    };
    std::deque<Held> held;
    sockaddr_in client{};
    socklen_t clientLength = 0;
    bool slow = false;
    std::vector<unsigned char> buffer(65536);
    while (!m_stop) {
        pollfd fds[2] = {{m_clientSocket, POLLIN, 0}, {m_agentSocket, POLLIN, 0}};
        ::poll(fds, 2, 10);
        if (fds[0].revents & POLLIN) {
            clientLength = sizeof client;
            const ssize_t n = ::recvfrom(m_clientSocket, buffer.data(), buffer.size(), 0,
                                         reinterpret_cast<sockaddr*>(&client), &clientLength);
            if (n > 0) {
                const auto size = static_cast<std::size_t>(n);
                slow = slow || carriesSetRequest(buffer.data(), size);
                ::send(m_agentSocket, buffer.data(), size, 0);
            }
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::recv(m_agentSocket, buffer.data(), buffer.size(), 0);
            if (n > 0) {
                held.push_back({Clock::now() + (slow ? m_delay : std::chrono::milliseconds(0)),
                                {buffer.begin(), buffer.begin() + n}});
            }
        }
        while (!held.empty() && held.front().due <= Clock::now() && clientLength > 0) {
            ::sendto(m_clientSocket, held.front().datagram.data(), held.front().datagram.size(), 0,
                     reinterpret_cast<sockaddr*>(&client), clientLength);
            held.pop_front();
        }
    }
}

}  // namespace agent::testing
