#include "editorfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

using namespace editors;

namespace {

const QString Dialog = QStringLiteral("TCategoryForm");

TCategoryForm* dialog(QWidget* w) {
    return static_cast<TCategoryForm*>(w);
}

QStringList names(const TData& data) {
    QStringList list;
    for (const TCategory& c : data.Categories)
        list << QString::fromUtf8(c.Name.data(), qsizetype(c.Name.size()));
    return list;
}

// Puts `text` into the name box as typing would and presses Enter.
void enterName(TCategoryForm* f, const QString& text) {
    f->Memo1->setFocus();
    f->Memo1->insert(text);
    QTest::keyClick(f->Memo1, Qt::Key_Return);
}

} // namespace

class tst_CategoryForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialogForm();
    void addName_data();
    void addName();
    void emptyNameAddsNothing_data();
    void emptyNameAddsNothing();
    void deleteCategory_data();
    void deleteCategory();
    void filterKeepsItsRows();
    void failedSaveIsReported();
    void tooLongName();
    void closing_data();
    void closing();
};

void tst_CategoryForm::dialogForm() {
    Session session([](TData& d) { d.AddCategory(TCategory("Work")); });
    QCOMPARE(CategoryForm->windowTitle(), QStringLiteral("Categories"));
    QCOMPARE(CategoryForm->size(), QSize(232, 215));
    QCOMPARE(CategoryForm->minimumSize(), CategoryForm->maximumSize());
    QVERIFY(CategoryForm->BitBtn1->isDefault());
    QCOMPARE(CategoryForm->BitBtn1->text(), QStringLiteral("Delete"));
    QCOMPARE(CategoryForm->BitBtn2->text(), QStringLiteral("&Close"));

    // Each show puts the focus in the name box and resets nothing else.
    QWidget* focused = nullptr;
    whenModal(Dialog, [](QWidget* w) {
        QTest::keyClicks(dialog(w)->Memo1, QStringLiteral("half typed"));
        dialog(w)->ListBox1->setCurrentRow(0);
        dialog(w)->ListBox1->setFocus();
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1->trigger();
    whenModal(Dialog, [&](QWidget* w) {
        focused = w->focusWidget();
        dialog(w)->BitBtn2->click();
    });
    MainForm->BitBtn4->click();
    QCOMPARE(focused, static_cast<QWidget*>(CategoryForm->Memo1));
    QCOMPARE(CategoryForm->Memo1->text(), QStringLiteral("half typed"));
    QCOMPARE(CategoryForm->ListBox1->selectedItems().size(), 1);
}

void tst_CategoryForm::addName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");

    // The store starts with Work and Home.
    QTest::newRow("new name") << "Garden" << QStringList{"Work", "Home", "Garden"};
    QTest::newRow("spaces kept") << "  Garden  " << QStringList{"Work", "Home", "  Garden  "};
    QTest::newRow("only spaces") << "   " << QStringList{"Work", "Home", "   "};
    QTest::newRow("letter-case twin") << "work" << QStringList{"Work", "Home", "work"};
    QTest::newRow("named like the fixed items") << "None" << QStringList{"Work", "Home", "None"};
    QTest::newRow("not ASCII") << "Küche" << QStringList{"Work", "Home", "Küche"};
    QTest::newRow("duplicate") << "Home" << QStringList{"Work", "Home"};
}

void tst_CategoryForm::addName() {
    QFETCH(QString, typed);
    QFETCH(QStringList, listed);

    Session session([](TData& d) {
        d.AddCategory(TCategory("Work"));
        d.AddCategory(TCategory("Home"));
    });
    // Pickers away from their first item, to see the refresh put them back.
    NoteForm->ComboBox1->setCurrentIndex(1);
    MainForm->ComboBox1->setCurrentIndex(1);
    // The file is removed so that the save shows, even one that writes the same bytes.
    QFile::remove(QString::fromLatin1(TData::FileName));

    QString boxText = QStringLiteral("unset");
    QWidget* focused = nullptr;
    bool open = false;
    whenModal(Dialog, [&](QWidget* w) {
        enterName(dialog(w), typed);
        boxText = dialog(w)->Memo1->text();
        focused = w->focusWidget();
        open = w->isVisible();
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();

    QVERIFY(open);
    QCOMPARE(boxText, QString());
    QCOMPARE(focused, static_cast<QWidget*>(CategoryForm->Memo1));
    QCOMPARE(names(*Data), listed);
    QCOMPARE(names(*reload()), listed);
    QCOMPARE(itemTexts(*CategoryForm->ListBox1), listed);
    QVERIFY(CategoryForm->ListBox1->selectedItems().isEmpty());
    QCOMPARE(itemTexts(*NoteForm->ComboBox1), QStringList{"None"} + listed);
    QCOMPARE(NoteForm->ComboBox1->currentIndex(), 0);
    QCOMPARE(itemTexts(*MainForm->ComboBox1), QStringList{"All"} + listed);
    QCOMPARE(MainForm->ComboBox1->currentIndex(), 0);
}

void tst_CategoryForm::emptyNameAddsNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty box") << "";
    QTest::newRow("empty last line") << "Work\n\n";
}

void tst_CategoryForm::emptyNameAddsNothing() {
    QFETCH(QString, text);

    Session session([](TData& d) { d.AddCategory(TCategory("Home")); });
    QFile::remove(QString::fromLatin1(TData::FileName));
    QString boxText = QStringLiteral("unset");
    Box stray;
    whenModal(Dialog, [&](QWidget* w) {
        // Enter in the name box belongs to the box: it never reaches Delete.
        dialog(w)->ListBox1->setCurrentRow(0);
        const QPointer<QTimer> watch = answerBox(QStringLiteral("No"), stray);
        dialog(w)->Memo1->setText(text);
        QTest::keyClick(dialog(w)->Memo1, Qt::Key_Return);
        delete watch;
        boxText = dialog(w)->Memo1->text();
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();
    QCOMPARE(stray.shown, 0);
    QCOMPARE(boxText, QString());
    QCOMPARE(names(*Data), QStringList{"Home"});
    QVERIFY(!QFile::exists(QString::fromLatin1(TData::FileName)));
}

void tst_CategoryForm::deleteCategory_data() {
    QTest::addColumn<int>("row"); // -1: nothing selected
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("left");

    const QStringList all{"Work", "work", " Home "};
    QTest::newRow("Enter in the list, Yes") << 1 << "enter"
                                            << "Yes" << QStringList{"Work", " Home "};
    QTest::newRow("button, Yes") << 2 << "click"
                                 << "Yes" << QStringList{"Work", "work"};
    QTest::newRow("Enter in the list, No") << 0 << "enter"
                                           << "No" << all;
    QTest::newRow("nothing selected") << -1 << "enter"
                                      << "" << all;
}

void tst_CategoryForm::deleteCategory() {
    QFETCH(int, row);
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(QStringList, left);

    Session session([](TData& d) {
        for (const char* name : {"Work", "work", " Home "})
            d.AddCategory(TCategory(name));
        d.AddNote("Uses work", "work", 0, "");
    });
    const QByteArray before = fileBytes();
    Box box;
    bool open = false;
    whenModal(Dialog, [&](QWidget* w) {
        QListWidget* list = dialog(w)->ListBox1;
        list->setFocus();
        if (row >= 0)
            list->setCurrentRow(row);
        if (!answer.isEmpty())
            answerBox(answer, box);
        if (how == "enter")
            QTest::keyClick(list, Qt::Key_Return);
        else
            dialog(w)->BitBtn1->click();
        open = w->isVisible();
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();

    QVERIFY2(open, "Delete closed the dialog");
    QCOMPARE(box.shown, answer.isEmpty() ? 0 : 1);
    if (box.shown) {
        QCOMPARE(box.text, QStringLiteral("Are you sure?"));
        QCOMPARE(box.caption, QStringLiteral("Delete Category"));
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, (QStringList{"No", "Yes"}));
    }
    QCOMPARE(names(*Data), left);
    QCOMPARE(itemTexts(*CategoryForm->ListBox1), left);
    QCOMPARE(itemTexts(*MainForm->ComboBox1), QStringList{"All"} + left);
    const auto saved = reload();
    QCOMPARE(names(*saved), left);
    QCOMPARE(saved->Notes.front().Category, TText("work"));
    if (answer != "Yes")
        QCOMPARE(fileBytes(), before);
}

void tst_CategoryForm::filterKeepsItsRows() {
    Session session([](TData& d) {
        d.AddCategory(TCategory("Work"));
        d.AddCategory(TCategory("Home"));
        d.AddNote("A", "Work", 0, "");
        d.AddNote("B", "Home", 0, "");
        d.AddNote("C", "Work", 0, "");
    });
    MainForm->ComboBox1->setCurrentIndex(1);
    Q_EMIT MainForm->ComboBox1->activated(1);
    TStringGrid* grid = MainForm->StringGrid1;
    QCOMPARE(grid->RowCount(), 3);

    QSignalSpy changed(MainForm->ComboBox1, &QComboBox::currentIndexChanged);
    whenModal(Dialog, [](QWidget* w) {
        enterName(dialog(w), QStringLiteral("Garden"));
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();

    QCOMPARE(MainForm->ComboBox1->currentText(), QStringLiteral("All"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(grid->RowCount(), 3);
    QCOMPARE(grid->Cells(1, 2), std::string("C"));
}

void tst_CategoryForm::failedSaveIsReported() {
    Session session;
    QDir(session.path()).mkdir(QStringLiteral("gone"));
    QVERIFY(QDir::setCurrent(session.path() + QStringLiteral("/gone")));
    QVERIFY(QDir(session.path()).rmdir(QStringLiteral("gone")));

    Box box;
    whenModal(Dialog, [&](QWidget* w) {
        answerBox(QStringLiteral("OK"), box);
        enterName(dialog(w), QStringLiteral("Work"));
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();

    QCOMPARE(box.shown, 1);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.text.contains(QStringLiteral("could not be saved")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("kept in memory")), qPrintable(box.text));
    QCOMPARE(names(*Data), QStringList{"Work"});
    QCOMPARE(itemTexts(*CategoryForm->ListBox1), QStringList{"Work"});
    QVERIFY(QDir(session.path()).isEmpty());
}

void tst_CategoryForm::tooLongName() {
    Session session;
    const QString name(65535, QLatin1Char('n'));
    Box box;
    QString boxText;
    whenModal(Dialog, [&](QWidget* w) {
        dialog(w)->Memo1->setText(name);
        answerBox(QStringLiteral("OK"), box);
        QTest::keyClick(dialog(w)->Memo1, Qt::Key_Return);
        boxText = dialog(w)->Memo1->text();
        // At the limit the name is taken.
        dialog(w)->Memo1->backspace();
        QTest::keyClick(dialog(w)->Memo1, Qt::Key_Return);
        dialog(w)->BitBtn2->click();
    });
    MainForm->Categories1Click();

    QCOMPARE(box.shown, 1);
    QVERIFY2(box.text.contains(QStringLiteral("category name is too long")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("1 more")), qPrintable(box.text));
    QCOMPARE(boxText, name);
    QCOMPARE(Data->Categories.size(), std::size_t(1));
    QCOMPARE(Data->Categories.front().Name.size(), std::size_t(65534));
    QCOMPARE(reload()->Categories.front().Name.size(), std::size_t(65534));
}

void tst_CategoryForm::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Close") << "close";
    QTest::newRow("Alt+C") << "alt-c";
    QTest::newRow("Esc") << "escape";
}

void tst_CategoryForm::closing() {
    QFETCH(QString, how);

    Session session;
    whenModal(Dialog, [&](QWidget* w) {
        if (how == "close")
            dialog(w)->BitBtn2->click();
        else if (how == "alt-c")
            QTest::keyClick(dialog(w)->ListBox1, Qt::Key_C, Qt::AltModifier);
        else
            QTest::keyClick(dialog(w)->Memo1, Qt::Key_Escape);
    });
    MainForm->Categories1Click();
    QVERIFY(!CategoryForm->isVisible());
}

QTEST_MAIN(tst_CategoryForm)
#include "tst_categoryform.moc"
