#include "sheet/PageLayout.h"

#include <QTest>

using namespace divisheet;

class TestSheetLayout : public QObject
{
    Q_OBJECT

private slots:
    void cellSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("cellWidth");
        QTest::addColumn<int>("cellHeight");

        // (1036 - 32) / 5 = 200 (4 left over), (766 - 48) / 2 = 359
        QTest::newRow("design size 2x5") << QSize(1036, 766) << 2 << 5 << 200 << 359;
        // 1004 / 4 = 251, 718 / 3 = 239 (1 left over)
        QTest::newRow("design size 3x4") << QSize(1036, 766) << 3 << 4 << 251 << 239;
        QTest::newRow("design size 1x3") << QSize(1036, 766) << 1 << 3 << 334 << 718;
        QTest::newRow("wider window") << QSize(1600, 900) << 2 << 5 << 313 << 426;
        QTest::newRow("exactly the margins") << QSize(32, 48) << 2 << 5 << 0 << 0;
        // Narrower than the margins: no wrap-around to 65535-ish cells.
        QTest::newRow("smaller than the margins") << QSize(10, 20) << 3 << 5 << 0 << 0;
        QTest::newRow("one pixel short per column") << QSize(32 + 4, 48 + 1) << 2 << 5 << 0 << 0;
        QTest::newRow("no rows or columns") << QSize(1036, 766) << 0 << 0 << 0 << 0;
        QTest::newRow("huge window clamps to 16 bits") << QSize(200000, 200000) << 1 << 1 << 65535 << 65535;
    }
    void cellSize()
    {
        QFETCH(QSize, window);
        QFETCH(int, rows);
        QFETCH(int, columns);
        const CellSize cell = sheetCellSize(window, rows, columns);
        QTEST(int(cell.width), "cellWidth");
        QTEST(int(cell.height), "cellHeight");
    }

    void defaultSheetPositions()
    {
        const CellSize cell = sheetCellSize({1036, 766}, 2, 5);
        const int lefts[] = {32, 232, 432, 632, 832};
        const int tops[] = {48, 407};
        for (int row = 1; row <= 2; ++row) {
            for (int column = 1; column <= 5; ++column)
                QCOMPARE(cellTopLeft(cell, row, column), QPoint(lefts[column - 1], tops[row - 1]));
        }
    }

    void figureNumbering_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << 1 << 5 << QStringLiteral("DynLongDivision1");
        QTest::newRow("end of first row of 4") << 1 << 4 << 4 << QStringLiteral("DynLongDivision4");
        QTest::newRow("start of second row of 4") << 2 << 1 << 4 << QStringLiteral("DynLongDivision5");
        QTest::newRow("last of 3x4") << 3 << 4 << 4 << QStringLiteral("DynLongDivision12");
        QTest::newRow("last of 3x5") << 3 << 5 << 5 << QStringLiteral("DynLongDivision15");
    }
    void figureNumbering()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, columns);
        QTEST(figureName(figureNumber(row, column, columns)), "name");
    }
};

QTEST_GUILESS_MAIN(TestSheetLayout)
#include "tst_sheet_layout.moc"
