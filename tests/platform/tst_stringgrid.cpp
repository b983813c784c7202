#include "platform/stringgrid.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class TestStringGrid : public QObject {
    Q_OBJECT

    static void fill(TStringGrid& grid, int rows) {
        grid.setRowCount(rows + 1);
        for (int c = 0; c < 5; ++c)
            grid.setCells(c, 0, "T" + std::to_string(c));
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < 5; ++c)
                grid.setCells(c, r, std::to_string(r) + ":" + std::to_string(c));
    }

private Q_SLOTS:
    // The model stays consistent through every change the note list makes.
    void modelIsConsistent() {
        TStringGrid grid;
        QAbstractItemModelTester tester(const_cast<QAbstractItemModel*>(grid.CellModel()),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        fill(grid, 20);
        grid.setFixedRows(1);
        QCOMPARE(grid.CellModel()->rowCount(), 20);
        QCOMPARE(grid.CellModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("T1"));
        grid.setRow(7);
        grid.setRowCount(1);
        QCOMPARE(grid.FixedRows(), 0);
        QCOMPARE(grid.CellModel()->rowCount(), 1);
        grid.BeginUpdate();
        grid.setRowCount(1);
        for (int r = 1; r <= 5; ++r) {
            grid.setRowCount(grid.RowCount() + 1);
            grid.setCells(1, r, "x");
        }
        grid.EndUpdate();
        grid.setFixedRows(1);
        grid.setColCount(3);
        QCOMPARE(grid.CellModel()->columnCount(), 3);
        QCOMPARE(grid.Cells(1, 5), std::string("x"));
        grid.setCells(0, 2, "changed");
        QCOMPARE(grid.CellModel()->index(1, 0).data().toString(), QStringLiteral("changed"));
    }

    // Row 0 is the header while fixed and an ordinary, current row when it is the only row.
    void titleRowRules() {
        TStringGrid grid;
        grid.show();
        fill(grid, 3);
        QCOMPARE(grid.FixedRows(), 0);
        QVERIFY(grid.horizontalHeader()->isHidden());
        QCOMPARE(grid.CellModel()->index(0, 0).data().toString(), QStringLiteral("T0"));

        grid.setFixedRows(1);
        QCOMPARE(grid.Row(), 1);
        QVERIFY(!grid.horizontalHeader()->isHidden());
        QCOMPARE(grid.currentIndex().row(), 0);

        grid.setRow(0); // the fixed row can't be made current
        QCOMPARE(grid.Row(), 1);

        grid.setRowCount(1);
        QCOMPARE(grid.FixedRows(), 0);
        QCOMPARE(grid.Row(), 0);
        QVERIFY(grid.horizontalHeader()->isHidden());
        QCOMPARE(grid.currentIndex().row(), 0);

        grid.setFixedRows(1); // a grid keeps one ordinary row
        QCOMPARE(grid.FixedRows(), 0);
    }

    // Click is raised when the program or the user makes a different row current, never for
    // the same row and never for the move to row 1 that fixing the title row makes.
    void clickEvent() {
        TStringGrid grid;
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        fill(grid, 6);
        QSignalSpy clicks(&grid, &TStringGrid::Click);
        grid.setFixedRows(1);
        QCOMPARE(clicks.count(), 0);
        grid.setRow(1);
        QCOMPARE(clicks.count(), 0);
        grid.setRow(4);
        QCOMPARE(clicks.count(), 1);
        grid.setRow(99);
        QCOMPARE(grid.Row(), 4);
        QCOMPARE(clicks.count(), 1);

        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.Row(), 5);
        QCOMPARE(clicks.count(), 2);

        const QRect second = grid.visualRect(grid.CellModel()->index(1, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(clicks.count(), 3);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(clicks.count(), 3);
    }

    void cellsAreReadOnly() {
        TStringGrid grid;
        grid.show();
        fill(grid, 2);
        grid.setFixedRows(1);
        const QModelIndex cell = grid.CellModel()->index(0, 1);
        QVERIFY(!(grid.CellModel()->flags(cell) & Qt::ItemIsEditable));
        QTest::keyClick(&grid, Qt::Key_F2);
        QTest::keyClicks(&grid, "zz");
        QCOMPARE(grid.Cells(1, 1), std::string("1:1"));
        QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void cellsOutOfRange() {
        TStringGrid grid;
        fill(grid, 2);
        QCOMPARE(grid.Cells(5, 1), std::string());
        QCOMPARE(grid.Cells(0, 3), std::string());
        QCOMPARE(grid.Cells(-1, 0), std::string());
        grid.setCells(0, 3, "ignored");
        QCOMPARE(grid.RowCount(), 3);
        grid.setRowCount(0);
        QCOMPARE(grid.RowCount(), 1);
    }

    void textIsDecodedAtTheView() {
        TStringGrid grid;
        grid.setCells(1, 0, "caf\xC3\xA9");
        grid.setCells(2, 0, "caf\xE9 \x80");
        QCOMPARE(grid.CellModel()->index(0, 1).data().toString(), QStringLiteral(u"café"));
        QCOMPARE(grid.CellModel()->index(0, 2).data().toString(), QStringLiteral(u"café €"));
        QCOMPARE(grid.Cells(2, 0), std::string("caf\xE9 \x80"));
    }

    void columnWidths() {
        TStringGrid grid;
        grid.setColWidths(1, 262);
        grid.setColWidths(4, -3);
        QCOMPARE(grid.ColWidths(1), 262);
        QCOMPARE(grid.ColWidths(4), 0);
        QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }
};

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
