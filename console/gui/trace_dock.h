#pragma once
// The MIB trace as a dock: every call and PDU of the agent, newest at the bottom, kept to a
// bounded number of lines. Lines are collected and shown once per event-loop turn, so a busy
// poll of a large chassis costs one repaint rather than one per line.

#include <QtCore/QStringList>
#include <QtWidgets/QDockWidget>
#include <string>

class CMibAgent;
class QPlainTextEdit;
class QTimer;

namespace gui {

class TraceDock : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kMaximumLines = 5000;

    explicit TraceDock(QWidget* parent = nullptr);

    // Feeds the dock from the agent's trace (replacing any other sink). Either may go first:
    // a sink whose dock is gone does nothing.
    void attach(CMibAgent& agent);
    static void detach(CMibAgent& agent);

    // One trace line; control bytes are shown as escapes.
    void appendLine(const std::string& line);
    void clear();

    // What the dock shows, pending lines included.
    QString text();
    QPlainTextEdit* view() const { return m_view; }

private:
    void flush();

    QPlainTextEdit* m_view = nullptr;
    QTimer* m_flush = nullptr;
    QStringList m_pending;
};

}  // namespace gui
