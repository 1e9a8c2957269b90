#include "framework/qt/edit_binding.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>

namespace afxqt {

EditBinding::EditBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool multiLine)
    : ControlBinding(hwnd,
                     multiLine ? static_cast<QWidget*>(new QPlainTextEdit(parent))
                               : static_cast<QWidget*>(new QLineEdit(parent)),
                     host) {
    if (multiLine) {
        m_text = static_cast<QPlainTextEdit*>(m_widget.data());
        // Programmatic changes happen with the widget's signals blocked, so this is typing.
        QObject::connect(m_text, &QPlainTextEdit::textChanged, &m_guard, [this] {
            act([this] { afx::operatorType(m_hwnd, toStdString(m_text->toPlainText())); });
        });
    } else {
        m_line = static_cast<QLineEdit*>(m_widget.data());
        QObject::connect(m_line, &QLineEdit::textEdited, &m_guard, [this](const QString& text) {
            act([&] { afx::operatorType(m_hwnd, toStdString(text)); });
        });
    }
}

void EditBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Style) || change.has(afx::Change::TextLimit)) {
        syncStyle(record);
    }
    // Also after the operator typed: a refused or trimmed input shows what the record kept.
    syncText(record);
}

void EditBinding::syncStyle(const afx::WindowRecord& record) {
    const bool readOnly = record.is(afx::style::kReadOnly);
    if (m_text) {
        m_text->setReadOnly(readOnly);
        return;
    }
    m_line->setReadOnly(readOnly);
    m_line->setEchoMode(record.is(afx::style::kPassword) ? QLineEdit::Password : QLineEdit::Normal);
    m_line->setMaxLength(record.textLimit > 0 ? record.textLimit : 32767);
    const bool digits = record.is(afx::style::kDigitsOnly);
    if (digits && !m_line->validator()) {
        m_line->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_line));
    } else if (!digits && m_line->validator()) {
        const QValidator* old = m_line->validator();
        m_line->setValidator(nullptr);
        delete old;
    }
}

void EditBinding::syncText(const afx::WindowRecord& record) {
    const QString text = toQString(record.text);
    if (m_line) {
        if (m_line->text() == text) {
            return;
        }
        const int cursor = m_line->cursorPosition();
        m_line->setText(text);
        m_line->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    } else if (m_text) {
        // Line breaks may come as "\r\n" from page code; the widget holds "\n".
        const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (m_text->toPlainText() != shown) {
            m_text->setPlainText(shown);
            m_text->moveCursor(QTextCursor::End);
        }
    }
}

}  // namespace afxqt
