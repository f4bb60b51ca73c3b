#include "platform/StringGridOverlay.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

void TStringGridFixedSections::setCounts(int cols, int rows)
{
    if (cols == m_cols && rows == m_rows)
        return;
    beginResetModel();
    m_cols = cols;
    m_rows = rows;
    endResetModel();
}

TStringGridOverlay::TStringGridOverlay(QTableView *grid, Qt::Orientations follows,
                                       TStringGridFixedSections *fixedSections)
    : QTableView(grid), m_grid(grid), m_follows(follows)
{
    setModel(grid->model());
    setSelectionModel(grid->selectionModel());
    if (!(follows & Qt::Horizontal))
        horizontalHeader()->setModel(fixedSections);
    if (!(follows & Qt::Vertical))
        verticalHeader()->setModel(fixedSections);
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    horizontalHeader()->setDefaultSectionSize(grid->horizontalHeader()->defaultSectionSize());
    verticalHeader()->setDefaultSectionSize(grid->verticalHeader()->defaultSectionSize());
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAutoScroll(false);
    setShowGrid(grid->showGrid());
    setWordWrap(false);
}

void TStringGridOverlay::follow()
{
    const auto copy = [](const QScrollBar *from, QScrollBar *to) {
        to->setRange(from->minimum(), from->maximum());
        to->setValue(from->value());
    };
    if (m_follows & Qt::Horizontal)
        copy(m_grid->horizontalScrollBar(), horizontalScrollBar());
    if (m_follows & Qt::Vertical)
        copy(m_grid->verticalScrollBar(), verticalScrollBar());
}

void TStringGridOverlay::updateGeometries()
{
    QTableView::updateGeometries();
    follow();
}

void TStringGridOverlay::wheelEvent(QWheelEvent *event)
{
    QCoreApplication::sendEvent(m_grid->viewport(), event);
}

void TStringGridOverlay::mousePressEvent(QMouseEvent *event) { event->accept(); }
void TStringGridOverlay::mouseMoveEvent(QMouseEvent *event) { event->accept(); }
void TStringGridOverlay::mouseReleaseEvent(QMouseEvent *event) { event->accept(); }
void TStringGridOverlay::mouseDoubleClickEvent(QMouseEvent *event) { event->accept(); }
