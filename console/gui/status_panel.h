#pragma once
// The main window's status bar panel: which agent, when it last answered a poll, the last
// error (in red, until a poll succeeds) and whether the agent has stopped answering.

#include <QtCore/QDateTime>
#include <QtWidgets/QWidget>

class QLabel;

namespace gui {

class StatusPanel : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void setAgent(const QString& text);
    void setLastPoll(const QDateTime& when);
    // Empty clears it.
    void setLastError(const QString& text);
    void setStale(bool stale);

    QString agentText() const;
    QString lastPollText() const;
    QString lastErrorText() const;
    bool isStale() const;

private:
    QLabel* m_agent = nullptr;
    QLabel* m_lastPoll = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_stale = nullptr;
};

}  // namespace gui
