#include "platform/application.h"
#include "platform/qrprinter.h"
#include "platform/screen.h"
#include "platform/trayicon.h"
#include "store/data.h"
#include "support/files.h"
#include "support/modal.h"
#include "ui/aboutform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <memory>

namespace {
using Seen = support::Box;

// Answers the next message box with its OK button, after noting its text.
void answerBox(Seen& seen) {
    support::answerBox(QStringLiteral("OK"), seen);
}

struct Row {
    int id;
    const char* title;
    const char* category;
    bool closed;
    const char* body;
};

QStringList column(int col) {
    QStringList cells;
    const TStringGrid& grid = *MainForm->StringGrid1;
    if (grid.FixedRows() == 0) // the title row alone
        return cells;
    for (int r = 1; r < grid.RowCount(); ++r)
        cells << QString::fromStdString(grid.Cells(col, r));
    return cells;
}

QString status() {
    return MainForm->StatusBar1->PanelText(0);
}
} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

    std::unique_ptr<support::ScratchDir> m_dir;

    void start() {
        StartUp();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }

    // Puts notes and categories into the started program's store and lists them.
    static void load(const std::vector<Row>& rows, const QStringList& categories) {
        for (const QString& c : categories)
            Data->AddCategory(TCategory(c.toStdString()));
        for (const Row& r : rows) {
            Data->Notes.push_back(TNote(r.id, r.title, r.category, r.closed ? 1 : 0, r.body));
            Data->LastId = std::max(Data->LastId, r.id);
        }
        Data->RefreshCategoryPickers();
        Data->FillGrid();
    }

    static void writeDataFile(int notes, const QStringList& categories) {
        TData data;
        for (const QString& c : categories)
            data.AddCategory(TCategory(c.toStdString()));
        for (int i = 1; i <= notes; ++i)
            data.AddNote("Note " + std::to_string(i),
                         categories.value(i % categories.size()).toStdString(), i % 3 == 0 ? 1 : 0,
                         "Body " + std::to_string(i) + "\r\nsecond line");
        QVERIFY(data.Save().ok);
    }

    static void pickFilter(const QString& text) {
        const int i = MainForm->ComboBox1->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        MainForm->ComboBox1->setCurrentIndex(i);
        MainForm->ComboBox1Change();
    }

    static void pressEnterInFind(const QString& typed) {
        MainForm->Memo1->setFocus();
        MainForm->Memo1->Lines().setText(typed);
        QTest::keyClick(MainForm->Memo1, Qt::Key_Return);
    }

    // Ten notes: ids 1..10, odd ones open, categories alternating Work/Home, bodies "body N".
    static std::vector<Row> tenNotes() {
        static const char* titles[] = {"n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8", "n9", "n10"};
        static const char* bodies[] = {"body 1", "body 2", "body 3", "body 4", "body 5",
                                       "body 6", "body 7", "body 8", "body 9", "body 10"};
        std::vector<Row> rows;
        for (int i = 0; i < 10; ++i)
            rows.push_back({i + 1, titles[i], i % 2 ? "Home" : "Work", i % 2 == 1, bodies[i]});
        return rows;
    }

private Q_SLOTS:
    void initTestCase() { Application = new TApplication(qApp); }

    void init() {
        m_dir = std::make_unique<support::ScratchDir>();
        QVERIFY(m_dir->entered());
    }

    void cleanup() {
        ShutDown();
        m_dir.reset();
    }

    // Before the first show every form exists with its constructor's work done.
    void constructionBeforeTheFirstShow() {
        writeDataFile(2, {QStringLiteral("Work")});
        StartUp();
        QVERIFY(MainForm && CategoryForm && NoteForm && ReportForm && PreviewForm && AboutForm);
        QCOMPARE(Application->MainForm(), static_cast<QWidget*>(MainForm));
        QCOMPARE(Application->Title(), QStringLiteral("Quillbox 1.3"));
        QCOMPARE(Application->HelpFile(), QStringLiteral("quillbox.hlp"));
        QCOMPARE(MainForm->windowTitle(), QStringLiteral("Quillbox 1.3"));
        QCOMPARE(MainForm->RxTrayIcon1->Hint(), QStringLiteral("Quillbox 1.3"));
        QVERIFY(MainForm->RxTrayIcon1->Active());
        QCOMPARE(AboutForm->Memo1->document()->findBlockByNumber(2).text(),
                 QStringLiteral("Quillbox 1.3"));
        QCOMPARE(AboutForm->Memo1->document()->blockCount(), 7);
        QVERIFY(QRPrinter->OnPreview);
        QVERIFY(Application->OnMinimize);
        QVERIFY(Data->Notes.empty());
        QCOMPARE(MainForm->StatusBar1->PanelText(0), QStringLiteral("Notes:"));
        MainForm->show(); // the data file is read at the first show, once
        QCOMPARE(Data->Notes.size(), std::size_t(2));
        MainForm->hide();
        MainForm->show();
        QCOMPARE(Data->Notes.size(), std::size_t(2));
    }

    void firstRunWithoutDataFile() {
        start();
        QVERIFY(!QApplication::activeModalWidget());
        const QRect screen = MainForm->screen()->availableGeometry();
        QVERIFY(qAbs(MainForm->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(MainForm->frameGeometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(MainForm->ComboBox1->currentText(), QStringLiteral("All"));
        QCOMPARE(MainForm->ComboBox1->count(), 1);
        QVERIFY(MainForm->CheckBox1->isChecked());
        QVERIFY(!MainForm->CheckBox2->isChecked());
        QCOMPARE(MainForm->RadioGroup1->ItemIndex(), 2);
        const TStringGrid& grid = *MainForm->StringGrid1;
        QCOMPARE(grid.RowCount(), 1);
        QCOMPARE(grid.FixedRows(), 0);
        QCOMPARE(grid.Row(), 0);
        QCOMPARE(grid.Cells(4, 0), std::string("ID"));
        QVERIFY(MainForm->RichEdit1->Text().isEmpty());
        QCOMPARE(status(), QStringLiteral("Notes: 0 (Open - 0, Closed - 0)"));
        QVERIFY(!QFile::exists(TData::FileName));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(Screen->Cursor(), crDefault);
    }

    void startUpWithDataFile() {
        writeDataFile(5, {QStringLiteral("Work"), QStringLiteral("Home")});
        start();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(MainForm->ComboBox1->count(), 3);
        QCOMPARE(MainForm->ComboBox1->currentText(), QStringLiteral("All"));
        QCOMPARE(MainForm->StringGrid1->FixedRows(), 1);
        QCOMPARE(MainForm->StringGrid1->Row(), 1);
        QCOMPARE(column(4), (QStringList{"1", "2", "4", "5"}));
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("Body 1\nsecond line"));
        QCOMPARE(status(), QStringLiteral("Notes: 5 (Open - 4, Closed - 1)"));
        QVERIFY(!QApplication::overrideCursor());
    }

    // A damaged file is told with what was read and where the original is kept; so is an
    // unreadable one, with the reason.
    void startUpWithBadDataFile_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("damaged") << false
                                 << QStringList{"damaged", "3 notes", "2 categories",
                                                "Quillbox.dat.damaged"};
        QTest::newRow("unreadable") << true << QStringList{"could not be read", "folder"};
    }
    void startUpWithBadDataFile() {
        QFETCH(bool, folder);
        QFETCH(QStringList, told);
        if (folder) {
            QVERIFY(QDir().mkdir(TData::FileName));
        } else {
            writeDataFile(4, {QStringLiteral("Work"), QStringLiteral("Home")});
            QFile file(TData::FileName);
            QVERIFY(file.resize(file.size() - 5)); // cuts the fourth note short
        }
        Seen seen;
        answerBox(seen);
        start();
        QTRY_COMPARE(seen.shown, 1);
        for (const QString& words : told)
            QVERIFY2(seen.text.contains(words), qPrintable(seen.text + " lacks " + words));
        if (!folder) {
            QCOMPARE(Data->Notes.size(), std::size_t(3));
            QVERIFY(QFile::exists(QStringLiteral("Quillbox.dat.damaged")));
            QCOMPARE(status(), QStringLiteral("Notes: 3 (Open - 2, Closed - 1)"));
        }
    }

    // The list panel at its defined size, with the labels at their widths on the first platform.
    void listPanelLayout() {
        start();
        MainForm->Label2->resize(23, MainForm->Label2->height());
        MainForm->Label1->resize(26, MainForm->Label1->height());
        MainForm->Panel3->resize(592, 217);
        MainForm->Panel3Resize();
        QCOMPARE(MainForm->RadioGroup1->pos(), QPoint(4, 4));
        QCOMPARE(MainForm->GroupBox1->pos(), QPoint(459, 4));
        QCOMPARE(MainForm->Label2->pos(), QPoint(4, 192));
        QCOMPARE(MainForm->Memo1->pos(), QPoint(27, 192));
        QCOMPARE(MainForm->ComboBox1->pos(), QPoint(443, 192));
        QCOMPARE(MainForm->Label1->pos(), QPoint(413, 192));
        QCOMPARE(MainForm->StringGrid1->geometry(), QRect(4, 46, 584, 142));
        const TStringGrid& grid = *MainForm->StringGrid1;
        QCOMPARE((QList<int>{grid.ColWidths(0), grid.ColWidths(1), grid.ColWidths(2),
                             grid.ColWidths(3), grid.ColWidths(4)}),
                 (QList<int>{58, 262, 87, 175, 58}));
        MainForm->Panel2->resize(592, 73);
        MainForm->Panel2Resize();
        QCOMPARE(MainForm->RichEdit1->geometry(), QRect(4, 4, 584, 65));
    }

    // At start the panels have their defined sizes; a resize of the window lays them out again.
    void panelsFollowTheWindow() {
        start();
        QCOMPARE(MainForm->Panel3->size(), QSize(592, 217));
        QCOMPARE(MainForm->Panel2->size(), QSize(592, 73));
        QCOMPARE(MainForm->Panel1->height(), 36);
        QCOMPARE(MainForm->StatusBar1->height(), 25);
        MainForm->resize(MainForm->width() + 100, MainForm->height() + 50);
        QTRY_COMPARE(MainForm->StringGrid1->width(), MainForm->Panel3->width() - 8);
        QCOMPARE(MainForm->RichEdit1->width(), MainForm->Panel2->width() - 8);
        QCOMPARE(MainForm->GroupBox1->x(),
                 MainForm->Panel3->width() - MainForm->GroupBox1->width() - 4);
        QCOMPARE(MainForm->Label2->y(), MainForm->Panel3->height() - MainForm->Memo1->height() - 4);
    }

    void toolbarToggle() {
        start();
        const int panel = MainForm->Panel3->height();
        const int grid = MainForm->StringGrid1->height();
        const int findRow = MainForm->Label2->y();
        MainForm->Toolbar1->trigger();
        QVERIFY(!MainForm->Toolbar1->isChecked());
        QVERIFY(MainForm->Panel1->isHidden());
        QTRY_COMPARE(MainForm->Panel3->height(), panel + 36);
        QCOMPARE(MainForm->StringGrid1->height(), grid + 36);
        QCOMPARE(MainForm->Label2->y(), findRow + 36);
        QCOMPARE(MainForm->Panel2->height(), 73);
        MainForm->Toolbar1->trigger();
        QVERIFY(MainForm->Toolbar1->isChecked());
        QVERIFY(!MainForm->Panel1->isHidden());
        QTRY_COMPARE(MainForm->Panel3->height(), panel);
    }

    // Either panel can be dragged down to nothing.
    void splitterLimits() {
        start();
        QSplitter& splitter = *MainForm->RxSplitter1;
        QCOMPARE(splitter.handleWidth(), 3);
        const int total = MainForm->Panel3->height() + MainForm->Panel2->height();
        splitter.setSizes({total, 0});
        QTRY_COMPARE(MainForm->Panel2->height(), 0);
        QCOMPARE(MainForm->RichEdit1->height(), 0);
        splitter.setSizes({0, total});
        QTRY_COMPARE(MainForm->Panel3->height(), 0);
        splitter.setSizes({total - 73, 73});
        QTRY_COMPARE(MainForm->Panel2->height(), 73);
        QCOMPARE(MainForm->RichEdit1->height(), 65);
    }

    void menus() {
        start();
        const QList<QAction*> top = MainForm->MainMenu1->actions();
        QStringList titles;
        for (QAction* a : top)
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&View", "&Note", "&Help"}));
        const auto items = [](QMenu* menu) {
            QStringList texts;
            for (QAction* a : menu->actions()) {
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (!a->shortcut().isEmpty())
                    texts << QStringLiteral("shortcut!");
            }
            return texts;
        };
        QCOMPARE(items(MainForm->File1), (QStringList{"&Print...", "P&ublish...", "-", "E&xit"}));
        QCOMPARE(items(MainForm->View1), (QStringList{"&Toolbar"}));
        QCOMPARE(items(MainForm->Note1),
                 (QStringList{"&Add", "&Edit", "&Delete", "-", "&Categories..."}));
        QCOMPARE(items(MainForm->Help1), (QStringList{"&Contents", "-", "&About..."}));
        QVERIFY(MainForm->Toolbar1->isChecked());
    }

    void aboutBoxShowsAgainAndAgain() {
        start();
        for (int i = 0; i < 2; ++i) {
            bool shown = false;
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                shown = modal == AboutForm;
                if (auto* ok = modal ? modal->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))
                                     : nullptr)
                    ok->click();
            });
            MainForm->About1Click();
            QVERIFY(shown);
            QVERIFY(!AboutForm->isVisible());
        }
    }

    void helpFileMissingIsTold() {
        start();
        Seen seen;
        answerBox(seen);
        MainForm->Contents1->trigger();
        QCOMPARE(seen.shown, 1);
        QVERIFY2(seen.text.contains(QStringLiteral("quillbox.hlp")), qPrintable(seen.text));
    }

    // With a notification area minimising hides the window, and the icon's double-click
    // brings it back without loading the data file again. Without one, minimising must keep
    // the window reachable.
    void minimiseAndRestore_data() {
        QTest::addColumn<bool>("tray");
        QTest::newRow("notification area") << true;
        QTest::newRow("none") << false;
    }
    void minimiseAndRestore() {
        QFETCH(bool, tray);
        TRxTrayIcon::setAvailableOverride(tray ? 1 : 0);
        writeDataFile(3, {QStringLiteral("Work")});
        start();
        MainForm->showMinimized();
        QTRY_VERIFY(MainForm->isMinimized());
        QTRY_COMPARE(MainForm->isHidden(), tray);
        QTest::qWait(20);
        QCOMPARE(MainForm->isHidden(), tray);
        MainForm->RxTrayIcon1->DblClick();
        QTRY_VERIFY(MainForm->isVisible());
        QVERIFY(!MainForm->isMinimized());
        QCOMPARE(Data->Notes.size(), std::size_t(3));
        QCOMPARE(column(4).size(), 2);
        TRxTrayIcon::setAvailableOverride(-1);
    }

    void exitCloses() {
        start();
        MainForm->Exit1->trigger();
        QVERIFY(!MainForm->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void filters_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("filter"); // 0 "All", 1 Work, 2 Home, 3 the category named All
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("open, all")
            << true << false << 0 << QStringList{"1", "3", "5", "7", "9", "11"};
        QTest::newRow("closed, all") << false << true << 0 << QStringList{"2", "4", "6", "8", "10"};
        QTest::newRow("open, Work") << true << false << 1 << QStringList{"1", "3", "5", "7", "9"};
        QTest::newRow("both, Home") << true << true << 2 << QStringList{"2", "4", "6", "8", "10"};
        QTest::newRow("open, Home") << true << false << 2 << QStringList{};
        QTest::newRow("neither") << false << false << 0 << QStringList{};
        QTest::newRow("category named All")
            << true << true << 3
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    }
    // Note 11's category is in no filter item: only "All" lists it. The counts cover every note.
    void filters() {
        QFETCH(bool, open);
        QFETCH(bool, closed);
        QFETCH(int, filter);
        QFETCH(QStringList, ids);
        start();
        auto rows = tenNotes();
        rows.push_back({11, "gone", "Deleted", false, "b"});
        load(rows, {QStringLiteral("Work"), QStringLiteral("Home"), QStringLiteral("All")});
        MainForm->CheckBox1->setChecked(open);
        MainForm->CheckBox2->setChecked(closed);
        MainForm->ComboBox1->setCurrentIndex(filter);
        MainForm->ComboBox1Change();
        QCOMPARE(column(4), ids);
        QCOMPARE(status(), QStringLiteral("Notes: 11 (Open - 6, Closed - 5)"));
        const TStringGrid& grid = *MainForm->StringGrid1;
        QCOMPARE(grid.FixedRows(), ids.isEmpty() ? 0 : 1);
        QCOMPARE(grid.Row(), ids.isEmpty() ? 0 : 1);
        QCOMPARE(grid.Cells(1, 0), std::string("Title"));
        if (ids.isEmpty())
            QVERIFY(MainForm->RichEdit1->Text().isEmpty());
        else
            QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("body ") + ids.front());
    }

    // The selection keeps its position, clamped to the rows there are.
    void rememberedRow() {
        start();
        std::vector<Row> rows;
        static const char* bodies[] = {"b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8", "b9", "b10"};
        for (int i = 1; i <= 10; ++i)
            rows.push_back({i, "t", i <= 7 ? "A" : "B", false, bodies[i - 1]});
        load(rows, {QStringLiteral("A"), QStringLiteral("B")});
        MainForm->StringGrid1->setRow(5);
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("b5"));
        pickFilter(QStringLiteral("B"));
        QCOMPARE(MainForm->StringGrid1->RowCount(), 4);
        QCOMPARE(MainForm->StringGrid1->Row(), 3);
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("b10"));
        pickFilter(QStringLiteral("All"));
        QCOMPARE(MainForm->StringGrid1->Row(), 3);
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("b3"));
        MainForm->CheckBox1->setChecked(false);
        MainForm->CheckBox1Click();
        QCOMPARE(MainForm->StringGrid1->Row(), 0);
        MainForm->CheckBox1->setChecked(true);
        MainForm->CheckBox1Click();
        QCOMPARE(MainForm->StringGrid1->Row(), 1);
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("b1"));
    }

    void find_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("boxAfter");
        QTest::newRow("title or body, closed too")
            << "abc" << QStringList{"1", "2", "4"} << "abc\n";
        QTest::newRow("case-sensitive") << "ABC" << QStringList{"3"} << "ABC\n";
        QTest::newRow("last line only") << "zzz\nabc" << QStringList{"1", "2", "4"} << "abc\n";
        QTest::newRow("no match") << "qqq" << QStringList{} << "qqq\n";
    }
    void find() {
        QFETCH(QString, typed);
        QFETCH(QStringList, ids);
        QFETCH(QString, boxAfter);
        start();
        load({{1, "abc title", "Work", false, "x"},
              {2, "other", "Home", true, "has abc inside"},
              {3, "ABC", "Work", false, "ABC only"},
              {4, "xabcx", "Home", false, ""},
              {5, "none", "Work", false, "nothing"}},
             {QStringLiteral("Work"), QStringLiteral("Home")});
        const QString statusBefore = status();
        const QString bodyBefore = MainForm->RichEdit1->Text();
        pressEnterInFind(typed);
        QCOMPARE(column(4), ids);
        QCOMPARE(status(), statusBefore);
        QCOMPARE(MainForm->RichEdit1->Text(), bodyBefore);
        QCOMPARE(MainForm->Memo1->toPlainText(), boxAfter); // Enter reaches the box
        const TStringGrid& grid = *MainForm->StringGrid1;
        QCOMPARE(grid.Row(), ids.isEmpty() ? 0 : 1);
        QCOMPARE(grid.FixedRows(), ids.isEmpty() ? 0 : 1);
        if (ids.isEmpty())
            QVERIFY(!Data->SelectedNote());
        // Enter again repeats the search.
        QTest::keyClick(MainForm->Memo1, Qt::Key_Return);
        QCOMPARE(column(4), ids);
    }

    void enterOnEmptyFindRestoresTheList() {
        start();
        load(tenNotes(), {QStringLiteral("Work"), QStringLiteral("Home")});
        pressEnterInFind(QStringLiteral("body 2"));
        QCOMPARE(column(4), (QStringList{"2"}));
        Data->Notes.removeAll(TNote(9));
        MainForm->Memo1->clear();
        QTest::keyClick(MainForm->Memo1, Qt::Key_Return);
        QCOMPARE(column(4), (QStringList{"1", "3", "5", "7"}));
        QCOMPARE(status(), QStringLiteral("Notes: 9 (Open - 4, Closed - 5)"));
        QCOMPARE(MainForm->Memo1->toPlainText(), QStringLiteral("\n"));
    }

    void otherKeysAreLeftToTheFindBox() {
        start();
        load(tenNotes(), {QStringLiteral("Work")});
        QTest::keyClicks(MainForm->Memo1, QStringLiteral("n1"));
        QCOMPARE(MainForm->Memo1->toPlainText(), QStringLiteral("n1"));
        QCOMPARE(column(4).size(), 5);
    }

    void selectedNoteFromTheIdCell_data() {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<int>("id");
        QTest::newRow("plain") << QByteArray("3") << 3;
        QTest::newRow("blanks and sign") << QByteArray(" \t+3") << 3;
        QTest::newRow("digits then text") << QByteArray("12abc") << 12;
        QTest::newRow("negative id") << QByteArray("-7") << -7;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("no digits") << QByteArray("abc") << 0;
        QTest::newRow("too large") << QByteArray("99999999999999999999") << -1;
        QTest::newRow("just beyond 32 bits") << QByteArray("2147483651") << -1;
    }
    void selectedNoteFromTheIdCell() {
        QFETCH(QByteArray, cell);
        QFETCH(int, id);
        start();
        load({{3, "three", "", false, "b3"},
              {12, "twelve", "", false, "b12"},
              {-7, "minus", "", false, "b-7"},
              {0, "zero", "", false, "b0"},
              {INT32_MIN + 5, "low", "", false, "low"}},
             {});
        MainForm->StringGrid1->setRow(2);
        MainForm->StringGrid1->setCells(4, 2, cell.toStdString());
        const TNote* note = Data->SelectedNote();
        if (id == -1) {
            QVERIFY(!note);
        } else {
            QVERIFY(note);
            QCOMPARE(note->Id, id);
            QCOMPARE(note, Data->FindNote(id));
        }
    }

    void noSelectedNoteOnTheTitleRow() {
        start();
        load({}, {});
        QVERIFY(!Data->SelectedNote());
        Data->DeleteSelectedNote();
        MainForm->RichEdit1->setText(QStringLiteral("kept"));
        MainForm->StringGrid1Click();
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("kept"));
    }

    // Two notes with one id: the first is selected, and deleting either removes both.
    void duplicateIds() {
        start();
        load({{4, "first", "", false, "first body"},
              {5, "other", "", false, "o"},
              {4, "second", "", false, "second body"}},
             {});
        MainForm->StringGrid1->setRow(3);
        QCOMPARE(Data->SelectedNote()->Title, std::string("first"));
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral("first body"));
        Data->DeleteSelectedNote();
        QCOMPARE(Data->Notes.size(), std::size_t(1));
        QCOMPARE(Data->Notes[0].Id, 5);
    }

    // The sort reads the radio group through the hook; text order is byte order.
    void sortChoice() {
        start();
        load({{1, "apple", "b", false, ""},
              {2, "Zebra", "a", false, ""},
              {3, "app", "b", false, ""},
              {4, "Apple", "a", false, ""}},
             {});
        MainForm->RadioGroup1->Button(0)->click();
        QCOMPARE(column(1), (QStringList{"Apple", "Zebra", "app", "apple"}));
        MainForm->RadioGroup1->Button(1)->click();
        QCOMPARE(column(1), (QStringList{"Apple", "Zebra", "app", "apple"}));
        QCOMPARE(column(2), (QStringList{"a", "a", "b", "b"}));
        MainForm->RadioGroup1->Button(2)->click();
        QCOMPARE(column(4), (QStringList{"1", "2", "3", "4"}));
        MainForm->RadioGroup1->setItemIndex(0);
        QCOMPARE(Data->SortChoice(), 0);
    }

    void textsShownAsTheirEncoding() {
        start();
        load({{1, "caf\xE9", "Caf\xC3\xA9s", false, "line\r\ncr\xE8me"}},
             {QStringLiteral(u"Cafés")});
        pickFilter(QStringLiteral(u"Cafés"));
        QCOMPARE(column(4), (QStringList{"1"}));
        QCOMPARE(MainForm->StringGrid1->CellModel()->index(0, 1).data().toString(),
                 QStringLiteral(u"café"));
        QCOMPARE(MainForm->RichEdit1->Text(), QStringLiteral(u"line\ncrème"));
    }

    void hourGlassIsBalanced() {
        start();
        {
            THourGlass wait;
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
        Screen->setCursor(crDefault);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
