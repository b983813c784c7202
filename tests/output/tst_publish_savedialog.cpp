// The save dialog the publish command uses: its filter in Qt's form, the default extension,
// the last chosen name, and a cancel.
#include "platform/savedialog.h"
#include "support/modal.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using support::typeAndSave;
using support::whenSaveDialog;

class TestSaveDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("name shows its pattern")
            << "HTML (*.htm)|*.htm" << QStringList{"HTML (*.htm)"};
        QTest::newRow("bare name, two patterns")
            << "Text|*.txt;*.log" << QStringList{"Text (*.txt *.log)"};
        QTest::newRow("every file")
            << "Text|*.txt|All files|*.*" << QStringList{"Text (*.txt)", "All files (*)"};
        QTest::newRow("trailing name without patterns")
            << "HTML|*.htm|Odd" << QStringList{"HTML (*.htm)"};
    }
    void filters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        TSaveDialog dialog;
        dialog.Title = "Save It";
        dialog.Filter = filter;
        QStringList seen;
        QString title;
        whenSaveDialog([&](QFileDialog* d) {
            seen = d->nameFilters();
            title = d->windowTitle();
            d->reject();
        });
        QVERIFY(!dialog.Execute());
        QCOMPARE(seen, shown);
        QCOMPARE(title, QStringLiteral("Save It"));
    }

    void defaultExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no extension") << "page"
                                      << "page.htm";
        QTest::newRow("the extension") << "page.htm"
                                       << "page.htm";
        QTest::newRow("another extension kept") << "page.html"
                                                << "page.html";
        QTest::newRow("blank in the name") << "my page"
                                           << "my page.htm";
    }
    void defaultExtension() {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        TSaveDialog dialog;
        dialog.Filter = "HTML (*.htm)|*.htm";
        dialog.DefaultExt = "htm";
        whenSaveDialog([&](QFileDialog* d) { typeAndSave(d, dir.path(), typed); });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.FileName, dir.filePath(chosen));
    }

    // The last chosen name is where the next showing starts; a cancel keeps it.
    void lastNameKept() {
        QTemporaryDir dir;
        TSaveDialog dialog;
        dialog.DefaultExt = "htm";
        whenSaveDialog([&](QFileDialog* d) { typeAndSave(d, dir.path(), "first"); });
        QVERIFY(dialog.Execute());
        const QString first = dir.filePath("first.htm");
        QCOMPARE(dialog.FileName, first);

        QString startedAt, startedIn;
        whenSaveDialog([&](QFileDialog* d) {
            startedAt = d->selectedFiles().value(0);
            startedIn = d->directory().absolutePath();
            d->reject();
        });
        QVERIFY(!dialog.Execute());
        QCOMPARE(startedAt, first);
        QCOMPARE(startedIn, dir.path());
        QCOMPARE(dialog.FileName, first);
    }
};

QTEST_MAIN(TestSaveDialog)
#include "tst_publish_savedialog.moc"
