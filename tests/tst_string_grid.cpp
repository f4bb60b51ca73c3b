#include "platform/StringGrid.h"
#include "platform/StringGridStore.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QPalette>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <utility>
#include <vector>

using divisheet::test::shown;

namespace {

// The simplest possible grid of cells, to hold the store against: a map of text.
class ReferenceCells
{
public:
    QString cell(int col, int row) const
    {
        const auto it = m_cells.find({col, row});
        return it == m_cells.end() ? QString() : it->second;
    }
    void setCell(int col, int row, const QString &text)
    {
        if (text.isEmpty())
            m_cells.erase({col, row});
        else
            m_cells[{col, row}] = text;
    }
    // One column at a time, left to right, every row either column holds.
    void shiftColumnsLeft(int first, int last, int rows)
    {
        for (int col = first; col <= last; ++col) {
            for (int row = 0; row < rows; ++row)
                setCell(col - 1, row, cell(col, row));
        }
    }
    int columnExtent() const
    {
        int extent = 0;
        for (const auto &[key, text] : m_cells)
            extent = std::max(extent, key.first + 1);
        return extent;
    }

private:
    std::map<std::pair<int, int>, QString> m_cells;
};

// A cell text that identifies its column and row.
QString label(int col, int row)
{
    return QStringLiteral("c%1r%2").arg(col).arg(row);
}

// A model of `cols` columns and `rows` rows.
struct Model : TStringGridModel
{
    explicit Model(int cols, int rows = 5)
    {
        setColCount(cols);
        setRowCount(rows);
    }
};

} // namespace

class TestStringGrid : public QObject
{
    Q_OBJECT

private slots:
    void unwrittenCellsAreEmpty();
    void sparseWritesUntilCleared();
    void textReadsBackAsWritten_data();
    void textReadsBackAsWritten();
    void overwriteAndErase();
    void columnExtent();
    void shiftColumnsLeft_data();
    void shiftColumnsLeft();
    void storeAgreesWithReference();

    void modelShape();
    void modelUnderTester();
    void colCountChangesKeepCells();
    void colCountNotifiesStructure();
    void editingFlags_data();
    void editingFlags();
    void setDataWritesOnlyEditableCells();
    void batchedWritesNotifyOnce();
    void unbatchedWritesNotifyInsideGridOnly();

    void viewSettings();
    void currentColumnScrollsIntoView();
    void largeCatalogueRemovals();
    void fixedCellsStayInView_data();
    void fixedCellsStayInView();
    void overlaysFollowSizes();
    void fixedCountsShapeOverlays();
    void scrollingMovesByWholeColumns_data();
    void scrollingMovesByWholeColumns();
};

// ---- the store --------------------------------------------------------------------

void TestStringGrid::unwrittenCellsAreEmpty()
{
    TStringGridStore store;
    QCOMPARE(store.cell(0, 0), QString());
    QCOMPARE(store.cell(100000, 4), QString());
    QCOMPARE(store.cell(-1, 0), QString());
    QCOMPARE(store.cell(0, -1), QString());
    store.setCell(-1, 2, QStringLiteral("x")); // nowhere to go: ignored
    QCOMPARE(store.columnExtent(), 0);
}

// Cells far beyond any count, as text and as numbers; the cells beside them stay empty,
// and clearing the store forgets them all.
void TestStringGrid::sparseWritesUntilCleared()
{
    TStringGridStore store;
    store.setCell(20000, 3, QStringLiteral("余り"));
    store.setCell(0, 0, QStringLiteral("残問題数"));
    store.setCellNumber(70000, 4, 9989001);
    store.setCell(5, 12, QStringLiteral("far row"));
    store.setCellNumber(6, 100, -3);
    QCOMPARE(store.cell(20000, 3), QStringLiteral("余り"));
    QCOMPARE(store.cell(0, 0), QStringLiteral("残問題数"));
    QCOMPARE(store.cell(70000, 4), QStringLiteral("9989001"));
    QCOMPARE(store.cell(5, 12), QStringLiteral("far row"));
    QCOMPARE(store.cell(6, 100), QStringLiteral("-3"));
    QCOMPARE(store.cell(20000, 2), QString());
    QCOMPARE(store.cell(19999, 3), QString());
    QCOMPARE(store.cell(5, 11), QString());
    QCOMPARE(store.cell(6, 99), QString());

    store.clear();
    for (const auto &[col, row] : {std::pair{20000, 3}, {0, 0}, {70000, 4}, {5, 12}, {6, 100}})
        QCOMPARE(store.cell(col, row), QString());
    QCOMPARE(store.columnExtent(), 0);
    store.setCellNumber(2, 2, 7); // and works as new
    QCOMPARE(store.cell(2, 2), QStringLiteral("7"));
}

void TestStringGrid::textReadsBackAsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number"); // a qint32 written as a number reads as the text
    QTest::newRow("zero") << QStringLiteral("0") << QVariant(qint32(0));
    QTest::newRow("problem number") << QStringLiteral("90000") << QVariant(qint32(90000));
    QTest::newRow("negative") << QStringLiteral("-42") << QVariant(qint32(-42));
    QTest::newRow("largest") << QStringLiteral("2147483647") << QVariant(qint32(2147483647));
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << QVariant(qint32(-2147483647 - 1));
    // Number-like text keeps its spelling.
    QTest::newRow("leading zero") << QStringLiteral("007") << QVariant();
    QTest::newRow("plus sign") << QStringLiteral("+5") << QVariant();
    QTest::newRow("minus zero") << QStringLiteral("-0") << QVariant();
    QTest::newRow("zero zero") << QStringLiteral("00") << QVariant();
    QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648") << QVariant();
    QTest::newRow("far beyond") << QStringLiteral("-99999999999") << QVariant();
    QTest::newRow("space") << QStringLiteral(" 1") << QVariant();
    QTest::newRow("full-width") << QStringLiteral("１２") << QVariant();
    QTest::newRow("minus only") << QStringLiteral("-") << QVariant();
}

void TestStringGrid::textReadsBackAsWritten()
{
    QFETCH(QString, text);
    QFETCH(QVariant, number);
    TStringGridStore store;
    store.setCell(1, 2, text);
    QCOMPARE(store.cell(1, 2), text);
    if (number.isValid()) {
        store.setCellNumber(3, 1, number.value<qint32>());
        QCOMPARE(store.cell(3, 1), text);
        store.setCellNumber(3, 9, number.value<qint32>()); // a far row as well
        QCOMPARE(store.cell(3, 9), text);
    }
}

void TestStringGrid::overwriteAndErase()
{
    TStringGridStore store;
    for (const int row : {1, 8}) { // a near row and a far one
        store.setCell(2, row, QStringLiteral("text"));
        store.setCellNumber(2, row, 17);
        QCOMPARE(store.cell(2, row), QStringLiteral("17"));
        store.setCell(2, row, QStringLiteral("again text"));
        QCOMPARE(store.cell(2, row), QStringLiteral("again text"));
        store.setCell(2, row, QString());
        QCOMPARE(store.cell(2, row), QString());
    }
    QCOMPARE(store.columnExtent(), 0);
}

void TestStringGrid::columnExtent()
{
    TStringGridStore store;
    store.setCell(4, 0, QStringLiteral("a"));
    QCOMPARE(store.columnExtent(), 5);
    store.setCell(11, 7, QStringLiteral("far"));
    QCOMPARE(store.columnExtent(), 12);
    store.setCell(11, 7, QString());
    QCOMPARE(store.columnExtent(), 5);
}

void TestStringGrid::shiftColumnsLeft_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("out of the middle") << 4 << 9;
    QTest::newRow("from column 1") << 1 << 9;
    QTest::newRow("one column") << 5 << 5;
    QTest::newRow("last beyond the written columns") << 7 << 20;
    QTest::newRow("first beyond the written columns") << 12 << 20;
    QTest::newRow("first just past the written columns") << 10 << 15;
    QTest::newRow("first 0 moves from column 1") << 0 << 6;
    QTest::newRow("empty range") << 6 << 5;
    QTest::newRow("to the last column") << 3 << 9;
}

void TestStringGrid::shiftColumnsLeft()
{
    QFETCH(int, first);
    QFETCH(int, last);
    // Columns 0..9 with numbers, texts and far rows; column 6 left empty.
    TStringGridStore store;
    ReferenceCells reference;
    for (int col = 0; col < 10; ++col) {
        if (col == 6)
            continue;
        for (int row = 0; row < 5; ++row) {
            if ((col + row) % 3 == 0) {
                store.setCellNumber(col, row, col * 100 + row);
                reference.setCell(col, row, QString::number(col * 100 + row));
            } else if ((col + row) % 3 == 1) {
                store.setCell(col, row, label(col, row));
                reference.setCell(col, row, label(col, row));
            }
        }
        if (col % 2 == 1) {
            store.setCell(col, 6 + col % 4, label(col, 6 + col % 4));
            reference.setCell(col, 6 + col % 4, label(col, 6 + col % 4));
        }
    }
    store.shiftColumnsLeft(first, last);
    reference.shiftColumnsLeft(std::max(first, 1), last, 12);
    for (int col = 0; col < 22; ++col) {
        for (int row = 0; row < 12; ++row)
            QCOMPARE(store.cell(col, row), reference.cell(col, row));
    }
    QCOMPARE(store.columnExtent(), reference.columnExtent());
}

void TestStringGrid::storeAgreesWithReference()
{
    // Random writes, erasures and shifts; after each step every cell agrees.
    QRandomGenerator random(20261207);
    TStringGridStore store;
    ReferenceCells reference;
    const int columns = 40;
    const int rows = 9;
    for (int step = 0; step < 3000; ++step) {
        const int col = random.bounded(columns);
        const int row = random.bounded(rows);
        switch (random.bounded(5)) {
        case 0:
        case 1: {
            const qint32 value = qint32(random.bounded(-1000, 100000));
            store.setCellNumber(col, row, value);
            reference.setCell(col, row, QString::number(value));
            break;
        }
        case 2:
            store.setCell(col, row, label(step, row));
            reference.setCell(col, row, label(step, row));
            break;
        case 3:
            store.setCell(col, row, QString());
            reference.setCell(col, row, QString());
            break;
        case 4: {
            const int first = random.bounded(1, columns);
            const int last = first + random.bounded(columns - first + 3);
            store.shiftColumnsLeft(first, last);
            reference.shiftColumnsLeft(first, last, rows);
            break;
        }
        }
        if (step % 50 == 0 || step == 2999) {
            for (int c = 0; c < columns + 4; ++c) {
                for (int r = 0; r < rows; ++r) {
                    if (store.cell(c, r) != reference.cell(c, r)) {
                        QFAIL(qPrintable(QStringLiteral("step %1, cell (%2, %3): %4 instead of %5")
                                             .arg(step).arg(c).arg(r)
                                             .arg(store.cell(c, r), reference.cell(c, r))));
                    }
                }
            }
            QCOMPARE(store.columnExtent(), reference.columnExtent());
        }
    }
}

// ---- the model --------------------------------------------------------------------

void TestStringGrid::modelShape()
{
    Model model(11);
    QCOMPARE(model.columnCount(), 11);
    QCOMPARE(model.rowCount(), 5);
    model.store().setCell(0, 4, QStringLiteral("割られる数"));
    model.store().setCellNumber(10, 0, 10);
    // Model column c, row r is cell (c, r), the fixed ones included.
    QCOMPARE(model.data(model.index(4, 0)).toString(), QStringLiteral("割られる数"));
    QCOMPARE(model.data(model.index(0, 10)).toString(), QStringLiteral("10"));
    QCOMPARE(model.data(model.index(0, 10), Qt::EditRole).toString(), QStringLiteral("10"));
    QVERIFY(!model.index(0, 11).isValid());
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QCOMPARE(model.columnCount(model.index(0, 0)), 0);
}

void TestStringGrid::modelUnderTester()
{
    TStringGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setColCount(10001);
    model.setRowCount(5);
    model.beginUpdate();
    for (int col = 1; col <= 10000; ++col)
        model.setCellNumber(col, 0, col);
    model.endUpdate();
    model.setCell(3, 2, QStringLiteral("x"));
    model.setCell(20000, 2, QStringLiteral("outside"));
    model.shiftColumnsLeft(5, 10000);
    model.setColCount(9999);
    model.setColCount(11);
    model.setRowCount(3);
    model.setRowCount(7);
    model.setFixedCols(2);
    model.setFixedRows(0);
    model.setColCount(0);
    model.setColCount(4);
    QCOMPARE(model.columnCount(), 4);
}

void TestStringGrid::colCountChangesKeepCells()
{
    Model model(10);
    model.setCellNumber(8, 2, 345);
    model.setCell(8, 4, QStringLiteral("x"));
    model.setCell(30, 1, QStringLiteral("beyond"));
    model.setColCount(3);
    QCOMPARE(model.store().cell(8, 2), QStringLiteral("345"));
    model.setColCount(40);
    QCOMPARE(model.data(model.index(2, 8)).toString(), QStringLiteral("345"));
    QCOMPARE(model.data(model.index(4, 8)).toString(), QStringLiteral("x"));
    QCOMPARE(model.data(model.index(1, 30)).toString(), QStringLiteral("beyond"));
    model.setRowCount(1);
    model.setRowCount(5);
    QCOMPARE(model.data(model.index(2, 8)).toString(), QStringLiteral("345"));
}

void TestStringGrid::colCountNotifiesStructure()
{
    Model model(11);
    QSignalSpy inserted(&model, &QAbstractItemModel::columnsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::columnsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setColCount(90001);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 11);
    QCOMPARE(inserted.at(0).at(2).toInt(), 90000);
    model.setColCount(90000);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 90000);
    QCOMPARE(removed.at(0).at(2).toInt(), 90000);
    model.setColCount(90000); // unchanged: nothing
    QCOMPARE(inserted.count() + removed.count(), 2);
    QCOMPARE(reset.count(), 0);
}

// Which cells the user may edit, and which are fixed: those show the button face.
void TestStringGrid::editingFlags_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("editable");
    QTest::newRow("fixed corner, editing") << true << 0 << 0 << false;
    QTest::newRow("fixed column, editing") << true << 0 << 3 << false;
    QTest::newRow("fixed row, editing") << true << 4 << 0 << false;
    QTest::newRow("cell, editing") << true << 4 << 3 << true;
    QTest::newRow("cell, not editing") << false << 4 << 3 << false;
    QTest::newRow("fixed column, not editing") << false << 0 << 3 << false;
}

void TestStringGrid::editingFlags()
{
    QFETCH(bool, editing);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(bool, editable);
    Model model(11);
    model.setEditing(editing);
    const QModelIndex index = model.index(row, col);
    const Qt::ItemFlags flags = model.flags(index);
    QCOMPARE(bool(flags & Qt::ItemIsEditable), editable);
    QVERIFY(flags & Qt::ItemIsEnabled);
    const QVariant background = model.data(index, Qt::BackgroundRole);
    if (col == 0 || row == 0)
        QCOMPARE(background.value<QBrush>().color(), QGuiApplication::palette().color(QPalette::Button));
    else
        QVERIFY(!background.isValid());
}

void TestStringGrid::setDataWritesOnlyEditableCells()
{
    Model model(11);
    model.setEditing(true);
    model.setCell(0, 2, QStringLiteral("割る数"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QVERIFY(model.setData(model.index(2, 3), QStringLiteral("abc")));
    QCOMPARE(model.store().cell(3, 2), QStringLiteral("abc"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(2, 3));

    QVERIFY(!model.setData(model.index(2, 0), QStringLiteral("x"))); // fixed
    QCOMPARE(model.store().cell(0, 2), QStringLiteral("割る数"));

    model.setEditing(false);
    QVERIFY(!model.setData(model.index(2, 3), QStringLiteral("17")));
    QCOMPARE(model.store().cell(3, 2), QStringLiteral("abc"));
    QCOMPARE(changed.count(), 1);
}

void TestStringGrid::batchedWritesNotifyOnce()
{
    Model model(90001);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.beginUpdate();
    for (int col = 1; col <= 90000; ++col) {
        for (int row = 0; row < 5; ++row)
            model.setCellNumber(col, row, col + row);
    }
    model.beginUpdate(); // nested batches end with the outermost
    model.setCell(2, 2, QStringLiteral("x"));
    model.endUpdate();
    QCOMPARE(changed.count(), 0);
    model.endUpdate();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(0, 0));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(4, 90000));
    model.endUpdate(); // unbalanced: ignored
    QCOMPARE(changed.count(), 1);

    model.beginUpdate(); // a batch without writes tells nothing
    model.endUpdate();
    QCOMPARE(changed.count(), 1);
}

void TestStringGrid::unbatchedWritesNotifyInsideGridOnly()
{
    Model model(5);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCellNumber(3, 4, 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(4, 3));
    model.setCellNumber(5, 4, 1); // beyond ColCount: stored, nothing shown changes
    model.setCellNumber(3, 5, 1); // beyond RowCount
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.store().cell(5, 4), QStringLiteral("1"));
}

// ---- the view ---------------------------------------------------------------------

void TestStringGrid::viewSettings()
{
    TStringGrid grid;
    grid.setProperty("ColCount", 10001);
    grid.setProperty("RowCount", 5);
    grid.setProperty("DefaultColWidth", 45);
    grid.setProperty("DefaultRowHeight", 17);
    grid.setColWidth(0, 60);
    QVERIFY(grid.horizontalHeader()->isHidden());
    QVERIFY(grid.verticalHeader()->isHidden());
    QCOMPARE(grid.gridModel()->columnCount(), 10001);
    QCOMPARE(grid.colWidth(0), 60);
    QCOMPARE(grid.colWidth(1), 45);
    QCOMPARE(grid.columnWidth(10000), 45);
    QCOMPARE(grid.rowHeight(4), 17);
    QCOMPARE(grid.property("FixedCols").toInt(), 1);
    QCOMPARE(grid.property("FixedRows").toInt(), 1);
    grid.setProperty("Editing", true);
    QVERIFY(grid.gridModel()->flags(grid.gridModel()->index(1, 1)) & Qt::ItemIsEditable);
    grid.setCell(3, 1, QStringLiteral("答"));
    QCOMPARE(grid.cell(3, 1), QStringLiteral("答"));
    QCOMPARE(grid.gridModel()->data(grid.gridModel()->index(1, 3)).toString(), QStringLiteral("答"));
}

void TestStringGrid::currentColumnScrollsIntoView()
{
    TStringGrid grid;
    grid.resize(400, 113);
    grid.setColCount(1001);
    grid.setDefaultColWidth(45);
    grid.setDefaultRowHeight(17);
    QVERIFY(shown(grid));
    QCOMPARE(grid.col(), 1); // the first column that is not fixed
    grid.setProperty("Col", 1000);
    QCOMPARE(grid.col(), 1000);
    const int x = grid.columnViewportPosition(1000);
    QVERIFY(x >= 0);
    QVERIFY(x + grid.columnWidth(1000) <= grid.viewport()->width());
    grid.setCol(5000); // no such column: unchanged
    QCOMPARE(grid.col(), 1000);
}

void TestStringGrid::largeCatalogueRemovals()
{
    // The biggest catalogue: 90,000 problems in columns 1..90000, five rows each, then
    // six problems taken out from the middle, one at a time.
    const int problems = 90000;
    TStringGrid grid;
    grid.resize(1009, 113);
    grid.setRowCount(5);
    grid.setColCount(11);
    QVERIFY(shown(grid));

    std::vector<int> order; // the problems left, in order, as a list would hold them
    std::vector<int> held;  // which problem each stored column holds, moved as cells move
    order.push_back(0);
    held.push_back(0);
    grid.beginUpdate();
    grid.setColCount(problems + 1);
    for (int col = 1; col <= problems; ++col) {
        order.push_back(col);
        held.push_back(col);
        grid.setCellNumber(col, 0, col);
        grid.setCellNumber(col, 1, col % 1000);
        grid.setCellNumber(col, 2, 1000 + col % 9000);
        grid.setCellNumber(col, 3, col % 7);
        grid.setCellNumber(col, 4, col * 11);
    }
    grid.endUpdate();

    int count = problems;
    // The middle, the first, the last, and the middle again.
    for (const int taken : {45000, 1, 89998, 30000, 45000, 2}) {
        // Taking out the problem in column j: columns j+1..M move left, ColCount drops.
        grid.shiftColumnsLeft(taken + 1, count);
        for (int col = taken + 1; col <= count; ++col)
            held[size_t(col - 1)] = held[size_t(col)];
        order.erase(order.begin() + taken);
        --count;
        grid.setColCount(count + 1);
        QCOMPARE(grid.gridModel()->columnCount(), count + 1);
    }
    QCOMPARE(grid.colCount(), problems - 5);
    const auto holds = [&grid](int col, int p) {
        return grid.cell(col, 0) == QString::number(p) && grid.cell(col, 1) == QString::number(p % 1000)
            && grid.cell(col, 2) == QString::number(1000 + p % 9000)
            && grid.cell(col, 3) == QString::number(p % 7) && grid.cell(col, 4) == QString::number(p * 11);
    };
    for (int col = 1; col <= count; ++col) {
        QCOMPARE(held[size_t(col)], order[size_t(col)]);
        if (!holds(col, order[size_t(col)]))
            QFAIL(qPrintable(QStringLiteral("column %1 does not hold problem %2").arg(col).arg(order[size_t(col)])));
    }
    // Beyond the grid the columns keep what the moves left there.
    for (int col = count + 1; col <= problems; ++col) {
        if (!holds(col, held[size_t(col)]))
            QFAIL(qPrintable(QStringLiteral("column %1 beyond the grid lost problem %2").arg(col).arg(held[size_t(col)])));
    }
}

void TestStringGrid::fixedCellsStayInView_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("targetCol");
    QTest::addColumn<int>("targetRow");
    QTest::newRow("last of 200 columns") << 200 << 5 << 199 << 2;
    QTest::newRow("last of 60 rows") << 5 << 60 << 3 << 59;
    QTest::newRow("far corner") << 200 << 60 << 199 << 59;
    QTest::newRow("back near the start") << 200 << 60 << 2 << 2;
}

void TestStringGrid::fixedCellsStayInView()
{
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(int, targetCol);
    QFETCH(int, targetRow);
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    QVERIFY(face != QGuiApplication::palette().color(QPalette::Base));

    TStringGrid grid;
    grid.resize(400, 200);
    grid.setColCount(cols);
    grid.setRowCount(rows);
    grid.setColWidth(0, 60);
    QVERIFY(shown(grid));
    // Away to the far corner first, so that coming back near the start has to scroll.
    grid.setCurrentIndex(grid.gridModel()->index(rows - 1, cols - 1));
    grid.setCurrentIndex(grid.gridModel()->index(targetRow, targetCol));
    QCoreApplication::processEvents();
    QCOMPARE(grid.currentIndex(), grid.gridModel()->index(targetRow, targetCol));

    // The target cell is in view, beside the fixed column and below the fixed row.
    const int x = grid.columnViewportPosition(targetCol);
    const int y = grid.rowViewportPosition(targetRow);
    QVERIFY2(x >= 60, qPrintable(QStringLiteral("column at %1").arg(x)));
    QVERIFY2(y >= 24, qPrintable(QStringLiteral("row at %1").arg(y)));
    QVERIFY(x + grid.columnWidth(targetCol) <= grid.viewport()->width());
    QVERIFY(y + grid.rowHeight(targetRow) <= grid.viewport()->height());

    // The fixed cells of the target's row and column, and the corner, sit at the
    // viewport's left and top edges.
    QTableView *columns = grid.fixedColumnsView();
    QTableView *fixedRows = grid.fixedRowsView();
    QTableView *corner = grid.fixedCornerView();
    const QPoint origin = grid.viewport()->geometry().topLeft();
    QVERIFY(columns->isVisible());
    QVERIFY(fixedRows->isVisible());
    QVERIFY(corner->isVisible());
    QCOMPARE(columns->geometry().topLeft(), origin);
    // (A cell's rectangle leaves out the grid line along its right and bottom edges.)
    const QMargins gridLine(0, 0, 1, 1);
    QCOMPARE(columns->visualRect(grid.gridModel()->index(targetRow, 0)), QRect(0, y, 60, 24) - gridLine);
    QCOMPARE(fixedRows->visualRect(grid.gridModel()->index(0, targetCol)),
             QRect(x, 0, grid.columnWidth(targetCol), 24) - gridLine);
    QCOMPARE(corner->visualRect(grid.gridModel()->index(0, 0)), QRect(0, 0, 60, 24) - gridLine);

    // And they are what one sees there: the button face, just inside each cell.
    const QImage shot = grid.grab().toImage();
    const auto faceAt = [&](int vx, int vy) { return shot.pixelColor(origin + QPoint(vx + 1, vy + 1)) == face; };
    QVERIFY(faceAt(0, 0));
    QVERIFY(faceAt(0, y));
    QVERIFY(faceAt(x, 0));
    QVERIFY(!faceAt(x, y));
}

void TestStringGrid::overlaysFollowSizes()
{
    TStringGrid grid;
    grid.resize(400, 200);
    grid.setColCount(300);
    grid.setRowCount(5);
    grid.setDefaultColWidth(45);
    grid.setDefaultRowHeight(17);
    grid.setColWidth(0, 60);
    grid.setColWidth(150, 90);
    QVERIFY(shown(grid));
    for (QTableView *overlay : {grid.fixedColumnsView(), grid.fixedRowsView(), grid.fixedCornerView()}) {
        QCOMPARE(overlay->columnWidth(0), 60);
        QCOMPARE(overlay->rowHeight(0), 17);
    }
    QCOMPARE(grid.fixedRowsView()->columnWidth(1), 45);
    QCOMPARE(grid.fixedRowsView()->columnWidth(150), 90);
    QCOMPARE(grid.fixedRowsView()->columnWidth(299), 45);
    QCOMPARE(grid.fixedColumnsView()->rowHeight(4), 17);
    // Along the axes they do not scroll, the overlays lay out the fixed cells alone.
    QCOMPARE(grid.fixedColumnsView()->horizontalHeader()->count(), 1);
    QCOMPARE(grid.fixedRowsView()->verticalHeader()->count(), 1);
    QCOMPARE(grid.fixedCornerView()->horizontalHeader()->count(), 1);
    QCOMPARE(grid.fixedCornerView()->verticalHeader()->count(), 1);
    grid.setColCount(90001);
    QCOMPARE(grid.fixedColumnsView()->horizontalHeader()->count(), 1);
    QCOMPARE(grid.fixedRowsView()->horizontalHeader()->count(), 90001);
    grid.setColCount(300);
    QCOMPARE(grid.fixedColumnsView()->width(), 60);
    QCOMPARE(grid.fixedRowsView()->height(), 17);
    QCOMPARE(grid.fixedCornerView()->size(), QSize(60, 17));
    QCOMPARE(grid.fixedRowsView()->width(), grid.viewport()->width());
    QCOMPARE(grid.fixedColumnsView()->height(), grid.viewport()->height());

    grid.setColWidth(0, 80);
    QCOMPARE(grid.fixedColumnsView()->width(), 80);
    QCOMPARE(grid.fixedCornerView()->width(), 80);
    // The fixed row moves with the columns beneath it, widened ones included.
    grid.setCol(200);
    QCoreApplication::processEvents();
    for (const int col : {150, 199, 200}) {
        QCOMPARE(grid.fixedRowsView()->columnViewportPosition(col), grid.columnViewportPosition(col));
    }
    // The grid keeps its count of columns; the overlays show the same model.
    QCOMPARE(grid.gridModel()->columnCount(), 300);
    QCOMPARE(grid.fixedColumnsView()->model(), grid.gridModel());
    QCOMPARE(grid.fixedRowsView()->selectionModel(), grid.selectionModel());
}

void TestStringGrid::fixedCountsShapeOverlays()
{
    TStringGrid grid;
    grid.resize(400, 200);
    grid.setColCount(50);
    grid.setRowCount(20);
    grid.setDefaultColWidth(40);
    grid.setDefaultRowHeight(20);
    QVERIFY(shown(grid));
    grid.setFixedCols(2);
    grid.setFixedRows(3);
    QCOMPARE(grid.fixedColumnsView()->width(), 80);
    QCOMPARE(grid.fixedRowsView()->height(), 60);
    QCOMPARE(grid.fixedCornerView()->size(), QSize(80, 60));
    grid.setCol(49);
    QCoreApplication::processEvents();
    QVERIFY(grid.columnViewportPosition(1) < 0); // the grid's own fixed cells scrolled away
    QCOMPARE(grid.fixedColumnsView()->columnViewportPosition(1), 40);

    grid.setFixedCols(0);
    QVERIFY(grid.fixedColumnsView()->isHidden());
    QVERIFY(grid.fixedCornerView()->isHidden());
    QVERIFY(grid.fixedRowsView()->isVisible());
    grid.setFixedRows(0);
    QVERIFY(grid.fixedRowsView()->isHidden());
    grid.setFixedCols(1);
    QVERIFY(grid.fixedColumnsView()->isVisible());
    QCOMPARE(grid.fixedColumnsView()->width(), 40);
}

void TestStringGrid::scrollingMovesByWholeColumns_data()
{
    // Column 0 is 60 wide, the others 45: column c >= 1 starts at 60 + 45 (c - 1) in the
    // grid, and a scroll position p puts grid x = p + 60 right beside the fixed column.
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("expected");
    // 0 -> 100: x 160 is inside column 3 (150..195); going right, column 4 comes next.
    QTest::newRow("right, inside a column") << 0 << 100 << 135;
    // 135 -> 120: x 180 is inside column 3 again; going left, it is shown whole.
    QTest::newRow("left, inside a column") << 135 << 120 << 90;
    // 0 -> 45: x 105 is where column 2 starts.
    QTest::newRow("onto a boundary") << 0 << 45 << 45;
    QTest::newRow("back to the start") << 135 << 10 << 0;
}

void TestStringGrid::scrollingMovesByWholeColumns()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, expected);
    TStringGrid grid;
    grid.resize(400, 200);
    grid.setColCount(200);
    grid.setDefaultColWidth(45);
    grid.setColWidth(0, 60);
    QVERIFY(shown(grid));
    grid.horizontalScrollBar()->setValue(from);
    QCOMPARE(grid.horizontalScrollBar()->value(), from);
    grid.horizontalScrollBar()->setValue(to);
    QCOMPARE(grid.horizontalScrollBar()->value(), expected);
    // The fixed row moved with it.
    QCOMPARE(grid.fixedRowsView()->horizontalScrollBar()->value(), expected);
}

QTEST_MAIN(TestStringGrid)
#include "tst_string_grid.moc"
