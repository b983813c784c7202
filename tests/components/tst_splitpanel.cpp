#include "components/splitpanel.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <memory>

// The panel is 200 x 150 with a lower control 40 high, so the bar starts at 110.
class TestSplitPanel : public QObject {
    Q_OBJECT

    static constexpr int W = 200;
    static constexpr int H = 150;
    static constexpr int Lower = 40;

    struct Fixture {
        QPointer<QWidget> top = new QListWidget;
        QPointer<QWidget> bottom = new QPlainTextEdit;
        std::unique_ptr<TSplitPanel> panel;
        Fixture() {
            bottom->resize(W, Lower);
            panel = std::make_unique<TSplitPanel>(nullptr, top, bottom);
            panel->resize(W, H);
            panel->show();
        }
        // The panel gives its controls back rather than freeing them.
        ~Fixture() {
            panel.reset();
            delete top.data();
            delete bottom.data();
        }
        Fixture(const Fixture&) = delete;
        Fixture& operator=(const Fixture&) = delete;
        QWindow* window() const { return panel->windowHandle(); }
        int barTop() const { return panel->SplitBar->y(); }
    };

    static QColor barColour(const TSplitPanel& panel) {
        return panel.SplitBar->palette().color(QPalette::Window);
    }

private Q_SLOTS:
    void startsWithTheBarOnTheLowerControl() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        QCOMPARE(f.panel->DragY, -1);
        QCOMPARE(f.panel->frameWidth(), 0);
        QCOMPARE(f.bottom->geometry(), QRect(0, H - Lower, W, Lower));
        QCOMPARE(f.top->geometry(), QRect(0, 0, W, H - Lower));
        QCOMPARE(f.panel->SplitBar->geometry(), QRect(0, H - Lower, W, TSplitPanel::BarHeight));
        QCOMPARE(f.panel->SplitBar->cursor().shape(), Qt::SplitVCursor);
        QCOMPARE(barColour(*f.panel), clBtnFace());
        QVERIFY(f.top->isVisible());
        QVERIFY(f.bottom->isVisible());
        QVERIFY(f.panel->SplitBar->isVisible());
        // The bar must be drawn over the lower control, not under it.
        QCOMPARE(f.panel->childAt(10, H - Lower + 2), f.panel->SplitBar);
    }

    void drag_data() {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("barWhileDragging");
        QTest::addColumn<int>("barAfter");

        QTest::newRow("down") << QList<int>{20} << 130 << 130;
        QTest::newRow("up in steps") << QList<int>{-30, -30} << 50 << 50;
        QTest::newRow("back to the start") << QList<int>{25, -25} << 110 << 110;
        QTest::newRow("exactly to the top") << QList<int>{-110} << 0 << 0;
        QTest::newRow("beyond the top") << QList<int>{-100, -100} << -90 << 0;
        QTest::newRow("exactly to the bottom") << QList<int>{35} << H - 5 << H - 5;
        QTest::newRow("beyond the bottom") << QList<int>{100} << 210 << H - 5;
        QTest::newRow("no move") << QList<int>{} << 110 << 110;
    }

    // Real mouse input through the window: the bar keeps the mouse while the button is down,
    // wherever the pointer goes.
    void drag() {
        QFETCH(QList<int>, steps);
        QFETCH(int, barWhileDragging);
        QFETCH(int, barAfter);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));

        QPoint at(30, H - Lower + 2);
        QTest::mousePress(f.window(), Qt::LeftButton, {}, at);
        QCOMPARE(f.panel->DragY, 2);
        QCOMPARE(barColour(*f.panel), clGray());
        for (int step : steps) {
            at.ry() += step;
            QTest::mouseMove(f.window(), at);
        }
        QCOMPARE(f.barTop(), barWhileDragging);
        QCOMPARE(barColour(*f.panel), clGray());
        // The controls follow only on release.
        QCOMPARE(f.bottom->height(), Lower);

        QTest::mouseRelease(f.window(), Qt::LeftButton, {}, at);
        QCOMPARE(f.panel->DragY, -1);
        QCOMPARE(barColour(*f.panel), clBtnFace());
        QCOMPARE(f.barTop(), barAfter);
        QCOMPARE(f.bottom->geometry(), QRect(0, barAfter, W, H - barAfter));
        QCOMPARE(f.top->geometry(), QRect(0, 0, W, barAfter));
        QCOMPARE(f.panel->SplitBar->geometry(), QRect(0, barAfter, W, TSplitPanel::BarHeight));
    }

    void anyButtonDrags() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        QTest::mousePress(f.window(), Qt::RightButton, {}, QPoint(5, H - Lower + 4));
        QTest::mouseMove(f.window(), QPoint(5, H - Lower - 16));
        QTest::mouseRelease(f.window(), Qt::RightButton, {}, QPoint(5, H - Lower - 16));
        QCOMPARE(f.bottom->height(), Lower + 20);
    }

    void movesWithoutADragChangeNothing() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        for (int y : {H - Lower, H - Lower + 4, 10, H - Lower + 2})
            QTest::mouseMove(f.window(), QPoint(40, y));
        f.panel->SplitBarMouseMove(f.panel->SplitBar, {}, 0, 60);
        QCOMPARE(f.panel->DragY, -1);
        QCOMPARE(f.barTop(), H - Lower);
        QCOMPARE(f.bottom->height(), Lower);
        QCOMPARE(barColour(*f.panel), clBtnFace());
    }

    void resize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(320, 260);
        QTest::newRow("narrower") << QSize(90, H);
        QTest::newRow("lower than the lower control") << QSize(W, 30);
    }

    // After a drag the lower control is 60 high; a new size keeps that height and puts the bar
    // back on its top edge at the panel's full width.
    void resize() {
        QFETCH(QSize, size);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        QTest::mousePress(f.window(), Qt::LeftButton, {}, QPoint(30, 112));
        QTest::mouseMove(f.window(), QPoint(30, 92));
        QTest::mouseRelease(f.window(), Qt::LeftButton, {}, QPoint(30, 92));
        QCOMPARE(f.bottom->height(), 60);

        f.panel->SplitBar->move(13, 7);
        f.panel->resize(size);
        QTRY_COMPARE(f.panel->size(), size);
        QCOMPARE(f.bottom->geometry(), QRect(0, size.height() - 60, size.width(), 60));
        QCOMPARE(f.top->geometry(), QRect(0, 0, size.width(), std::max(0, size.height() - 60)));
        QCOMPARE(f.panel->SplitBar->geometry(),
                 QRect(0, size.height() - 60, size.width(), TSplitPanel::BarHeight));
    }

    void ownerOnlyPanelIsPlain() {
        QWidget form;
        auto* panel = new TSplitPanel(&form);
        form.resize(200, 100);
        panel->setGeometry(0, 0, 200, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!panel->SplitBar);
        QVERIFY(!panel->TopControl);
        QVERIFY(!panel->BottomControl);
        QVERIFY(panel->findChildren<QWidget*>().isEmpty());
        QCOMPARE(panel->BevelOuter(), bvRaised);
        QCOMPARE(panel->BevelInner(), bvNone);
        QCOMPARE(panel->cursor().shape(), Qt::ArrowCursor);

        // Not taken by the panel: the press goes on to the form as on any plain panel.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 50),
                          panel->mapToGlobal(QPointF(50, 50)), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(panel, &press);
        QVERIFY(!press.isAccepted());
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(form.windowHandle(), QPoint(50, 10));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(50, 10));
        QCOMPARE(panel->DragY, -1);
        QCOMPARE(panel->geometry(), QRect(0, 0, 200, 100));
    }

    // The panel lends the controls a home but never frees them; nothing is freed twice
    // (run under AddressSanitizer to see it).
    void panelDestroyedBeforeItsControls() {
        QWidget form;
        QPointer<QWidget> top = new QListWidget(&form);
        QPointer<QWidget> bottom = new QPlainTextEdit(&form);
        auto* panel = new TSplitPanel(&form, top, bottom);
        QPointer<QWidget> bar = panel->SplitBar;
        form.show();
        QVERIFY(top->isVisible());

        delete panel;
        QVERIFY(bar.isNull());
        QVERIFY(!top.isNull());
        QVERIFY(!bottom.isNull());
        QCOMPARE(top->parentWidget(), &form);
        QCOMPARE(bottom->parentWidget(), &form);
        QVERIFY(top->isHidden());
        QVERIFY(bottom->isHidden());
    }

    void formDestroyedWithThePanel() {
        auto form = std::make_unique<QWidget>();
        QPointer<QWidget> top = new QListWidget(form.get());
        QPointer<QWidget> bottom = new QPlainTextEdit(form.get());
        QPointer<TSplitPanel> panel = new TSplitPanel(form.get(), top, bottom);
        QPointer<QWidget> bar = panel->SplitBar;
        form->show();
        form.reset();
        QVERIFY(panel.isNull());
        QVERIFY(bar.isNull());
        QVERIFY(top.isNull());
        QVERIFY(bottom.isNull());
    }

    void panelWithoutParentReleasesItsControls() {
        auto top = std::make_unique<QListWidget>();
        auto bottom = std::make_unique<QPlainTextEdit>();
        {
            TSplitPanel panel(nullptr, top.get(), bottom.get());
            panel.show();
        }
        QVERIFY(!top->parentWidget());
        QVERIFY(!bottom->parentWidget());
    }

    void withoutControls() {
        TSplitPanel panel(nullptr, nullptr, nullptr);
        panel.resize(W, H);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.SplitBar->width(), W);
        const int start = panel.SplitBar->y();
        QTest::mousePress(panel.windowHandle(), Qt::LeftButton, {}, QPoint(30, start + 1));
        QTest::mouseMove(panel.windowHandle(), QPoint(30, start + 1 + 2 * H));
        QTest::mouseRelease(panel.windowHandle(), Qt::LeftButton, {},
                            QPoint(30, start + 1 + 2 * H));
        QCOMPARE(panel.SplitBar->y(), H - 5);
        QCOMPARE(barColour(panel), clBtnFace());
    }

    void controlDeletedBeforeThePanel() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        delete f.bottom;
        QVERIFY(f.panel->BottomControl.isNull());
        QCOMPARE(f.top->geometry(), QRect(0, 0, W, H));
        f.panel->resize(W + 20, H);
        QTest::mousePress(f.window(), Qt::LeftButton, {}, QPoint(30, H - Lower + 2));
        QTest::mouseMove(f.window(), QPoint(30, H - Lower - 8));
        QTest::mouseRelease(f.window(), Qt::LeftButton, {}, QPoint(30, H - Lower - 8));
        QCOMPARE(f.barTop(), H - Lower - 10);
        QCOMPARE(f.panel->DragY, -1);
    }
};

QTEST_MAIN(TestSplitPanel)
#include "tst_splitpanel.moc"
