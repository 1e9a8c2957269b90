#include "console/gui/trace_dock.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QFontDatabase>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include "framework/afx/printable_text.h"
#include "framework/mib/mib_agent.h"

namespace gui {

TraceDock::TraceDock(QWidget* parent) : QDockWidget(tr("MIB Trace"), parent) {
    setObjectName("mibTraceDock");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_view = new QPlainTextEdit(body);
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setMaximumBlockCount(kMaximumLines);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* clearAction = new QAction(tr("Clear"), this);
    clearAction->setObjectName("clearTrace");
    connect(clearAction, &QAction::triggered, this, &TraceDock::clear);
    m_view->addAction(clearAction);

    auto* clearButton = new QToolButton(body);
    clearButton->setDefaultAction(clearAction);
    clearButton->setToolButtonStyle(Qt::ToolButtonTextOnly);

    layout->addWidget(clearButton, 0, Qt::AlignLeft);
    layout->addWidget(m_view);
    setWidget(body);

    m_flush = new QTimer(this);
    m_flush->setSingleShot(true);
    m_flush->setInterval(0);
    connect(m_flush, &QTimer::timeout, this, &TraceDock::flush);
}

void TraceDock::attach(CMibAgent& agent) {
    // The agent may outlive the dock: the sink checks that the dock is still there.
    agent.GetTrace().setSink([dock = QPointer<TraceDock>(this)](const std::string& line) {
        if (dock) {
            dock->appendLine(line);
        }
    });
}

void TraceDock::detach(CMibAgent& agent) {
    agent.GetTrace().setSink(nullptr);
}

void TraceDock::appendLine(const std::string& line) {
    m_pending.append(QString::fromStdString(afx::printableText(line)));
    // More than the view keeps would only be thrown away on the next flush.
    if (m_pending.size() > kMaximumLines) {
        m_pending.erase(m_pending.begin(), m_pending.begin() + (m_pending.size() - kMaximumLines));
    }
    if (!m_flush->isActive()) {
        m_flush->start();
    }
}

void TraceDock::flush() {
    if (m_pending.isEmpty()) {
        return;
    }
    m_view->appendPlainText(m_pending.join('\n'));
    m_pending.clear();
}

void TraceDock::clear() {
    m_pending.clear();
    m_view->clear();
}

QString TraceDock::text() {
    flush();
    return m_view->toPlainText();
}

}  // namespace gui
