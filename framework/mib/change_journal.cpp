#include "framework/mib/change_journal.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace mib {

namespace {

std::string systemError() {
    return std::strerror(errno);
}
std::string currentUser() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    const char* user = std::getenv("USER");
    return user ? user : "uid " + std::to_string(geteuid());
}
}  // namespace

JournalContents readJournal(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno != ENOENT) {
            *error = "cannot read the change journal " + path + ": " + systemError();
        }
        return {};
    }
    return parseJournal(in);
}
std::shared_ptr<ChangeJournal> ChangeJournal::open(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = "cannot write the change journal " + path + ": " + systemError();
        return nullptr;
    }
    std::shared_ptr<ChangeJournal> journal(new ChangeJournal(fd, path));
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        journal->learnIds(st.st_size);
    }
    return journal;
}

ChangeJournal::ChangeJournal(int fd, std::string path)
    : m_fd(fd), m_path(std::move(path)), m_user(currentUser()) {}

ChangeJournal::~ChangeJournal() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void ChangeJournal::learnIds(std::int64_t to) {
    if (to <= m_known) {
        m_known = to;
        return;
    }
    std::ifstream in(m_path, std::ios::binary);
    in.seekg(m_known);
    std::string line;
    while (in.tellg() >= 0 && in.tellg() < to && std::getline(in, line)) {
        m_lastId = std::max(m_lastId, changeIdOfLine(line));
    }
    m_known = to;
}

bool ChangeJournal::append(const std::function<std::string(long)>& makeLine, long* idOut, bool sync,
                           std::string* error) {
    if (::flock(m_fd, LOCK_EX) != 0) {
        *error = "cannot lock the change journal " + m_path + ": " + systemError();
        return false;
    }
    struct Unlock {
        int fd;
        ~Unlock() { ::flock(fd, LOCK_UN); }
    } unlock{m_fd};
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        *error = "cannot examine the change journal " + m_path + ": " + systemError();
        return false;
    }
    learnIds(st.st_size);
    std::string line = makeLine(m_lastId + 1) + "\n";
    // A line torn by a crash must stay a line of its own, not swallow this record.
    if (st.st_size > 0) {
        const int reader = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        char last = '\n';
        if (reader >= 0) {
            if (::pread(reader, &last, 1, st.st_size - 1) != 1) {
                last = '\n';
            }
            ::close(reader);
        }
        if (last != '\n') {
            line.insert(line.begin(), '\n');
        }
    }
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(m_fd, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            *error = "cannot write the change journal " + m_path + ": " + systemError();
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (sync && ::fsync(m_fd) != 0) {
        *error = "cannot sync the change journal " + m_path + ": " + systemError();
        return false;
    }
    m_known = st.st_size + static_cast<std::int64_t>(line.size());
    if (idOut != nullptr) {
        *idOut = ++m_lastId;
    }
    return true;
}

long ChangeJournal::recordChange(JournalChange& change, const MibDictionary& dictionary,
                                 std::string* error) {
    change.time = journalTimeNow();
    change.user = m_user;
    change.agentAddress = m_agentAddress;
    long id = 0;
    const bool ok = append(
        [&](long next) {
            change.id = next;
            return changeLine(change, dictionary);
        },
        &id, true, error);
    return ok ? id : 0;
}

bool ChangeJournal::recordOutcome(long id, const SetOutcome& outcome, std::string* error) {
    return append([&](long) { return outcomeLine(id, outcome); }, nullptr, false, error);
}

}  // namespace mib
