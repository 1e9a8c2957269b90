#include "sim/state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/simulated_switch.h"

namespace sim {

namespace {

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool loadStateFile(SimulatedSwitch& sw, const std::string& path, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return true;  // a first start: the scenario as it is
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = systemError("cannot read the state file", path);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string why;
    if (!sw.loadState(text.str(), &why)) {
        *error = "the state file " + path + " " + why + "; it is left as it is";
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = systemError("cannot create", temporary);
        return false;
    }
    if (!writeAll(fd, text) || ::fsync(fd) != 0) {
        *error = systemError("cannot write", temporary);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = systemError("cannot replace", path);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is durable only once the folder is synced.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

PersistentSwitch::PersistentSwitch(SimulatedSwitch& sw, std::string path, ErrorSink onSaveError)
    : m_switch(sw), m_path(std::move(path)), m_onSaveError(std::move(onSaveError)) {}

mib::ResponsePdu PersistentSwitch::handle(const mib::RequestPdu& request) {
    mib::ResponsePdu response = m_switch.handle(request);
    if (request.type == mib::PduType::Set && response.errorStatus == mib::ErrorStatus::NoError) {
        std::string error;
        if (!writeFileAtomically(m_path, m_switch.saveState(), &error) && m_onSaveError) {
            m_onSaveError("the change is applied but not saved: " + error);
        }
    }
    return response;
}

bool PersistentSwitch::answersNow() const {
    return m_switch.answersNow();
}

}  // namespace sim
