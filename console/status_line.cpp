#include "console/status_line.h"

#include <unistd.h>

namespace console {

namespace {

// Back to the start of the line and erase it.
constexpr const char* kEraseLine = "\r\033[K";

}  // namespace

std::string statusText(const ReadActivity& activity) {
    std::string text = "reading " + activity.what + " from " + activity.agent + ": " +
                       std::to_string(activity.rows) + (activity.rows == 1 ? " row" : " rows");
    if (activity.retries > 0) {
        text += ", retry " + std::to_string(activity.retries) + " of " +
                std::to_string(activity.maxRetries);
    }
    return text;
}

bool wantsStatusLine(std::FILE* stream, bool quiet) {
    return !quiet && isatty(fileno(stream)) == 1;
}

StatusLine::StatusLine(afx::EventLoop& loop, const ProgressTransport& progress, std::FILE* stream,
                       std::string program)
    : m_loop(loop), m_progress(progress), m_stream(stream), m_program(std::move(program)) {
    m_timer = m_loop.addTimer(kRefreshMs, [this] { tick(); });
}

StatusLine::~StatusLine() {
    m_loop.cancelTimer(m_timer);
    clear();
}

void StatusLine::tick() {
    const ReadActivity activity = m_progress.activity();
    if (activity.busy && m_loop.now() - activity.sinceMs >= kShowAfterMs) {
        std::fprintf(m_stream, "%s%s: %s", kEraseLine, m_program.c_str(),
                     statusText(activity).c_str());
        std::fflush(m_stream);
        m_shown = true;
    } else {
        clear();
    }
    m_timer = m_loop.addTimer(kRefreshMs, [this] { tick(); });
}

void StatusLine::clear() {
    if (m_shown) {
        std::fputs(kEraseLine, m_stream);
        std::fflush(m_stream);
        m_shown = false;
    }
}

}  // namespace console
