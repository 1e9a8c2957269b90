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

StatusLine::StatusLine(afx::EventLoop& loop, ProgressTransport& progress, std::FILE* stream,
                       std::string program)
    : m_loop(loop), m_progress(progress), m_stream(stream), m_program(std::move(program)) {
    m_progress.setObserver([this] { onActivity(); });
}

StatusLine::~StatusLine() {
    m_progress.setObserver(nullptr);
    if (m_timer != 0) {
        m_loop.cancelTimer(m_timer);
    }
    clear();
}

void StatusLine::onActivity() {
    const ReadActivity activity = m_progress.activity();
    if (!activity.busy) {
        if (m_timer != 0) {
            m_loop.cancelTimer(m_timer);
            m_timer = 0;
        }
        clear();
        return;
    }
    if (m_shown) {
        show();  // rows and retries move on
    } else if (m_timer == 0) {
        const std::int64_t due = activity.sinceMs + kShowAfterMs - m_loop.now();
        m_timer = m_loop.addTimer(std::max<std::int64_t>(due, 0), [this] { show(); });
    }
}

// Only while a read is in flight and shown: the retry count moves with time alone.
void StatusLine::show() {
    m_loop.cancelTimer(m_timer);  // a no-op when it is the one firing now
    m_timer = 0;
    const ReadActivity activity = m_progress.activity();
    if (!activity.busy) {
        clear();
        return;
    }
    std::fprintf(m_stream, "%s%s: %s", kEraseLine, m_program.c_str(), statusText(activity).c_str());
    std::fflush(m_stream);
    m_shown = true;
    m_timer = m_loop.addTimer(kRefreshMs, [this] { show(); });
}

void StatusLine::clear() {
    if (m_shown) {
        std::fputs(kEraseLine, m_stream);
        std::fflush(m_stream);
        m_shown = false;
    }
}

}  // namespace console
