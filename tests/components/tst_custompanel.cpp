#include "platform/custompanel.h"
#include "platform/panel.h"

#include <QMouseEvent>
#include <QTest>

// The panel's own layout of aligned children, its bevels and its events.
class TestCustomPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void alignment_data() {
        QTest::addColumn<QList<int>>("aligns");
        QTest::addColumn<QList<QRect>>("start");
        QTest::addColumn<QList<QRect>>("expected");

        QTest::newRow("client") << QList<int>{alClient} << QList<QRect>{{3, 3, 10, 10}}
                                << QList<QRect>{{0, 0, 200, 100}};
        QTest::newRow("bottom and client, in either order")
            << QList<int>{alClient, alBottom} << QList<QRect>{{0, 0, 10, 10}, {9, 9, 50, 30}}
            << QList<QRect>{{0, 0, 200, 70}, {0, 70, 200, 30}};
        QTest::newRow("every edge") << QList<int>{alClient, alRight, alLeft, alBottom, alTop}
                                    << QList<QRect>{{0, 0, 1, 1},
                                                    {0, 0, 40, 1},
                                                    {0, 0, 30, 1},
                                                    {0, 0, 1, 20},
                                                    {0, 0, 1, 10}}
                                    << QList<QRect>{{30, 10, 130, 70},
                                                    {160, 10, 40, 70},
                                                    {0, 10, 30, 70},
                                                    {0, 80, 200, 20},
                                                    {0, 0, 200, 10}};
        QTest::newRow("edge control higher than the panel")
            << QList<int>{alBottom, alClient} << QList<QRect>{{0, 0, 10, 150}, {0, 0, 10, 10}}
            << QList<QRect>{{0, -50, 200, 150}, {0, 0, 200, 0}};
        QTest::newRow("unaligned control stays put")
            << QList<int>{alNone, alClient} << QList<QRect>{{5, 6, 7, 8}, {0, 0, 1, 1}}
            << QList<QRect>{{5, 6, 7, 8}, {0, 0, 200, 100}};
    }

    void alignment() {
        QFETCH(QList<int>, aligns);
        QFETCH(QList<QRect>, start);
        QFETCH(QList<QRect>, expected);
        TPanel panel;
        panel.setBevelOuter(bvNone);
        panel.resize(200, 100);
        QList<QWidget*> controls;
        for (qsizetype i = 0; i < aligns.size(); ++i) {
            auto* control = new QWidget(&panel);
            control->setGeometry(start[i]);
            SetAlign(control, static_cast<TAlign>(aligns[i]));
            controls.append(control);
        }
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), expected[i]);
    }

    // The layout follows a change of the panel's size, of an edge control's height, of an
    // alignment, of visibility and of the bevels.
    void followsChanges() {
        TPanel panel;
        panel.setBevelOuter(bvNone);
        auto* client = new QWidget(&panel);
        auto* bottom = new QWidget(&panel);
        SetAlign(client, alClient);
        bottom->resize(10, 30);
        SetAlign(bottom, alBottom);
        panel.resize(200, 100);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(client->geometry(), QRect(0, 0, 200, 70));

        bottom->resize(bottom->width(), 45);
        QCOMPARE(bottom->geometry(), QRect(0, 55, 200, 45));
        QCOMPARE(client->geometry(), QRect(0, 0, 200, 55));

        panel.resize(240, 150);
        QCOMPARE(bottom->geometry(), QRect(0, 105, 240, 45));
        QCOMPARE(client->geometry(), QRect(0, 0, 240, 105));

        bottom->hide();
        QCOMPARE(client->geometry(), QRect(0, 0, 240, 150));
        bottom->show();
        QCOMPARE(client->geometry(), QRect(0, 0, 240, 105));

        SetAlign(bottom, alNone);
        QCOMPARE(client->geometry(), QRect(0, 0, 240, 150));

        panel.setBevelOuter(bvRaised);
        panel.setBevelInner(bvLowered);
        QCOMPARE(panel.frameWidth(), 2);
        QCOMPARE(client->geometry(), QRect(2, 2, 236, 146));

        delete bottom;
        auto* top = new QWidget(&panel);
        top->resize(10, 12);
        SetAlign(top, alTop);
        top->show();
        QCOMPARE(top->geometry(), QRect(2, 2, 236, 12));
        QCOMPARE(client->geometry(), QRect(2, 14, 236, 134));
    }

    void reportsResizeAfterLayout() {
        TPanel panel;
        auto* client = new QWidget(&panel);
        SetAlign(client, alClient);
        QSize seen;
        QObject* sender = nullptr;
        panel.OnResize = [&](QObject* s) {
            sender = s;
            seen = client->size();
        };
        panel.setBevelOuter(bvNone);
        panel.resize(120, 80);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(sender, &panel);
        QCOMPARE(seen, QSize(120, 80));
    }

    void reportsMouseInPanelCoordinates() {
        QWidget form;
        auto* panel = new TPanel(&form);
        panel->setGeometry(10, 20, 100, 50);
        QList<QList<int>> events;
        panel->OnMouseDown = [&](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                 int y) {
            events.append({1, int(button), x, y});
        };
        panel->OnMouseMove = [&](QObject*, Qt::KeyboardModifiers, int x, int y) {
            events.append({2, 0, x, y});
        };
        panel->OnMouseUp = [&](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                               int y) {
            events.append({3, int(button), x, y});
        };
        form.resize(200, 200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(15, 25));
        QTest::mouseMove(form.windowHandle(), QPoint(40, 150));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(40, 150));
        const QList<QList<int>> expected{
            {1, Qt::LeftButton, 5, 5}, {2, 0, 30, 130}, {3, Qt::LeftButton, 30, 130}};
        QCOMPARE(events, expected);
    }
};

QTEST_MAIN(TestCustomPanel)
#include "tst_custompanel.moc"
