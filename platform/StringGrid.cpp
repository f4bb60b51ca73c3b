#include "platform/StringGrid.h"

#include "platform/StringGridOverlay.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

// The width (or height) the first `count` sections of a header take together.
int sectionsExtent(const QHeaderView *header, int count)
{
    int extent = 0;
    for (int logical = 0; logical < count; ++logical)
        extent += header->sectionSize(logical);
    return extent;
}

} // namespace

TStringGrid::TStringGrid(QWidget *parent) : QTableView(parent), m_model(new TStringGridModel(this))
{
    setModel(m_model);
    // The fixed row and column carry the titles; the view's own headers would only
    // repeat numbers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(m_defaultColWidth);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    // By pixel, so that a column scrolled next to the fixed ones is not half under them.
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    m_fixedSections = new TStringGridFixedSections(this);
    m_fixedColumns = new TStringGridOverlay(this, Qt::Vertical, m_fixedSections);
    m_fixedRows = new TStringGridOverlay(this, Qt::Horizontal, m_fixedSections);
    m_fixedCorner = new TStringGridOverlay(this, {}, m_fixedSections);
    viewport()->stackUnder(m_fixedColumns);
    m_fixedColumns->stackUnder(m_fixedRows);
    m_fixedRows->stackUnder(m_fixedCorner);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_fixedRows, &TStringGridOverlay::follow);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, m_fixedRows, &TStringGridOverlay::follow);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_fixedColumns, &TStringGridOverlay::follow);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, m_fixedColumns, &TStringGridOverlay::follow);
    // Connected after the overlays, which therefore follow the snapped position too.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { snapScroll(Qt::Horizontal, value); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { snapScroll(Qt::Vertical, value); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int newSize) { sectionResized(Qt::Horizontal, logical, newSize); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int newSize) { sectionResized(Qt::Vertical, logical, newSize); });
    layOutOverlays();
}

int TStringGrid::colCount() const { return m_model->colCount(); }
int TStringGrid::rowCount() const { return m_model->gridRowCount(); }
int TStringGrid::fixedCols() const { return m_model->fixedCols(); }
int TStringGrid::fixedRows() const { return m_model->fixedRows(); }
bool TStringGrid::editing() const { return m_model->editing(); }
int TStringGrid::defaultColWidth() const { return m_defaultColWidth; }
int TStringGrid::defaultRowHeight() const { return m_defaultRowHeight; }
TStringGridModel *TStringGrid::gridModel() const { return m_model; }

void TStringGrid::setColCount(int count) { m_model->setColCount(count); }
void TStringGrid::setRowCount(int count) { m_model->setRowCount(count); }
QTableView *TStringGrid::fixedColumnsView() const { return m_fixedColumns; }
QTableView *TStringGrid::fixedRowsView() const { return m_fixedRows; }
QTableView *TStringGrid::fixedCornerView() const { return m_fixedCorner; }

void TStringGrid::setFixedCols(int count)
{
    m_model->setFixedCols(count);
    layOutOverlays();
}

void TStringGrid::setFixedRows(int count)
{
    m_model->setFixedRows(count);
    layOutOverlays();
}
void TStringGrid::setEditing(bool on) { m_model->setEditing(on); }

void TStringGrid::setDefaultColWidth(int width) { setDefaultSectionSize(Qt::Horizontal, width); }
void TStringGrid::setDefaultRowHeight(int height) { setDefaultSectionSize(Qt::Vertical, height); }

void TStringGrid::setDefaultSectionSize(Qt::Orientation orientation, int size)
{
    const bool horizontal = orientation == Qt::Horizontal;
    int &stored = horizontal ? m_defaultColWidth : m_defaultRowHeight;
    stored = std::max(size, 0);
    // Every column (row) takes the new size, in the overlays too, each by itself rather
    // than through one notice per section.
    m_mirrorSections = false;
    const std::initializer_list<QTableView *> views = {this, m_fixedColumns, m_fixedRows, m_fixedCorner};
    for (QTableView *view : views)
        (horizontal ? view->horizontalHeader() : view->verticalHeader())->setDefaultSectionSize(stored);
    m_mirrorSections = true;
    layOutOverlays();
}

int TStringGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : std::min(fixedCols(), colCount() - 1);
}

void TStringGrid::setCol(int column)
{
    if (column < 0 || column >= colCount() || rowCount() == 0)
        return; // no such column: nothing to show
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : std::min(fixedRows(), rowCount() - 1);
    const QModelIndex target = m_model->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    scrollTo(target);
}

void TStringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // The current cell is never a fixed one (the view starts at the top-left corner
    // when it gets the focus): it moves to the nearest cell that is not fixed.
    if (!current.isValid() || !m_model->isFixed(current.column(), current.row()))
        return;
    if (colCount() <= fixedCols() || rowCount() <= fixedRows())
        return;
    const QModelIndex target = m_model->index(std::max(current.row(), fixedRows()),
                                              std::max(current.column(), fixedCols()));
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
}

void TStringGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int left = horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    keepBesideFixed(Qt::Horizontal, index.column(), left);
    keepBesideFixed(Qt::Vertical, index.row(), top);
}

void TStringGrid::keepBesideFixed(Qt::Orientation orientation, int section, int before)
{
    const bool horizontal = orientation == Qt::Horizontal;
    QScrollBar *scrollBar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int fixed = horizontal ? fixedCols() : fixedRows();
    if (section < fixed) {
        scrollBar->setValue(before);
        return;
    }
    const QHeaderView *header = horizontal ? horizontalHeader() : verticalHeader();
    const int covered = sectionsExtent(header, std::min(fixed, header->count()));
    const int position = header->sectionViewportPosition(section);
    if (position < covered)
        scrollBar->setValue(scrollBar->value() - (covered - position));
}

void TStringGrid::snapScroll(Qt::Orientation orientation, int value)
{
    const bool horizontal = orientation == Qt::Horizontal;
    int &previous = horizontal ? m_previousLeft : m_previousTop;
    if (m_snapping) {
        previous = value;
        return;
    }
    const QHeaderView *header = horizontal ? horizontalHeader() : verticalHeader();
    const int fixed = std::min(horizontal ? fixedCols() : fixedRows(), header->count());
    const int covered = sectionsExtent(header, fixed);
    const int first = header->logicalIndexAt(covered); // the first section beside the fixed ones
    int target = value;
    if (covered > 0 && first >= fixed) {
        const int start = header->sectionViewportPosition(first);
        if (start < covered) // partly under the fixed ones: show it whole, or not at all
            target = value > previous ? value + start + header->sectionSize(first) - covered
                                      : value - (covered - start);
    }
    if (target != value) {
        m_snapping = true;
        (horizontal ? horizontalScrollBar() : verticalScrollBar())->setValue(target);
        m_snapping = false;
    }
    previous = (horizontal ? horizontalScrollBar() : verticalScrollBar())->value();
}

void TStringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    layOutOverlays();
}

void TStringGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    layOutOverlays();
}

void TStringGrid::sectionResized(Qt::Orientation orientation, int logical, int newSize)
{
    if (!m_mirrorSections)
        return;
    // (A header with fewer sections ignores the ones it does not have.)
    for (QTableView *overlay : {m_fixedColumns, m_fixedRows, m_fixedCorner}) {
        if (orientation == Qt::Horizontal)
            overlay->setColumnWidth(logical, newSize);
        else
            overlay->setRowHeight(logical, newSize);
    }
    if (logical < (orientation == Qt::Horizontal ? fixedCols() : fixedRows()))
        layOutOverlays();
}

void TStringGrid::layOutOverlays()
{
    if (!m_fixedCorner)
        return;
    const int cols = std::min(fixedCols(), colCount());
    const int rows = std::min(fixedRows(), rowCount());
    m_fixedSections->setCounts(cols, rows);
    for (QTableView *overlay : {m_fixedColumns, m_fixedRows, m_fixedCorner}) {
        for (int col = 0; col < cols; ++col)
            overlay->setColumnWidth(col, columnWidth(col));
        for (int row = 0; row < rows; ++row)
            overlay->setRowHeight(row, rowHeight(row));
    }
    const QRect area = viewport()->geometry();
    const int width = std::min(sectionsExtent(horizontalHeader(), cols), area.width());
    const int height = std::min(sectionsExtent(verticalHeader(), rows), area.height());
    const auto place = [](TStringGridOverlay *overlay, const QRect &rect) {
        if (rect.isEmpty()) {
            overlay->hide();
            return;
        }
        overlay->setGeometry(rect);
        overlay->follow();
        if (overlay->isHidden())
            overlay->show();
    };
    place(m_fixedColumns, QRect(area.topLeft(), QSize(width, area.height())));
    place(m_fixedRows, QRect(area.topLeft(), QSize(area.width(), height)));
    place(m_fixedCorner, QRect(area.topLeft(), QSize(width, height)));
}

int TStringGrid::colWidth(int column) const
{
    if (column < 0 || column >= colCount())
        return m_defaultColWidth;
    return columnWidth(column);
}

void TStringGrid::setColWidth(int column, int width)
{
    if (column < 0 || column >= colCount())
        return;
    setColumnWidth(column, std::max(width, 0));
}

QString TStringGrid::cell(int col, int row) const { return m_model->store().cell(col, row); }
void TStringGrid::setCell(int col, int row, const QString &text) { m_model->setCell(col, row, text); }
void TStringGrid::setCellNumber(int col, int row, qint32 value) { m_model->setCellNumber(col, row, value); }
void TStringGrid::shiftColumnsLeft(int first, int last) { m_model->shiftColumnsLeft(first, last); }
void TStringGrid::beginUpdate() { m_model->beginUpdate(); }
void TStringGrid::endUpdate() { m_model->endUpdate(); }
