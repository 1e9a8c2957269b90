#pragma once
// A status line on the terminal while a read takes long: after a second it shows what is
// read, from which agent, the rows so far and the retries, and it clears itself when the
// read is done. Only for a person at a terminal; a pipe or a file never gets it.

#include <cstdio>
#include <string>

#include "console/read_progress.h"
#include "framework/afx/event_loop.h"

namespace console {

// "reading phyPortTable from udp:10.0.0.5:161 (v2c): 120 rows, retry 1 of 2"
std::string statusText(const ReadActivity& activity);

// Whether a status line belongs on this stream: a terminal, and the operator did not ask
// for quiet.
bool wantsStatusLine(std::FILE* stream, bool quiet);

class StatusLine {
public:
    // Observes progress for as long as it lives.
    StatusLine(afx::EventLoop& loop, ProgressTransport& progress, std::FILE* stream,
               std::string program);
    ~StatusLine();
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    static constexpr std::int64_t kShowAfterMs = 1000;
    static constexpr std::int64_t kRefreshMs = 200;

private:
    // Requests went out or came back: wait for the second to pass, or clear the line.
    void onActivity();
    void show();
    void clear();

    afx::EventLoop& m_loop;
    ProgressTransport& m_progress;
    std::FILE* m_stream;
    std::string m_program;
    afx::EventLoop::TimerId m_timer = 0;  // 0: none armed
    bool m_shown = false;
};

}  // namespace console
