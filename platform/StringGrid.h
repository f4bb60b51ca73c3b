#pragma once

#include "platform/StringGridModel.h"

#include <QTableView>

class TStringGridFixedSections;
class TStringGridOverlay;

// A grid of text cells that is the program's data store as well as its display.
// Cells live in a TStringGridStore (see there: sparse, writable beyond the counts).
// Between beginUpdate() and endUpdate() cell writes notify the view once, at the end.
// The fixed columns and rows stay in place while the rest scrolls: three overlay views
// on the same model and selection cover them (the fixed columns, which follow the
// vertical scrolling; the fixed rows, which follow the horizontal scrolling; and the
// corner, which never moves). The grid itself still holds and lays out every cell.
class TStringGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(int ColCount READ colCount WRITE setColCount)
    Q_PROPERTY(int RowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int FixedCols READ fixedCols WRITE setFixedCols)
    Q_PROPERTY(int FixedRows READ fixedRows WRITE setFixedRows)
    Q_PROPERTY(int DefaultColWidth READ defaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(bool Editing READ editing WRITE setEditing)
    Q_PROPERTY(int Col READ col WRITE setCol)

public:
    explicit TStringGrid(QWidget *parent = nullptr);

    int colCount() const;
    void setColCount(int count);
    int rowCount() const;
    void setRowCount(int count);
    int fixedCols() const;
    void setFixedCols(int count);
    int fixedRows() const;
    void setFixedRows(int count);
    int defaultColWidth() const;
    void setDefaultColWidth(int width);
    int defaultRowHeight() const;
    void setDefaultRowHeight(int height);
    bool editing() const;          // the user may edit the cells that are not fixed
    void setEditing(bool on);

    // The current column; setting it scrolls the grid to show it.
    int col() const;
    void setCol(int column);

    int colWidth(int column) const;
    void setColWidth(int column, int width);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    void setCellNumber(int col, int row, qint32 value);
    void shiftColumnsLeft(int first, int last);

    void beginUpdate();
    void endUpdate();

    TStringGridModel *gridModel() const;

    // The views that keep the fixed cells in place (hidden while there is nothing to keep).
    QTableView *fixedColumnsView() const;
    QTableView *fixedRowsView() const;
    QTableView *fixedCornerView() const;

    // A cell that is not fixed is shown beside the fixed columns and below the fixed rows,
    // never under them; a fixed cell scrolls the grid only along the axis it is not fixed on.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setDefaultSectionSize(Qt::Orientation orientation, int size);
    // After a scroll to `section` along `orientation`: a fixed section leaves that axis's
    // scrolling where it was (`before`); another one that came to lie under the fixed
    // ones is brought out beside them.
    void keepBesideFixed(Qt::Orientation orientation, int section, int before);
    void sectionResized(Qt::Orientation orientation, int logical, int newSize);
    // Scrolling moves by whole columns (rows): a scroll that leaves one partly under the
    // fixed ones goes on to the next boundary in the direction it was going. (At the end of
    // the range it cannot: the last column ends at the right edge.)
    void snapScroll(Qt::Orientation orientation, int value);
    void layOutOverlays();

    TStringGridModel *m_model;
    // Made after the grid's own model is set, which already lays the grid out.
    TStringGridFixedSections *m_fixedSections = nullptr;
    TStringGridOverlay *m_fixedColumns = nullptr;
    TStringGridOverlay *m_fixedRows = nullptr;
    TStringGridOverlay *m_fixedCorner = nullptr;
    bool m_mirrorSections = true;
    bool m_snapping = false;
    int m_previousLeft = 0;
    int m_previousTop = 0;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
};
