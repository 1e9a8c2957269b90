#include "framework/qt/basic_bindings.h"

#include <QtGui/QHelpEvent>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolTip>
#include <algorithm>

#include "framework/afx/control_layout.h"

namespace afxqt {

namespace {

// A static keeps its template size, and text from the switch (a port's description) can be
// longer than it holds: the cut text is shown whole as a tooltip, and only when cut.
class WholeTextLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return QLabel::event(event);
        }
        if (labelIsCut(*this)) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
};

}  // namespace

bool labelIsCut(const QLabel& label) {
    if (label.text().isEmpty()) {
        return false;
    }
    if (label.wordWrap()) {
        return label.heightForWidth(label.width()) > label.height();
    }
    return label.sizeHint().width() > label.width();
}

StaticBinding::StaticBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new WholeTextLabel(parent), host),
      m_label(static_cast<QLabel*>(m_widget.data())) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setWordWrap(true);
}

void StaticBinding::setBuddy(QWidget* buddy) {
    m_label->setBuddy(buddy);
    m_label->setText(toQString(buddy ? m_text : afx::stripMnemonic(m_text)));
}

void StaticBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Text)) {
        m_text = record.text;
        // Without a buddy QLabel shows '&' as it stands.
        m_label->setText(toQString(m_label->buddy() ? m_text : afx::stripMnemonic(m_text)));
    }
}

GroupBoxBinding::GroupBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new QGroupBox(parent), host),
      m_box(static_cast<QGroupBox*>(m_widget.data())) {
    // Under the controls it frames, which are its siblings.
    m_box->lower();
    m_box->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBoxBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Text)) {
        m_box->setTitle(toQString(record.text));
    }
}

IconBinding::IconBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new QLabel(parent), host),
      m_label(static_cast<QLabel*>(m_widget.data())) {
    m_label->setAlignment(Qt::AlignCenter);
}

void IconBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::ImageList) || change.has(afx::Change::Rect)) {
        // An icon control holds one icon, not an image list: the provider's list 0.
        const QIcon icon = record.imageList != 0 ? m_host.iconOf(0, record.imageList) : QIcon();
        const int side = std::max(16, std::min(m_label->width(), m_label->height()));
        m_label->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(side, side));
    }
}

SeparatorBinding::SeparatorBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new QFrame(parent), host) {
    auto* line = static_cast<QFrame*>(m_widget.data());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
}

PlainBinding::PlainBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new QWidget(parent), host) {}

}  // namespace afxqt
