// The window system driven by a second event loop, as a GUI toolkit's loop will drive it:
// a small host loop that knows the window system only through the back-end hook and the
// UI driver's modal entry, with a page reading over the in-process transport.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/afx/dialog.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/ui_hook.h"
#include "ports/enet_port_status_page.h"
#include "resources/resource_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::ElementsAre;

// The host: its own queue of events (an operator's clicks), its own timer (one, re-armed
// at the earliest time the window system asks for) and its own clock, which the window
// system's virtual clock follows. It never calls the event loop's run functions.
class FakeHostLoop : public afx::EventLoopBackend {
public:
    explicit FakeHostLoop(afx::EventLoop& loop) : m_loop(loop) {
        m_previous = loop.setBackend(this);
    }
    ~FakeHostLoop() override { m_loop.setBackend(m_previous); }
    FakeHostLoop(const FakeHostLoop&) = delete;
    FakeHostLoop& operator=(const FakeHostLoop&) = delete;

    void wakeUp() override {
        m_woken = true;
        ++wakeUps;
    }
    void timersChanged(std::optional<std::int64_t> dueMs) override {
        m_timerDue = dueMs;
        ++timerChanges;
    }
    void watchesChanged() override { watched = m_loop.watchedDescriptors(); }

    void postHostEvent(std::function<void()> event) { m_events.push_back(std::move(event)); }

    // Runs turns until done() or nothing is left to do; nested calls nest, as a modal
    // loop of the host would. Returns done().
    bool exec(const std::function<bool()>& done) {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        while (!done() && turn()) {
        }
        --depth;
        return done();
    }

    int wakeUps = 0;
    int timerChanges = 0;
    int depth = 0;
    int maxDepth = 0;
    std::vector<int> watched;

private:
    bool turn() {
        if (m_woken) {
            m_woken = false;
            m_loop.dispatch();
            return true;
        }
        if (!m_events.empty()) {
            auto event = std::move(m_events.front());
            m_events.pop_front();
            event();
            return true;
        }
        if (m_timerDue) {
            m_loop.moveVirtualClockTo(*m_timerDue);  // the host's timer went off
            m_loop.dispatch();
            return true;
        }
        return false;
    }

    afx::EventLoop& m_loop;
    afx::EventLoopBackend* m_previous = nullptr;
    bool m_woken = false;
    std::optional<std::int64_t> m_timerDue;
    std::deque<std::function<void()>> m_events;
};

// The front end's side of modal loops and message boxes: both run a nested host loop; a
// box is answered by a host event, as a person clicks its button a little later.
class HostDriver : public afx::UiDriver {
public:
    explicit HostDriver(FakeHostLoop& host) : m_host(host), m_previous(afx::setUiDriver(this)) {}
    ~HostDriver() override { afx::setUiDriver(m_previous); }
    HostDriver(const HostDriver&) = delete;
    HostDriver& operator=(const HostDriver&) = delete;

    int answerMessageBox(const afx::MessageBoxState& box) override {
        boxes.push_back(box.caption + ": " + box.text);
        std::optional<int> answer;
        m_host.postHostEvent([&answer] { answer = IDOK; });
        m_host.exec([&answer] { return answer.has_value(); });
        return answer.value_or(IDCANCEL);
    }
    bool runModal(HWND dialog, const std::function<bool()>& ended) override {
        modalRuns.push_back(afx::windows().find(dialog)->modal);
        return m_host.exec(ended);
    }

    std::vector<std::string> boxes;
    std::vector<afx::ModalState> modalRuns;

private:
    FakeHostLoop& m_host;
    afx::UiDriver* m_previous;
};

class TickCounter : public CWnd {
public:
    int ticks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER) {
            ++ticks;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string readControl(test_support::PageFixture& f, const char* label) {
    std::string value;
    EXPECT_TRUE(f.driver().read(label, value)) << label;
    return value;
}

TEST(HostedEventLoopTest, AnotherLoopReadsAPageAnswersItsMessageBoxAndFiresTimers) {
    test_support::PageFixture f;
    FakeHostLoop host(f.loop());
    HostDriver hostDriver(host);
    f.select(1, 1, {{1, 1}});  // one port: the page reads its list, then that port
    auto* page = new CEnetPortStatusPage;
    f.openSheet({page});

    // The page's reads complete only through the host's turns.
    EXPECT_GT(host.timerChanges, 0);
    ASSERT_TRUE(host.exec([&] { return f.transport().pendingCount() == 0 && page->m_loaded; }));
    EXPECT_EQ(readControl(f, "Slot/Port"), "1 / 1");
    EXPECT_EQ(readControl(f, "Admin Status"), "enabled");

    // A refused set: its completion comes through the host, and so does the operator's
    // answer to the message box, inside a nested host loop.
    ASSERT_TRUE(f.driver().type("Description", "refused"));
    f.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);
    ASSERT_TRUE(f.driver().press("Apply"));
    ASSERT_TRUE(host.exec([&] { return !hostDriver.boxes.empty(); }));
    EXPECT_THAT(hostDriver.boxes.at(0), ::testing::StartsWith("Error: "));
    EXPECT_EQ(host.maxDepth, 2);
    host.exec([&] { return f.transport().pendingCount() == 0; });

    // A window-system timer fires on the host's clock.
    TickCounter counter;
    ASSERT_TRUE(counter.Create(nullptr, "ticks", 0, CRect(), nullptr, 0));
    const std::int64_t start = f.loop().now();
    counter.SetTimer(7, 250, nullptr);
    ASSERT_TRUE(host.exec([&] { return counter.ticks == 2; }));
    EXPECT_EQ(f.loop().now() - start, 500);
    counter.KillTimer(7);
    counter.DestroyWindow();

    // A modal dialog runs as a nested host loop and ends from a host event.
    CDialog dialog(IDD_ENET_PORT_STATUS);
    host.postHostEvent([&dialog] { dialog.EndDialog(IDOK); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(hostDriver.modalRuns, ElementsAre(afx::ModalState::Running));
}

TEST(HostedEventLoopTest, TheBackEndHearsOfPostsTimersAndWatchesOnlyWhenTheyChange) {
    afx::EventLoop loop;
    loop.useVirtualClock(true);
    FakeHostLoop host(loop);
    loop.post([] {});
    loop.post([] {});
    EXPECT_EQ(host.wakeUps, 1) << "one wake-up until the queue is run";
    int fired = 0;
    const auto late = loop.addTimer(100, [&] { ++fired; });
    loop.addTimer(200, [&] { ++fired; });
    EXPECT_EQ(host.timerChanges, 1) << "a later timer does not move the earliest";
    loop.cancelTimer(late);
    EXPECT_EQ(host.timerChanges, 2);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const auto watch = loop.watchFd(pipeFds[0], [&] {
        char byte;
        EXPECT_EQ(::read(pipeFds[0], &byte, 1), 1);
        ++fired;
    });
    EXPECT_THAT(host.watched, ElementsAre(pipeFds[0]));
    ASSERT_EQ(::write(pipeFds[1], "x", 1), 1);
    loop.dispatchReadable(pipeFds[0]);
    EXPECT_TRUE(host.exec([&] { return fired == 2; }));
    loop.unwatchFd(watch);
    EXPECT_TRUE(host.watched.empty());
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

}  // namespace
