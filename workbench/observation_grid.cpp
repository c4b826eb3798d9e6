#include "workbench/observation_grid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>

namespace orvex {

namespace {
const char* const kHeaderTexts[4] = {"Time of observation", "Observed \rbody ",
                                     "Instr.  \raltitude", "Inst.\rcorr"};
}

ObservationGrid::ObservationGrid(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(4);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QString ObservationGrid::HeaderText(int col) {
    return col >= 0 && col < 4 ? QString::fromUtf8(kHeaderTexts[col]) : QString();
}

int ObservationGrid::Row() const {
    return currentRow() < 0 ? 1 : currentRow() + 1;
}

int ObservationGrid::Col() const {
    return currentColumn() < 0 ? 0 : currentColumn();
}

void ObservationGrid::SetCurrentCell(int row, int col) {
    if (rowCount() == 0) return;
    row = std::clamp(row, 1, rowCount());
    col = std::clamp(col, 0, 3);
    setCurrentCell(row - 1, col);
}

QTableWidgetItem* ObservationGrid::Item(int row, int col) {
    if (row < 1 || row > rowCount() || col < 0 || col > 3) return nullptr;
    QTableWidgetItem* it = item(row - 1, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row - 1, col, it);
    }
    return it;
}

const QTableWidgetItem* ObservationGrid::Item(int row, int col) const {
    if (row < 1 || row > rowCount() || col < 0 || col > 3) return nullptr;
    return item(row - 1, col);
}

QString ObservationGrid::TextMatrix(int row, int col) const {
    if (row == 0) return HeaderText(col);
    const QTableWidgetItem* it = Item(row, col);
    return it ? it->text() : QString();
}

void ObservationGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = Item(row, col)) it->setText(text);
}

QColor ObservationGrid::CellBackColor(int row, int col) const {
    const QTableWidgetItem* it = Item(row, col);
    const QBrush b = it ? it->background() : QBrush();
    return b.style() == Qt::NoBrush ? palette().color(QPalette::Base) : b.color();
}

void ObservationGrid::SetCellBackColor(int row, int col, const QColor& colour) {
    if (QTableWidgetItem* it = Item(row, col)) it->setBackground(colour);
}

void ObservationGrid::Reset(int dataRows) {
    const bool blocked = blockSignals(true);
    clearContents();
    setRowCount(0);
    setRowCount(dataRows);
    blockSignals(blocked);
}

void ObservationGrid::RemoveGridRow(int row) {
    if (row < 1 || row > rowCount()) return;
    removeRow(row - 1);
    insertRow(rowCount());
}

QRect ObservationGrid::CellRect(int row, int col) const {
    return visualRect(model()->index(row - 1, col));
}

bool ObservationGrid::event(QEvent* e) {
    // The header row shows no tooltip: the hints belong to the cells.
    if (e->type() == QEvent::ToolTip) {
        const QPoint p = static_cast<QHelpEvent*>(e)->pos();
        if (horizontalHeader()->geometry().contains(p)) {
            QToolTip::hideText();
            return true;
        }
    }
    // Tab stays inside the grid: the window decides where it goes.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QTableWidget::event(e);
}

void ObservationGrid::keyPressEvent(QKeyEvent* e) {
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e->modifiers() & Qt::ControlModifier) shift |= 2;
    if (e->modifiers() & Qt::AltModifier) shift |= 4;
    int key = e->key();
    if (key == Qt::Key_Backtab) key = Qt::Key_Tab;
    if (onKeyDown && onKeyDown(key, shift)) {
        e->accept();
        return;
    }
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            QTableWidget::keyPressEvent(e);
            return;
        case Qt::Key_Tab:
        case Qt::Key_Delete:
            e->accept();
            return;
        default:
            break;
    }
    int code = -1;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        code = 13;
    else if (key == Qt::Key_Escape)
        code = 27;
    else if (key == Qt::Key_Backspace)
        code = 8;
    else if (!e->text().isEmpty() && !(shift & 2) && e->text()[0].isPrint())
        code = e->text()[0].unicode();
    if (code >= 0 && onKeyPress) onKeyPress(code);
    e->accept();
}

void ObservationGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableWidget::mouseDoubleClickEvent(e);
    if (indexAt(e->position().toPoint()).isValid() && onDblClick) onDblClick();
}

void ObservationGrid::focusInEvent(QFocusEvent* e) {
    QTableWidget::focusInEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (onGotFocus) onGotFocus();
}

void ObservationGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (previous.isValid() && onLeaveCell) onLeaveCell(previous.row() + 1, previous.column());
    if (onRowColChange) onRowColChange();
}

bool ObservationGrid::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::MouseMove && onMouseMove) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        onMouseMove(RowAt(p.y()), columnAt(p.x()));
    }
    return QTableWidget::viewportEvent(e);
}

QPixmap GridHeaderPicture(int k, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(20, 60, 140);
    p.setPen(QPen(ink, std::max(1.0, size / 12.0)));
    const QRectF r(size * 0.1, size * 0.1, size * 0.8, size * 0.8);
    const QPointF c = r.center();
    switch (k) {
        case 1:  // a clock
            p.drawEllipse(r);
            p.drawLine(c, QPointF(c.x(), r.top() + size * 0.18));
            p.drawLine(c, QPointF(r.right() - size * 0.2, c.y()));
            break;
        case 2: {  // a five-pointed star
            QPainterPath path;
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5;
                const double rad = (i % 2 == 0 ? 0.42 : 0.17) * size;
                const QPointF q(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
                if (i == 0)
                    path.moveTo(q);
                else
                    path.lineTo(q);
            }
            path.closeSubpath();
            p.setBrush(QColor(240, 200, 40));
            p.drawPath(path);
            break;
        }
        case 3:  // a sextant's arc and its two arms
            p.drawArc(r.adjusted(0, size * 0.1, 0, size * 0.5), 200 * 16, 140 * 16);
            p.drawLine(QPointF(c.x(), r.top()), QPointF(r.left() + size * 0.1, r.bottom()));
            p.drawLine(QPointF(c.x(), r.top()), QPointF(r.right() - size * 0.1, r.bottom()));
            break;
        default:  // plus-minus
            p.drawLine(QPointF(r.left() + size * 0.1, size * 0.35),
                       QPointF(r.right() - size * 0.1, size * 0.35));
            p.drawLine(QPointF(c.x(), size * 0.15), QPointF(c.x(), size * 0.55));
            p.drawLine(QPointF(r.left() + size * 0.1, size * 0.75),
                       QPointF(r.right() - size * 0.1, size * 0.75));
            break;
    }
    return pm;
}

}  // namespace orvex
