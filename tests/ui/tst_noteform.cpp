#include "editorfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

using namespace editors;

namespace {

const QString Editor = QStringLiteral("TNoteForm");

void seedThree(TData& d) {
    d.AddCategory(TCategory("Work"));
    d.AddCategory(TCategory("Home"));
    d.AddNote("First", "Work", 0, "one");
    d.AddNote("Second", "Home", 0, "two");
    d.AddNote("Third", "Work", 1, "three");
}

TNoteForm* editor(QWidget* w) {
    return static_cast<TNoteForm*>(w);
}

} // namespace

class tst_NoteForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editorForm();
    void keys_data();
    void keys();
    void add_data();
    void add();
    void addWhileFiltered_data();
    void addWhileFiltered();
    void addTwiceGivesTwoNotes();
    void editCategory_data();
    void editCategory();
    void editWritesBack_data();
    void editWritesBack();
    void editCancelled();
    void multiLineBodySurvives();
    void untouchedTextsKeepTheirBytes();
    void deleteNote_data();
    void deleteNote();
    void failedSaveIsReported();
    void tooLong_data();
    void tooLong();
    void idsUsedUp();
};

void tst_NoteForm::editorForm() {
    Session session;
    QCOMPARE(NoteForm->windowTitle(), QStringLiteral("NoteForm"));
    QCOMPARE(NoteForm->size(), QSize(510, 296));
    QCOMPARE(NoteForm->minimumSize(), NoteForm->maximumSize());
    QVERIFY(NoteForm->BitBtn1->isDefault());
    QCOMPARE(NoteForm->ComboBox1->isEditable(), false);
    QCOMPARE(editors::itemTexts(*NoteForm->ComboBox1), (QStringList{"None"}));

    QList<QWidget*> chain;
    QWidget* w = NoteForm->Edit1;
    for (int i = 0; i < 6; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        chain << w;
    }
    const QList<QWidget*> expected{NoteForm->Edit1,   NoteForm->ComboBox1, NoteForm->CheckBox1,
                                   NoteForm->BitBtn1, NoteForm->BitBtn2,   NoteForm->RichEdit1};
    QCOMPARE(chain, expected);

    // The focus goes to the title on every show, wherever it was when the editor last closed.
    for (int round = 0; round < 2; ++round) {
        QWidget* focused = nullptr;
        whenModal(Editor, [&](QWidget* w) {
            focused = w->focusWidget();
            editor(w)->RichEdit1->setFocus();
            editor(w)->BitBtn2->click();
        });
        MainForm->Add1Click();
        QCOMPARE(focused, static_cast<QWidget*>(NoteForm->Edit1));
    }
}

void tst_NoteForm::keys_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("body");

    QTest::newRow("Enter in the title") << "Edit1" << int(Qt::Key_Return) << int(mrOk) << "";
    QTest::newRow("keypad Enter in the title") << "Edit1" << int(Qt::Key_Enter) << int(mrOk) << "";
    QTest::newRow("Enter in the category") << "ComboBox1" << int(Qt::Key_Return) << int(mrOk) << "";
    QTest::newRow("Enter on Closed") << "CheckBox1" << int(Qt::Key_Return) << int(mrOk) << "";
    QTest::newRow("Esc in the title") << "Edit1" << int(Qt::Key_Escape) << int(mrCancel) << "";
    QTest::newRow("Esc in the body") << "RichEdit1" << int(Qt::Key_Escape) << int(mrCancel) << "";
    // Enter in the body is a line break; the editor stays open until Cancel.
    QTest::newRow("Enter in the body")
        << "RichEdit1" << int(Qt::Key_Return) << int(mrCancel) << "\n";
}

void tst_NoteForm::keys() {
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, result);
    QFETCH(QString, body);

    Session session;
    QString bodySeen;
    whenModal(Editor, [&](QWidget* w) {
        auto* target = w->findChild<QWidget*>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        if (w->isVisible()) {
            bodySeen = editor(w)->RichEdit1->toPlainText();
            editor(w)->BitBtn2->click();
        }
    });
    NoteForm->setBody({});
    QCOMPARE(NoteForm->ShowModal(), result);
    if (result == mrCancel)
        QCOMPARE(bodySeen, body);
}

void tst_NoteForm::add_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("added");

    QTest::newRow("menu, OK") << "menu" << true;
    QTest::newRow("toolbar, OK") << "toolbar" << true;
    QTest::newRow("Cancel") << "cancel" << false;
    QTest::newRow("Esc") << "escape" << false;
    QTest::newRow("close box") << "close" << false;
}

void tst_NoteForm::add() {
    QFETCH(QString, how);
    QFETCH(bool, added);

    Session session(seedThree);
    const QByteArray before = fileBytes();
    whenModal(Editor, [&](QWidget* w) {
        TNoteForm* f = editor(w);
        QTest::keyClicks(f->Edit1, QStringLiteral("Buy milk"));
        f->ComboBox1->setCurrentIndex(2); // Home
        QTest::keyClicks(f->RichEdit1, QStringLiteral("full fat"));
        if (how == "cancel")
            f->BitBtn2->click();
        else if (how == "escape")
            QTest::keyClick(f->Edit1, Qt::Key_Escape);
        else if (how == "close")
            f->close();
        else
            QTest::keyClick(f->Edit1, Qt::Key_Return);
    });
    if (how == "toolbar")
        MainForm->BitBtn1->click();
    else
        MainForm->Add1->trigger();

    if (!added) {
        QCOMPARE(Data->Notes.size(), std::size_t(3));
        QCOMPARE(fileBytes(), before);
        return;
    }
    QCOMPARE(Data->Notes.size(), std::size_t(4));
    const TNote& note = Data->Notes.back();
    QCOMPARE(note.Id, 4);
    QCOMPARE(note.Title, TText("Buy milk"));
    QCOMPARE(note.Category, TText("Home"));
    QCOMPARE(note.Body, TText("full fat"));
    QCOMPARE(note.Closed, uint8_t(0));

    const auto saved = reload();
    QCOMPARE(saved->Notes.size(), std::size_t(4));
    QCOMPARE(saved->Notes.back().Title, note.Title);
    QCOMPARE(saved->Notes.back().Date, note.Date);

    // The new note is the last row, current, with its body in the pane.
    TStringGrid* grid = MainForm->StringGrid1;
    QCOMPARE(grid->Row(), grid->RowCount() - 1);
    QCOMPARE(grid->Cells(4, grid->Row()), std::string("4"));
    QCOMPARE(MainForm->RichEdit1->toPlainText(), QStringLiteral("full fat"));
}

void tst_NoteForm::addWhileFiltered_data() {
    QTest::addColumn<bool>("showOpen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("selectedId"); // 0: no note selected

    // Only open notes shown, a closed note added: the last shown row is another note's.
    QTest::newRow("closed note, open shown") << true << "All" << true << 2;
    // Filtered on Work, a note of category None added.
    QTest::newRow("category filter") << true << "Work" << false << 1;
    QTest::newRow("no rows shown") << false << "All" << false << 0;
}

void tst_NoteForm::addWhileFiltered() {
    QFETCH(bool, showOpen);
    QFETCH(QString, filter);
    QFETCH(bool, closed);
    QFETCH(int, selectedId);

    Session session(seedThree);
    if (MainForm->CheckBox1->isChecked() != showOpen)
        MainForm->CheckBox1->click();
    const int filterIndex = MainForm->ComboBox1->findText(filter);
    MainForm->ComboBox1->setCurrentIndex(filterIndex);
    Data->FillGrid();

    whenModal(Editor, [&](QWidget* w) {
        QTest::keyClicks(editor(w)->Edit1, QStringLiteral("Hidden"));
        if (closed)
            editor(w)->CheckBox1->setChecked(true);
        editor(w)->BitBtn1->click();
    });
    MainForm->Add1Click();

    QCOMPARE(Data->Notes.size(), std::size_t(4));
    QCOMPARE(Data->Notes.back().Category, TText("None"));
    const TNote* selected = Data->SelectedNote();
    QCOMPARE(selected ? selected->Id : 0, selectedId);
}

void tst_NoteForm::addTwiceGivesTwoNotes() {
    Session session;
    for (int i = 0; i < 2; ++i) {
        whenModal(Editor, [](QWidget* w) {
            QTest::keyClicks(editor(w)->Edit1, QStringLiteral("Same"));
            editor(w)->BitBtn1->click();
        });
        MainForm->Add1Click();
    }
    const auto saved = reload();
    QCOMPARE(saved->Notes.size(), std::size_t(2));
    QCOMPARE(saved->Notes[0].Id, 1);
    QCOMPARE(saved->Notes[1].Id, 2);
    QCOMPARE(saved->Notes[1].Title, TText("Same"));
}

void tst_NoteForm::editCategory_data() {
    QTest::addColumn<QByteArray>("category");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("stored");

    // The editor's list is: None, Work, work, Home, Straße, and Café from a Windows-1252 file.
    QTest::newRow("same letters") << QByteArray("Home") << 3 << QByteArray("Home");
    QTest::newRow("other letter case") << QByteArray("HOME") << 3 << QByteArray("Home");
    QTest::newRow("case twins: the first") << QByteArray("WORK") << 1 << QByteArray("Work");
    QTest::newRow("lower-case twin") << QByteArray("work") << 1 << QByteArray("Work");
    QTest::newRow("None") << QByteArray("none") << 0 << QByteArray("None");
    QTest::newRow("accented, case") << QByteArray("STRAßE") << 4 << QByteArray("Straße");
    QTest::newRow("ß is not ss") << QByteArray("STRASSE") << -1 << QByteArray();
    QTest::newRow("Windows-1252, case") << QByteArray("CAF\xc9") << 5 << QByteArray("Caf\xe9");
    QTest::newRow("deleted category") << QByteArray("Garden") << -1 << QByteArray();
    QTest::newRow("empty category") << QByteArray() << -1 << QByteArray();
}

void tst_NoteForm::editCategory() {
    QFETCH(QByteArray, category);
    QFETCH(int, index);
    QFETCH(QByteArray, stored);

    Session session([&](TData& d) {
        for (const char* name : {"Work", "work", "Home", "Straße", "Caf\xe9"})
            d.AddCategory(TCategory(name));
        d.AddNote("Note", category.toStdString(), 0, "");
    });
    int shown = -2;
    whenModal(Editor, [&](QWidget* w) {
        shown = editor(w)->ComboBox1->currentIndex();
        editor(w)->BitBtn1->click();
    });
    MainForm->Edit2Click();
    QCOMPARE(shown, index);
    QCOMPARE(reload()->Notes.front().Category, stored.toStdString());
}

void tst_NoteForm::editWritesBack_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("toolbar") << "toolbar";
    QTest::newRow("double-click") << "double-click";
}

void tst_NoteForm::editWritesBack() {
    QFETCH(QString, how);

    Session session(seedThree);
    MainForm->CheckBox2->click(); // closed notes shown too
    MainForm->StringGrid1->setRow(2);
    const TNote before = *Data->SelectedNote();
    QCOMPARE(before.Id, 2);

    QString titleShown;
    whenModal(Editor, [&](QWidget* w) {
        TNoteForm* f = editor(w);
        titleShown = f->Edit1->text();
        f->Edit1->setText(QStringLiteral("Second, changed"));
        f->CheckBox1->setChecked(true);
        f->ComboBox1->setCurrentIndex(1); // Work
        f->RichEdit1->setPlainText(QStringLiteral("new\nbody"));
        f->BitBtn1->click();
    });
    if (how == "menu")
        MainForm->Edit2->trigger();
    else if (how == "toolbar")
        MainForm->BitBtn2->click();
    else
        Q_EMIT MainForm->StringGrid1->DblClick();

    QCOMPARE(titleShown, QStringLiteral("Second"));
    const auto saved = reload();
    QCOMPARE(saved->Notes.size(), std::size_t(3));
    const TNote& note = saved->Notes[1];
    QCOMPARE(note.Id, before.Id);
    QCOMPARE(note.Date, before.Date);
    QCOMPARE(note.Title, TText("Second, changed"));
    QCOMPARE(note.Category, TText("Work"));
    QCOMPARE(note.Body, TText("new\r\nbody"));
    QCOMPARE(note.Closed, uint8_t(1));
    QCOMPARE(MainForm->StringGrid1->Cells(1, 2), std::string("Second, changed"));
}

void tst_NoteForm::editCancelled() {
    Session session(seedThree);
    const QByteArray before = fileBytes();
    whenModal(Editor, [&](QWidget* w) {
        editor(w)->Edit1->setText(QStringLiteral("changed"));
        editor(w)->CheckBox1->setChecked(true);
        QTest::keyClick(editor(w)->RichEdit1, Qt::Key_Escape);
    });
    MainForm->Edit2Click();
    QCOMPARE(Data->Notes.front().Title, TText("First"));
    QCOMPARE(Data->Notes.front().Closed, uint8_t(0));
    QCOMPARE(fileBytes(), before);

    // No selected note: no editor, nothing saved.
    Data->SearchNotes("no such text");
    QVERIFY(!Data->SelectedNote());
    MainForm->Edit2Click();
    QVERIFY(!NoteForm->isVisible());
    QCOMPARE(fileBytes(), before);
}

void tst_NoteForm::multiLineBodySurvives() {
    Session session([](TData& d) { d.AddNote("Lines", "None", 0, "one\r\ntwo\r\n\r\nfour"); });
    int lines = 0;
    whenModal(Editor, [&](QWidget* w) {
        QPlainTextEdit* body = editor(w)->RichEdit1;
        lines = body->blockCount();
        body->moveCursor(QTextCursor::End);
        body->setFocus();
        QTest::keyClick(body, Qt::Key_Return);
        QTest::keyClicks(body, QStringLiteral("five"));
        editor(w)->BitBtn1->click();
    });
    MainForm->Edit2Click();
    QCOMPARE(lines, 4);
    QCOMPARE(reload()->Notes.front().Body, TText("one\r\ntwo\r\n\r\nfour\r\nfive"));
}

void tst_NoteForm::untouchedTextsKeepTheirBytes() {
    // A title from a Windows-1252 file; a body with a non-breaking space and lone line breaks.
    const TText title = "Caf\xe9";
    const TText body = "a\xc2\xa0"
                       "b\rc\nd";
    Session session([&](TData& d) { d.AddNote(title, "None", 0, body); });
    whenModal(Editor, [](QWidget* w) {
        editor(w)->CheckBox1->setChecked(true);
        editor(w)->BitBtn1->click();
    });
    MainForm->Edit2Click();
    const auto saved = reload();
    QCOMPARE(saved->Notes.front().Title, title);
    QCOMPARE(saved->Notes.front().Body, body);
    QCOMPARE(saved->Notes.front().Closed, uint8_t(1));
}

void tst_NoteForm::deleteNote_data() {
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("notesLeft");
    QTest::addColumn<bool>("saved");

    QTest::newRow("Yes") << true << "Yes" << 2 << true;
    QTest::newRow("No") << true << "No" << 3 << false;
    QTest::newRow("box closed") << true << "none" << 3 << false;
    QTest::newRow("nothing selected, Yes") << false << "Yes" << 3 << true;
}

void tst_NoteForm::deleteNote() {
    QFETCH(bool, selected);
    QFETCH(QString, answer);
    QFETCH(int, notesLeft);
    QFETCH(bool, saved);

    Session session(seedThree);
    if (!selected)
        Data->SearchNotes("no such text");
    const QByteArray before = fileBytes();
    // The file is removed so that a save shows, even one that writes the same bytes.
    QFile::remove(QString::fromLatin1(TData::FileName));

    Box box;
    answerBox(answer, box);
    MainForm->BitBtn3->click();

    QCOMPARE(box.shown, 1);
    QCOMPARE(box.text, QStringLiteral("Are you sure?"));
    QCOMPARE(box.caption, QStringLiteral("Delete Note"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, (QStringList{"No", "Yes"}));
    QCOMPARE(int(Data->Notes.size()), notesLeft);
    QCOMPARE(QFile::exists(QString::fromLatin1(TData::FileName)), saved);
    if (saved) {
        QCOMPARE(int(reload()->Notes.size()), notesLeft);
        if (notesLeft == 3)
            QCOMPARE(fileBytes(), before);
    }
}

void tst_NoteForm::failedSaveIsReported() {
    Session session(seedThree);
    // A current directory that no longer exists can't take the data file, even for root.
    QDir(session.path()).mkdir(QStringLiteral("gone"));
    QVERIFY(QDir::setCurrent(session.path() + QStringLiteral("/gone")));
    QVERIFY(QDir(session.path()).rmdir(QStringLiteral("gone")));
    const QByteArray before = fileBytes(session.path() + QStringLiteral("/Quillbox.dat"));

    Box box;
    whenModal(Editor, [&](QWidget* w) {
        QTest::keyClicks(editor(w)->Edit1, QStringLiteral("Kept"));
        answerBox(QStringLiteral("OK"), box);
        editor(w)->BitBtn1->click();
    });
    MainForm->Add1Click();

    QCOMPARE(box.shown, 1);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.text.contains(QStringLiteral("could not be saved")), qPrintable(box.text));
    QVERIFY2(box.text.contains(session.path() + QStringLiteral("/gone")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("no longer exists")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("kept in memory")), qPrintable(box.text));

    QCOMPARE(Data->Notes.back().Title, TText("Kept"));
    QCOMPARE(MainForm->StringGrid1->Cells(1, MainForm->StringGrid1->Row()), std::string("Kept"));
    QCOMPARE(fileBytes(session.path() + QStringLiteral("/Quillbox.dat")), before);
    QCOMPARE(QDir(session.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"Quillbox.dat"}));

    // Back in a directory that exists, the next save writes the change.
    QVERIFY(QDir::setCurrent(session.path()));
    QVERIFY(Data->Save().ok);
    QCOMPARE(reload()->Notes.back().Title, TText("Kept"));
}

void tst_NoteForm::tooLong_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("excess"); // empty: the text fits

    const QString most(65534, QLatin1Char('x'));
    QTest::newRow("title at the limit") << "title" << most << "";
    QTest::newRow("title one byte over") << "title" << most + "x"
                                         << "1 more";
    QTest::newRow("title over in UTF-8") << "title" << QString(32768, QChar(0xe9)) << "2 more";
    QTest::newRow("body at the limit") << "body" << most << "";
    // Each line break takes two bytes in the file.
    QTest::newRow("body over by its line breaks")
        << "body" << QString(32767, QLatin1Char('\n')) + "ab"
        << "2 more";
}

void tst_NoteForm::tooLong() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, excess);

    Session session;
    Box box;
    bool stayedOpen = false;
    whenModal(Editor, [&](QWidget* w) {
        TNoteForm* f = editor(w);
        if (field == "title")
            f->Edit1->setText(text);
        else
            f->RichEdit1->setPlainText(text);
        if (!excess.isEmpty())
            answerBox(QStringLiteral("OK"), box);
        f->BitBtn1->click();
        stayedOpen = f->isVisible();
        if (stayedOpen)
            f->BitBtn2->click();
    });
    MainForm->Add1Click();

    if (excess.isEmpty()) {
        QVERIFY(!stayedOpen);
        QCOMPARE(box.shown, 0);
        QCOMPARE(Data->Notes.size(), std::size_t(1));
        const TNote& note = Data->Notes.front();
        QCOMPARE((field == "title" ? note.Title : note.Body).size(), std::size_t(65534));
        return;
    }
    QVERIFY(stayedOpen);
    QCOMPARE(box.shown, 1);
    QVERIFY2(box.text.contains(QStringLiteral("The %1 is too long").arg(field)),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(excess), qPrintable(box.text));
    QVERIFY(Data->Notes.empty());
}

void tst_NoteForm::idsUsedUp() {
    Session session(seedThree);
    Data->LastId = std::numeric_limits<int32_t>::max();
    const QByteArray before = fileBytes();
    Box box;
    whenModal(Editor, [&](QWidget* w) {
        QTest::keyClicks(editor(w)->Edit1, QStringLiteral("One too many"));
        answerBox(QStringLiteral("OK"), box);
        editor(w)->BitBtn1->click();
    });
    MainForm->Add1Click();
    QCOMPARE(box.shown, 1);
    QVERIFY2(box.text.contains(QStringLiteral("not added")), qPrintable(box.text));
    QCOMPARE(Data->Notes.size(), std::size_t(3));
    QCOMPARE(fileBytes(), before);
}

QTEST_MAIN(tst_NoteForm)
#include "tst_noteform.moc"
