#pragma once
// The chassis as the operator sees it: one row per slot, its ports as tiles coloured by
// status, selected with the mouse as in a file manager (click, Ctrl+click, Shift+click,
// rubber band). Double-click (or requestProperties) asks for the property sheet of the
// clicked port with the selection.

#include <QtWidgets/QAbstractScrollArea>
#include <optional>
#include <vector>

#include "console/gui/port_tile.h"

class QRubberBand;

namespace gui {

class ChassisView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ChassisView(QWidget* parent = nullptr);
    ~ChassisView() override;

    // Replaces the ports (any order); the selection is kept for the ports still present.
    void setPorts(std::vector<PortTile> ports);
    // Module names shown beside "Slot N".
    void setSlotNames(SlotNames names);
    const std::vector<PortTile>& ports() const { return m_tiles; }

    // While the agent does not answer every tile is drawn greyed and hatched.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }

    // Selected ports in slot and port order.
    std::vector<SlotPort> selection() const;
    void setSelection(const std::vector<SlotPort>& ports);
    void selectAll();
    // The port last clicked, when it is still selected.
    std::optional<SlotPort> currentPort() const;

    // Emits propertiesRequested for the current port (else the first selected one); false
    // when nothing is selected.
    bool requestProperties();

    // Where the tile is, in viewport coordinates (empty when there is no such port).
    QRect tileRect(const SlotPort& where) const;
    // The tooltip of the tile at a viewport position ("" between tiles).
    QString tooltipAt(const QPoint& viewportPos) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void selectionChanged();
    // clicked is part of selection.
    void propertiesRequested(gui::SlotPort clicked, std::vector<gui::SlotPort> selection);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct SlotRow {
        int slot = 0;
        QRect label;  // content coordinates
    };
    void relayout();
    // The ports flagged in a vector beside m_tiles, and back.
    std::vector<SlotPort> marked(const std::vector<char>& flags) const;
    std::vector<char> flagsOf(const std::vector<SlotPort>& ports) const;
    int tileAt(const QPoint& viewportPos) const;
    int indexOf(const SlotPort& where) const;
    QPoint toContent(const QPoint& viewportPos) const;
    void paintTile(QPainter& painter, std::size_t index, const QRect& rect) const;
    void paintSlotLabel(QPainter& painter, const SlotRow& row) const;
    // From one tile to another in slot and port order, replacing the selection unless adding.
    void selectRange(int from, int to, bool adding);
    void updateRubberBand(const QPoint& viewportPos);
    void changed();

    std::vector<PortTile> m_tiles;  // slot and port order
    std::vector<char> m_selected;   // beside m_tiles
    std::vector<QRect> m_rects;     // beside m_tiles, content coordinates
    std::vector<SlotRow> m_rows;
    SlotNames m_slotNames;
    int m_contentHeight = 0;
    bool m_stale = false;
    std::optional<SlotPort> m_anchor;   // Shift+click ranges start here
    std::optional<SlotPort> m_current;  // last clicked

    // A press between tiles may become a rubber band.
    QRubberBand* m_band = nullptr;
    std::optional<QPoint> m_pressContent;
    bool m_banding = false;
    bool m_bandAdds = false;
    std::vector<char> m_selectedAtPress;
};

}  // namespace gui
