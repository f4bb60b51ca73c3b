#pragma once

#include <QAbstractTableModel>
#include <QTableView>

// The views that keep a string grid's fixed columns and rows in place while the rest
// scrolls. Only TStringGrid makes them.

// A model with no data whose only use is its shape: as the model of an overlay's header
// along an axis the overlay does not scroll, it gives that header as many sections as
// the grid has fixed columns (or rows), so that the overlay lays out and draws those
// alone, and a change in the grid's 90,000 columns costs that header nothing.
class TStringGridFixedSections : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }
    QVariant data(const QModelIndex &, int) const override { return {}; }

    // The headers start over at the default section sizes.
    void setCounts(int cols, int rows);

private:
    int m_cols = 0;
    int m_rows = 0;
};

// A view over the grid's own model and selection that shows the grid's fixed cells in
// place. It never scrolls by itself: along the axes it follows it copies the grid's
// scroll bars, along the others it stays at the start, where its header holds only the
// fixed sections.
class TStringGridOverlay : public QTableView
{
public:
    TStringGridOverlay(QTableView *grid, Qt::Orientations follows, TStringGridFixedSections *fixedSections);

    // Takes the grid's scroll range and position along the axes this view follows.
    void follow();

    void scrollTo(const QModelIndex &, ScrollHint) override {}

protected:
    void updateGeometries() override;
    // The wheel scrolls the grid, which this view then follows.
    void wheelEvent(QWheelEvent *event) override;
    // Fixed cells take no clicks: the grid does not jump back to them.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QTableView *m_grid;
    Qt::Orientations m_follows;
};
