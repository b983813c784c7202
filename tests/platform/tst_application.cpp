#include "platform/application.h"
#include "platform/controls.h"
#include "platform/helpwindow.h"
#include "platform/trayicon.h"
#include "support/modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <stdexcept>

using support::answerBox;
using Seen = support::Box;

class TestApplication : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        Application = new TApplication(this);
        Application->setTitle(QStringLiteral("Quillbox 1.3"));
    }
    void cleanup() {
        delete Application;
        Application = nullptr;
    }

    void toQString_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ascii") << QByteArray("Plain") << QStringLiteral("Plain");
        QTest::newRow("utf-8") << QByteArray("Cr\xC3\xA8me \xE2\x82\xAC")
                               << QStringLiteral(u"Crème €");
        QTest::newRow("windows-1252")
            << QByteArray("Cr\xE8me \x80 \x93q\x94") << QStringLiteral(u"Crème € “q”");
        QTest::newRow("cut utf-8") << QByteArray("ab\xC3") << QStringLiteral(u"abÃ");
        QTest::newRow("nul inside")
            << QByteArray("a\0b", 3)
            << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    }
    void toQString() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(ToQString(bytes.toStdString()), text);
    }

    void fromQStringRoundTrips() {
        const QString text = QStringLiteral(u"Crème € 日本");
        QCOMPARE(ToQString(FromQString(text)), text);
        QCOMPARE(FromQString(QStringLiteral(u"é")), std::string("\xC3\xA9"));
    }

    void messageBox_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("icon");
        QTest::newRow("yes") << (MB_YESNO | MB_ICONQUESTION) << "Yes" << QStringList{"No", "Yes"}
                             << int(IDYES) << int(QMessageBox::Question);
        QTest::newRow("no") << (MB_YESNO | MB_ICONQUESTION) << "No" << QStringList{"No", "Yes"}
                            << int(IDNO) << int(QMessageBox::Question);
        QTest::newRow("closed yes/no") << int(MB_YESNO) << "none" << QStringList{"No", "Yes"}
                                       << int(IDNO) << int(QMessageBox::NoIcon);
        QTest::newRow("ok") << (MB_OK | MB_ICONSTOP) << "OK" << QStringList{"OK"} << int(IDOK)
                            << int(QMessageBox::Critical);
        QTest::newRow("cancel") << (MB_OKCANCEL | MB_ICONWARNING) << "Cancel"
                                << QStringList{"Cancel", "OK"} << int(IDCANCEL)
                                << int(QMessageBox::Warning);
    }
    void messageBox() {
        QFETCH(int, flags);
        QFETCH(QString, answer);
        QFETCH(QStringList, buttons);
        QFETCH(int, result);
        QFETCH(int, icon);
        Seen seen;
        answerBox(answer, seen);
        QCOMPARE(Application->MessageBox(QStringLiteral("Are you sure?"),
                                         QStringLiteral("Delete Note"), flags),
                 result);
        QCOMPARE(seen.shown, 1);
        QCOMPARE(seen.text, QStringLiteral("Are you sure?"));
        QCOMPARE(seen.caption, QStringLiteral("Delete Note"));
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(int(seen.icon), icon);
    }

    void messageBoxCaptionDefaultsToTitle() {
        Seen seen;
        answerBox(QStringLiteral("OK"), seen);
        Application->MessageBox(QStringLiteral("x"), QString(), MB_OK);
        QCOMPARE(seen.caption, QStringLiteral("Quillbox 1.3"));
    }

    // An exception escaping a handler is shown, not fatal; the message ends with one full stop.
    void guardShowsException_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Out of memory"
                               << "Out of memory.";
        QTest::newRow("already a sentence") << "Disk full."
                                            << "Disk full.";
        QTest::newRow("empty") << ""
                               << ".";
    }
    void guardShowsException() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        Seen seen;
        answerBox(QStringLiteral("OK"), seen);
        bool after = false;
        Application->Guard([&] { throw std::runtime_error(message.toStdString()); });
        after = true;
        QVERIFY(after);
        QCOMPARE(seen.shown, 1);
        QCOMPARE(seen.text, shown);
        QCOMPARE(seen.caption, QStringLiteral("Quillbox 1.3"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }

    void helpFileMissingIsNamed() {
        Application->setHelpFile(QStringLiteral("no-such-help.hlp"));
        Seen seen;
        answerBox(QStringLiteral("OK"), seen);
        QVERIFY(!Application->HelpCommand(HELP_FINDER, 0));
        QCOMPARE(seen.shown, 1);
        QVERIFY2(seen.text.contains(QStringLiteral("no-such-help.hlp")), qPrintable(seen.text));
        QVERIFY(!Application->HelpWindow());
    }

    // The help file is found beside the executable, then in ../share/quillbox.
    void helpFileLocations_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("beside") << ".";
        QTest::newRow("share") << "../share/quillbox";
    }
    void helpFileLocations() {
        QFETCH(QString, folder);
        const QDir exe(QCoreApplication::applicationDirPath());
        const QString dir = exe.filePath(folder);
        const bool made = QDir().mkpath(dir);
        QVERIFY(made);
        const QString path = QDir(dir).filePath(QStringLiteral("tst-help.hlp"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<html><body><h1>Quillbox help</h1><p>Topics</p></body></html>");
        }
        Application->setHelpFile(QStringLiteral("tst-help.hlp"));
        const bool opened = Application->HelpCommand(HELP_FINDER, 0);
        QFile::remove(path);
        if (folder != ".") {
            QDir(dir).rmdir(QStringLiteral("."));
            QDir(exe.filePath(QStringLiteral("../share"))).rmdir(QStringLiteral("."));
        }
        QVERIFY(opened);
        QVERIFY(Application->HelpWindow()->isVisible());
        QVERIFY(Application->HelpWindow()->Browser()->toPlainText().contains(
            QStringLiteral("Quillbox help")));
    }

    void memoLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("one") << "abc" << 1 << "abc";
        QTest::newRow("trailing break") << "abc\n" << 1 << "abc";
        QTest::newRow("two") << "abc\ndef" << 2 << "def";
        QTest::newRow("empty last") << "abc\n\n" << 2 << "";
        QTest::newRow("break only") << "\n" << 1 << "";
    }
    void memoLines() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, last);
        TMemo memo;
        memo.Lines().setText(text);
        QCOMPARE(memo.Lines().Count(), count);
        QCOMPARE(memo.Lines().Strings(count - 1), last);
    }

    // The key handler sees Enter first, and the memo still adds its line break.
    void memoKeyPressBeforeTheBox() {
        TMemo memo;
        memo.Lines().setText(QStringLiteral("abc"));
        QString seenText;
        char seenKey = 0;
        memo.OnKeyPress = [&](char& key) {
            seenKey = key;
            seenText = memo.toPlainText();
        };
        QTest::keyClick(&memo, Qt::Key_Return);
        QCOMPARE(int(seenKey), 13);
        QCOMPARE(seenText, QStringLiteral("abc"));
        QCOMPARE(memo.toPlainText(), QStringLiteral("abc\n"));
        QTest::keyClicks(&memo, QStringLiteral("x"));
        QCOMPARE(int(seenKey), int('x'));
        QCOMPARE(memo.Lines().Strings(memo.Lines().Count() - 1), QStringLiteral("x"));
    }

    void richEditShowsCrLfAsBreaks() {
        TRichEdit pane;
        pane.setText(QStringLiteral("one\r\ntwo\rthree\nfour"));
        QCOMPARE(pane.Text(), QStringLiteral("one\ntwo\nthree\nfour"));
        QVERIFY(pane.isReadOnly());
        QTest::keyClicks(&pane, QStringLiteral("zz"));
        QCOMPARE(pane.Text(), QStringLiteral("one\ntwo\nthree\nfour"));
        pane.setText(QStringLiteral("<b>not bold</b>"));
        QCOMPARE(pane.Text(), QStringLiteral("<b>not bold</b>"));
    }

    // Click only when the user picks a different item; setting ItemIndex raises nothing.
    void radioGroup() {
        TRadioGroup group;
        group.setItemIndex(2); // before the items, as a form definition may set it
        group.setItems(
            {QStringLiteral("Title"), QStringLiteral("Category"), QStringLiteral("Date")});
        group.setColumns(3);
        group.resize(233, 38);
        group.show();
        QCOMPARE(group.ItemIndex(), 2);
        QVERIFY(group.Button(2)->isChecked());
        QSignalSpy clicks(&group, &TRadioGroup::Click);
        group.Button(0)->click();
        QCOMPARE(group.ItemIndex(), 0);
        QCOMPARE(clicks.count(), 1);
        group.Button(0)->click();
        QCOMPARE(clicks.count(), 1);
        group.setItemIndex(1);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(group.Button(1)->isChecked());
        group.setItemIndex(7);
        QCOMPARE(group.ItemIndex(), -1);
        QVERIFY(!group.Button(1)->isChecked());
        QVERIFY(group.Button(0)->x() < group.Button(1)->x());
        QCOMPARE(group.Button(0)->y(), group.Button(2)->y());
    }

    void statusBarPanels() {
        TStatusBar bar;
        bar.setPanelWidths({200, 50});
        QCOMPARE(bar.PanelCount(), 2);
        QCOMPARE(bar.panelWidths(), (QList<int>{200, 50}));
        bar.setPanelText(0, QStringLiteral("Notes:"));
        bar.setPanelText(5, QStringLiteral("ignored"));
        QCOMPARE(bar.PanelText(0), QStringLiteral("Notes:"));
        QCOMPARE(bar.PanelText(1), QString());
    }

    // Offscreen there is no notification area: the icon is kept, active, but never shown.
    void trayIconWithoutNotificationArea() {
        TRxTrayIcon tray;
        tray.setHint(QStringLiteral("Quillbox 1.3"));
        tray.setIcon(QIcon(QStringLiteral(":/icons/quillbox.svg")));
        QCOMPARE(tray.Hint(), QStringLiteral("Quillbox 1.3"));
        QVERIFY(tray.Active());
        QCOMPARE(tray.Visible(), TRxTrayIcon::Available() && !tray.Icon().isNull());
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
