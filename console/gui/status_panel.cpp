#include "console/gui/status_panel.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>

#include "framework/afx/printable_text.h"

namespace gui {

namespace {

// Error texts come from agents: one line, escaped, never markup.
QString oneLine(const QString& text) {
    return QString::fromStdString(afx::printableText(text.toStdString()));
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    m_agent = new QLabel(this);
    m_lastPoll = new QLabel(tr("Last poll: none yet"), this);
    m_error = new QLabel(this);
    m_stale = new QLabel(tr("Agent not answering"), this);
    for (QLabel* label : {m_agent, m_lastPoll, m_error, m_stale}) {
        label->setTextFormat(Qt::PlainText);
    }
    m_error->setStyleSheet("color: #b00020;");
    m_stale->setStyleSheet("color: white; background: #b00020; padding: 0 6px; font-weight: bold;");
    m_error->hide();
    m_stale->hide();
    layout->addWidget(m_agent);
    layout->addWidget(m_lastPoll);
    layout->addWidget(m_stale);
    layout->addWidget(m_error, 1);
}

void StatusPanel::setAgent(const QString& text) {
    m_agent->setText(tr("Agent: %1").arg(oneLine(text)));
}

void StatusPanel::setLastPoll(const QDateTime& when) {
    m_lastPoll->setText(when.isValid() ? tr("Last poll: %1").arg(when.toString("HH:mm:ss"))
                                       : tr("Last poll: none yet"));
}

void StatusPanel::setLastError(const QString& text) {
    m_error->setText(oneLine(text));
    m_error->setToolTip(oneLine(text));
    m_error->setVisible(!text.isEmpty());
}

void StatusPanel::setStale(bool stale) {
    m_stale->setVisible(stale);
}

QString StatusPanel::agentText() const {
    return m_agent->text();
}

QString StatusPanel::lastPollText() const {
    return m_lastPoll->text();
}

QString StatusPanel::lastErrorText() const {
    return m_error->isHidden() ? QString() : m_error->text();
}

bool StatusPanel::isStale() const {
    return !m_stale->isHidden();
}

}  // namespace gui
