// File > Publish... on the real main window: the save dialog, the listed notes reaching the page,
// and a page that can't be written told in a message box.
#include "platform/screen.h"
#include "platform/stringgrid.h"
#include "store/data.h"
#include "store/datetime.h"
#include "support/files.h"
#include "support/modal.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using support::whenModal;

// What the save dialog showed when it came up.
struct Shown {
    QString title;
    QStringList filters;
    QString suffix;
    QString selected;
};

// Answers the save dialog: types `name` in `folder` and saves, or cancels when name is empty.
void answerSaveDialog(const QString& folder, const QString& name, Shown& shown,
                      const std::function<void()>& beforeSave = {}) {
    whenModal(QStringLiteral("SaveDialog"), [=, &shown](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        shown = {dialog->windowTitle(), dialog->nameFilters(), dialog->defaultSuffix(),
                 dialog->selectedFiles().value(0)};
        if (name.isEmpty())
            dialog->reject();
        else
            support::typeAndSave(dialog, folder, name, beforeSave);
    });
}

QStringList pageTitles(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no page>")};
    const QString page = QString::fromUtf8(file.readAll());
    QStringList titles;
    auto it = QRegularExpression(QStringLiteral("#NOTE\\d+'>(.*)</a></td>\r\n")).globalMatch(page);
    while (it.hasNext())
        titles << it.next().captured(1);
    return titles;
}

QStringList gridTitles() {
    QStringList titles;
    const TStringGrid& grid = *MainForm->StringGrid1;
    for (int row = 1; row < grid.RowCount(); ++row)
        titles << QString::fromStdString(grid.Cells(1, row));
    return titles;
}

} // namespace

class TestPublishCommand : public QObject {
    Q_OBJECT

    support::ScratchDir m_home; // the current directory, holding the data file
    QTemporaryDir m_out;        // where pages are published

private Q_SLOTS:
    void initTestCase() {
        Clock = [] {
            return std::time_t(1796911509);
        };
        QVERIFY(m_home.entered());
        {
            TData seed;
            seed.AddNote("Groceries", "Home", 0, "Milk\r\nBread");
            seed.AddNote("Taxes", "Work", 1, "File them");
            seed.AddNote("Milk run", "Home", 0, "");
            seed.AddNote("Old milk", "Home", 1, "Gone");
            QVERIFY(seed.Save().ok);
        }
    }
    void cleanupTestCase() { Clock = nullptr; }
    void init() {
        StartUp();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }
    void cleanup() { ShutDown(); }

    // The dialog as set up, a name typed without extension, the last name kept, and a cancel.
    void publishThroughDialog() {
        Shown shown;
        answerSaveDialog(m_out.path(), "page", shown);
        MainForm->Publish1->trigger();
        const QString page = m_out.filePath("page.htm");
        QCOMPARE(shown.title, QStringLiteral("Publish Notes"));
        QCOMPARE(shown.filters, QStringList{"HTML (*.htm)"});
        QCOMPARE(shown.suffix, QStringLiteral("htm"));
        QVERIFY(QFile::exists(page));
        QCOMPARE(pageTitles(page), (QStringList{"Groceries", "Milk run"}));
        QCOMPARE(QDir::currentPath(), m_home.path());
        QCOMPARE(Screen->Cursor(), crDefault);

        // The page lands beside the data file's folder, never moving it.
        QVERIFY(Data->Save().ok);
        QVERIFY(QFile::exists(m_home.filePath(TData::FileName)));
        QVERIFY(!QFile::exists(m_out.filePath(TData::FileName)));

        // Replacing a page asks first, as file dialogs on Linux do; Yes replaces it.
        QFile old(page);
        QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("old");
        old.close();
        QString question;
        answerSaveDialog(m_out.path(), "page.htm", shown);
        whenModal({}, [&question](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        MainForm->Publish1->trigger();
        QVERIFY2(question.contains("already exists"), qPrintable(question));
        QCOMPARE(pageTitles(page), (QStringList{"Groceries", "Milk run"}));

        QVERIFY(QFile::remove(page));
        answerSaveDialog(m_out.path(), {}, shown);
        MainForm->Publish1->trigger();
        QCOMPARE(shown.selected, page);
        QVERIFY(!QFile::exists(page));
    }

    // Exactly the listed notes, in list order, after a filter or a find.
    void listedNotesOnly_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("open") << true << false << "" << QStringList{"Groceries", "Milk run"};
        QTest::newRow("closed only") << false << true << "" << QStringList{"Taxes", "Old milk"};
        QTest::newRow("both") << true << true << ""
                              << QStringList{"Groceries", "Taxes", "Milk run", "Old milk"};
        QTest::newRow("find") << true << false << "Milk" << QStringList{"Groceries", "Milk run"};
        QTest::newRow("find, case matters") << true << true << "milk" << QStringList{"Old milk"};
        QTest::newRow("none listed") << false << false << "" << QStringList{};
    }
    void listedNotesOnly() {
        QFETCH(bool, open);
        QFETCH(bool, closed);
        QFETCH(QString, find);
        QFETCH(QStringList, titles);
        if (MainForm->CheckBox1->isChecked() != open)
            QTest::mouseClick(MainForm->CheckBox1, Qt::LeftButton);
        if (MainForm->CheckBox2->isChecked() != closed)
            QTest::mouseClick(MainForm->CheckBox2, Qt::LeftButton);
        if (!find.isEmpty()) {
            QTest::keyClicks(MainForm->Memo1, find);
            QTest::keyClick(MainForm->Memo1, Qt::Key_Return);
        }
        QCOMPARE(gridTitles(), titles);

        const QString name =
            QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-') + ".htm";
        Shown shown;
        answerSaveDialog(m_out.path(), name, shown);
        MainForm->Publish1->trigger();
        QCOMPARE(pageTitles(m_out.filePath(name)), titles);
    }

    // A page that can't be written is told, naming the path and why; nothing is left there.
    void failureIsTold() {
        const QString folder = m_out.filePath("gone");
        QVERIFY(QDir().mkpath(folder));
        Shown shown;
        answerSaveDialog(folder, "page.htm", shown, [folder] { QDir(folder).removeRecursively(); });
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModal(QStringLiteral("MessageBox"), [&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            box->buttons().value(0)->click();
        });
        MainForm->Publish1->trigger();
        QTRY_VERIFY(!text.isEmpty());
        QCOMPARE(caption, QStringLiteral("Publish Notes"));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY2(text.contains(QDir::toNativeSeparators(folder + "/page.htm")), qPrintable(text));
        QVERIFY2(text.contains("No such file or directory", Qt::CaseInsensitive), qPrintable(text));
        QVERIFY(!QFile::exists(folder));
        QCOMPARE(Screen->Cursor(), crDefault);
        QCOMPARE(QDir::currentPath(), m_home.path());
    }
};

QTEST_MAIN(TestPublishCommand)
#include "tst_publishcommand.moc"
