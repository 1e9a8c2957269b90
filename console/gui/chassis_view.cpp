#include "console/gui/chassis_view.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QRubberBand>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolTip>
#include <algorithm>

namespace gui {

namespace {

constexpr int kMargin = 10;
constexpr int kTileWidth = 34;
constexpr int kTileHeight = 26;
constexpr int kTileGap = 4;
constexpr int kRowGap = 12;
constexpr int kLabelWidth = 172;

QColor fillOf(PortState state) {
    switch (state) {
        case PortState::Up:
            return QColor(0x4c, 0xaf, 0x50);
        case PortState::NoLink:
            return QColor(0xf5, 0xb0, 0x29);
        case PortState::Disabled:
            return QColor(0x9e, 0x9e, 0x9e);
        case PortState::Unknown:
            break;
    }
    return QColor(0xe4, 0xe4, 0xe4);
}

const QColor kExpanderColour(0x1f, 0x4e, 0x9e);

}  // namespace

ChassisView::ChassisView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(false);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(kTileHeight + kTileGap);
}

ChassisView::~ChassisView() = default;

QSize ChassisView::sizeHint() const {
    return {kLabelWidth + 2 * kMargin + 12 * (kTileWidth + kTileGap) + 20, 360};
}

std::vector<SlotPort> ChassisView::marked(const std::vector<char>& flags) const {
    std::vector<SlotPort> out;
    for (std::size_t i = 0; i < flags.size() && i < m_tiles.size(); ++i) {
        if (flags[i]) {
            out.push_back(m_tiles[i].where);
        }
    }
    return out;
}

std::vector<char> ChassisView::flagsOf(const std::vector<SlotPort>& ports) const {
    std::vector<char> flags(m_tiles.size(), 0);
    for (const SlotPort& where : ports) {
        if (const int i = indexOf(where); i >= 0) {
            flags[static_cast<std::size_t>(i)] = 1;
        }
    }
    return flags;
}

void ChassisView::setPorts(std::vector<PortTile> ports) {
    const std::vector<SlotPort> kept = selection();
    // A poll may land in the middle of a rubber-band drag.
    const std::vector<SlotPort> keptAtPress = marked(m_selectedAtPress);
    m_tiles = std::move(ports);
    std::stable_sort(m_tiles.begin(), m_tiles.end(), [](const PortTile& a, const PortTile& b) {
        return slotPortLess(a.where, b.where);
    });
    m_selected = flagsOf(kept);
    if (m_pressContent) {
        m_selectedAtPress = flagsOf(keptAtPress);
    }
    relayout();
    viewport()->update();
    if (selection() != kept) {
        emit selectionChanged();
    }
}

void ChassisView::setSlotNames(SlotNames names) {
    m_slotNames = std::move(names);
    viewport()->update();
}

void ChassisView::setStale(bool stale) {
    if (m_stale != stale) {
        m_stale = stale;
        viewport()->update();
    }
}

std::vector<SlotPort> ChassisView::selection() const {
    return marked(m_selected);
}

void ChassisView::setSelection(const std::vector<SlotPort>& ports) {
    m_selected = flagsOf(ports);
    changed();
}

void ChassisView::selectAll() {
    std::fill(m_selected.begin(), m_selected.end(), 1);
    changed();
}

std::optional<SlotPort> ChassisView::currentPort() const {
    if (m_current) {
        const int i = indexOf(*m_current);
        if (i >= 0 && m_selected[static_cast<std::size_t>(i)]) {
            return m_current;
        }
    }
    return std::nullopt;
}

bool ChassisView::requestProperties() {
    const std::vector<SlotPort> selected = selection();
    if (selected.empty()) {
        return false;
    }
    emit propertiesRequested(currentPort().value_or(selected.front()), selected);
    return true;
}

QRect ChassisView::tileRect(const SlotPort& where) const {
    const int i = indexOf(where);
    if (i < 0) {
        return {};
    }
    return m_rects[static_cast<std::size_t>(i)].translated(0, -verticalScrollBar()->value());
}

QString ChassisView::tooltipAt(const QPoint& viewportPos) const {
    const int i = tileAt(viewportPos);
    if (i < 0) {
        return {};
    }
    std::string text = portTooltipText(m_tiles[static_cast<std::size_t>(i)]);
    if (m_stale) {
        text += "\n(the agent is not answering: status may be out of date)";
    }
    return QString::fromStdString(text);
}

int ChassisView::indexOf(const SlotPort& where) const {
    const auto it = std::lower_bound(
        m_tiles.begin(), m_tiles.end(), where,
        [](const PortTile& t, const SlotPort& w) { return slotPortLess(t.where, w); });
    return it != m_tiles.end() && it->where == where ? static_cast<int>(it - m_tiles.begin()) : -1;
}

QPoint ChassisView::toContent(const QPoint& viewportPos) const {
    return viewportPos + QPoint(0, verticalScrollBar()->value());
}

int ChassisView::tileAt(const QPoint& viewportPos) const {
    const QPoint p = toContent(viewportPos);
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        if (m_rects[i].contains(p)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Tiles wrap within their slot's row, so a wide slot grows downwards, never sideways.
void ChassisView::relayout() {
    m_rects.assign(m_tiles.size(), QRect());
    m_rows.clear();
    const int left = kMargin + kLabelWidth;
    const int available = std::max(viewport()->width() - left - kMargin, kTileWidth);
    const int perLine = std::max(1, (available + kTileGap) / (kTileWidth + kTileGap));
    int y = kMargin;
    std::size_t i = 0;
    while (i < m_tiles.size()) {
        const int slot = m_tiles[i].where.slot;
        int column = 0;
        int line = 0;
        for (; i < m_tiles.size() && m_tiles[i].where.slot == slot; ++i) {
            if (column == perLine) {
                column = 0;
                ++line;
            }
            m_rects[i] = QRect(left + column * (kTileWidth + kTileGap),
                               y + line * (kTileHeight + kTileGap), kTileWidth, kTileHeight);
            ++column;
        }
        const int height = (line + 1) * (kTileHeight + kTileGap) - kTileGap;
        m_rows.push_back({slot, QRect(kMargin, y, kLabelWidth - kTileGap, std::max(height, 34))});
        y += std::max(height, 34) + kRowGap;
    }
    m_contentHeight = y;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, m_contentHeight - viewport()->height()));
}

void ChassisView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ChassisView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const int offset = verticalScrollBar()->value();
    if (m_tiles.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect(), Qt::AlignCenter, tr("No ports read yet"));
        return;
    }
    const QRect visible = event->rect().translated(0, offset);
    painter.translate(0, -offset);
    for (const SlotRow& row : m_rows) {
        if (row.label.intersects(visible)) {
            paintSlotLabel(painter, row);
        }
    }
    QFont numbers = font();
    numbers.setPointSizeF(numbers.pointSizeF() * 0.85);
    painter.setFont(numbers);
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        if (m_rects[i].intersects(visible)) {
            paintTile(painter, i, m_rects[i]);
        }
    }
}

void ChassisView::paintSlotLabel(QPainter& painter, const SlotRow& row) const {
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(bold);
    const QRect title(row.label.left(), row.label.top(), row.label.width(), metrics.height());
    painter.drawText(title, Qt::AlignLeft | Qt::AlignTop, tr("Slot %1").arg(row.slot));
    const auto name = m_slotNames.find(row.slot);
    if (name != m_slotNames.end() && !name->second.empty()) {
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        const QRect below = row.label.adjusted(0, metrics.height(), 0, 0);
        const QString text = QFontMetrics(font()).elidedText(QString::fromStdString(name->second),
                                                             Qt::ElideRight, below.width());
        painter.drawText(below, Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void ChassisView::paintTile(QPainter& painter, std::size_t index, const QRect& rect) const {
    const PortTile& tile = m_tiles[index];
    const bool selected = m_selected[index] != 0;
    QColor fill = fillOf(portState(tile));
    if (m_stale) {
        fill = QColor::fromHsv(fill.hsvHue(), fill.hsvSaturation() / 5, 215);
    }
    const QRectF box = QRectF(rect).adjusted(1, 1, -1, -1);
    painter.setBrush(fill);
    QPen outline(tile.expander ? kExpanderColour : fill.darker(150), tile.expander ? 1.6 : 1.0);
    if (tile.expander) {
        outline.setStyle(Qt::DashLine);
    }
    painter.setPen(outline);
    painter.drawRoundedRect(box, 3, 3);
    if (m_stale) {
        painter.setBrush(QBrush(QColor(120, 120, 120, 110), Qt::BDiagPattern));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(box, 3, 3);
    }
    if (tile.expander) {
        // A corner mark: readable without colour.
        const QPointF corner = box.topRight();
        const QPointF mark[3] = {corner, corner + QPointF(-9, 0), corner + QPointF(0, 9)};
        painter.setBrush(kExpanderColour);
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(mark, 3);
    }
    painter.setPen(m_stale ? QColor(0x70, 0x70, 0x70) : QColor(0x20, 0x20, 0x20));
    painter.drawText(rect, Qt::AlignCenter, QString::number(tile.where.port));
    if (selected) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}

void ChassisView::changed() {
    viewport()->update();
    emit selectionChanged();
}

void ChassisView::selectRange(int from, int to, bool adding) {
    if (!adding) {
        std::fill(m_selected.begin(), m_selected.end(), 0);
    }
    for (int i = std::min(from, to); i <= std::max(from, to); ++i) {
        m_selected[static_cast<std::size_t>(i)] = 1;
    }
}

void ChassisView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int hit = tileAt(event->position().toPoint());
    if (hit < 0) {
        m_pressContent = toContent(event->position().toPoint());
        m_bandAdds = (mods & Qt::ControlModifier) != 0;
        m_selectedAtPress = m_selected;
        return;
    }
    const std::size_t i = static_cast<std::size_t>(hit);
    const SlotPort where = m_tiles[i].where;
    if ((mods & Qt::ShiftModifier) && m_anchor && indexOf(*m_anchor) >= 0) {
        selectRange(indexOf(*m_anchor), hit, (mods & Qt::ControlModifier) != 0);
    } else if (mods & Qt::ControlModifier) {
        m_selected[i] = m_selected[i] ? 0 : 1;
        m_anchor = where;
    } else {
        std::fill(m_selected.begin(), m_selected.end(), 0);
        m_selected[i] = 1;
        m_anchor = where;
    }
    m_current = where;
    changed();
}

void ChassisView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressContent) {
        return;
    }
    const QPoint now = toContent(event->position().toPoint());
    if (!m_banding &&
        (now - *m_pressContent).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    m_banding = true;
    updateRubberBand(event->position().toPoint());
}

void ChassisView::updateRubberBand(const QPoint& viewportPos) {
    const int offset = verticalScrollBar()->value();
    const QRect band = QRect(*m_pressContent, toContent(viewportPos)).normalized();
    if (m_band == nullptr) {
        m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    }
    m_band->setGeometry(band.translated(0, -offset));
    m_band->show();
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const bool touched = m_rects[i].intersects(band);
        m_selected[i] = touched || (m_bandAdds && m_selectedAtPress[i]) ? 1 : 0;
    }
    changed();
}

void ChassisView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressContent) {
        return;
    }
    if (m_banding) {
        updateRubberBand(event->position().toPoint());
        m_band->hide();
    } else if (!m_bandAdds) {
        // A plain click between tiles clears the selection, as in a file manager.
        std::fill(m_selected.begin(), m_selected.end(), 0);
        changed();
    }
    m_pressContent.reset();
    m_banding = false;
    m_selectedAtPress.clear();
}

void ChassisView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int hit = tileAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || hit < 0) {
        return;
    }
    const std::size_t i = static_cast<std::size_t>(hit);
    if (!m_selected[i]) {
        m_selected[i] = 1;
        changed();
    }
    m_current = m_tiles[i].where;
    requestProperties();
}

void ChassisView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        requestProperties();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool ChassisView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = tooltipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            // Plain text: an agent's description is never taken for markup.
            QToolTip::showText(
                help->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap), viewport(),
                tileRect(m_tiles[static_cast<std::size_t>(tileAt(help->pos()))].where));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace gui
