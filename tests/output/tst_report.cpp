// The printed report of the listed notes and its preview window, driven through the real forms.
#include "output/previewform.h"
#include "output/reportform.h"
#include "platform/application.h"
#include "platform/qrpreview.h"
#include "platform/qrprinter.h"
#include "platform/report.h"
#include "platform/stringgrid.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

const QSizeF A4(794, 1123);

struct Listed {
    std::string title;
    std::string body;
    bool closed = false;
};

// Puts notes in the store and lists them in the main window's grid, in the order given.
std::vector<int32_t> listNotes(const std::vector<Listed>& notes) {
    std::vector<int32_t> ids;
    for (const Listed& note : notes) {
        Data->AddNote(note.title, "Work", note.closed ? 1 : 0, note.body);
        ids.push_back(Data->LastId);
    }
    TStringGrid* grid = MainForm->StringGrid1;
    grid->setRowCount(int(ids.size()) + 1);
    for (size_t i = 0; i < ids.size(); ++i) {
        grid->setCells(1, int(i) + 1, notes[i].title);
        grid->setCells(4, int(i) + 1, std::to_string(ids[i]));
    }
    return ids;
}

std::vector<Listed> manyNotes(int count, int bodyLines) {
    std::vector<Listed> notes;
    for (int i = 0; i < count; ++i) {
        std::string body;
        for (int l = 0; l < bodyLines; ++l)
            body += (l ? "\r\n" : "") + std::string("Body line ") + std::to_string(l);
        notes.push_back({"Note " + std::to_string(i), body});
    }
    return notes;
}

struct Record {
    QString status, title, category, date;
    int memoHeight, bandHeight;
};

// Asks the report for records until it has none, as preparing it does.
std::vector<Record> drain(bool& ended) {
    std::vector<Record> records;
    ended = false;
    for (int guard = 0; guard < 10000; ++guard) {
        bool more = false;
        ReportForm->QuickReport1NeedData(ReportForm->QuickReport1, more);
        if (!more) {
            ended = true;
            break;
        }
        records.push_back({ReportForm->QRLabel2->Caption(), ReportForm->QRLabel7->Caption(),
                           ReportForm->QRLabel8->Caption(), ReportForm->QRLabel9->Caption(),
                           ReportForm->QRMemo1->Height, ReportForm->QRBand2->Height});
    }
    return records;
}

// Runs `check` on the modal preview window once it shows, then closes it.
void whilePreviewShows(const std::function<void(TPreviewForm*)>& check) {
    QTimer::singleShot(0, [check] {
        auto* form = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
        QVERIFY2(form, "the preview window is not showing");
        check(form);
        QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
    });
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, process.errorString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfPageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                    pdf, QStringLiteral("-")});
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void bandHeights_data();
    void bandHeights();
    void recordsInListOrderThenBackToFirstRow();
    void rowWithoutNoteIsPassedOver();
    void reportFollowsTheFind();
    void pagesCarryHeaderAndKeepBandsWhole();
    void previewPageLabel_data();
    void previewPageLabel();
    void previewStartsAtPageOneAndZoom75();
    void zoomChoice_data();
    void zoomChoice();
    void toolbarFollowsPanelWidth();
    void printsPreparedPagesToPdf();
    void printsToChosenFileWhenNoPrinter();
    void printFailureIsReported();
    void setupChoiceAppliesToLaterReports();

private:
    QTemporaryDir m_dir;
};

void TestReport::initTestCase() {
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
}

void TestReport::init() {
    StartUp();
    ReportRow = 1;
    ReportForm->QuickReport1->setPaperSize(A4);
}

void TestReport::cleanup() {
    ShutDown();
    QRPrinter->ReleasePrinter();
}

void TestReport::bandHeights_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("memoHeight");
    QTest::addColumn<int>("bandHeight");
    QTest::newRow("empty body") << QByteArray() << 0 << 23;
    QTest::newRow("one line") << QByteArray("Only line") << 26 << 49;
    QTest::newRow("two lines") << QByteArray("First\r\nSecond") << 39 << 62;
    QTest::newRow("three lines") << QByteArray("One\r\nTwo\r\nThree") << 52 << 75;
    QTest::newRow("ends in a break") << QByteArray("One\r\nTwo\r\n") << 39 << 62;
    QTest::newRow("empty lines count") << QByteArray("One\r\n\r\nThree") << 52 << 75;
    // 80 words are far wider than the memo: the wrapped pieces count as lines.
    QTest::newRow("wrapped line") << QByteArray("word ").repeated(80) << -1 << -1;
    // Beyond six lines the memo grows with the line spacing so its text stays in the band.
    QTest::newRow("twenty lines") << QByteArray("line\r\n").repeated(20) << -2 << -2;
}

void TestReport::bandHeights() {
    QFETCH(QByteArray, body);
    QFETCH(int, memoHeight);
    QFETCH(int, bandHeight);
    listNotes({{"A title", body.toStdString(), true}});

    bool ended = false;
    const std::vector<Record> records = drain(ended);
    QVERIFY(ended);
    QCOMPARE(int(records.size()), 1);
    const Record& r = records.front();
    QCOMPARE(r.status, QStringLiteral("Closed"));
    QCOMPARE(r.title, QStringLiteral("A title"));
    QCOMPARE(r.category, QStringLiteral("Work"));
    QCOMPARE(r.date, QString::fromStdString(Data->FindNote(Data->LastId)->Date));

    // The record's memo still holds its laid-out text after the end call.
    ReportForm->QRMemo1->setText(QString::fromUtf8(body));
    const int k = ReportForm->QRMemo1->LineCount();
    if (memoHeight == -1) {
        QVERIFY2(k >= 3, qPrintable(QString::number(k)));
        memoHeight = 13 * (k + 1);
        bandHeight = memoHeight + 23;
    } else if (memoHeight == -2) {
        QCOMPARE(k, 20);
        QVERIFY(r.memoHeight >= 13 * 21);
        QVERIFY(r.memoHeight >= int(ReportForm->QRMemo1->TextHeight()) + 1);
        memoHeight = r.memoHeight;
        bandHeight = memoHeight + 23;
    }
    QCOMPARE(r.memoHeight, memoHeight);
    QCOMPARE(r.bandHeight, bandHeight);
    // Only the memo's lines below the band's top line: the text stays inside the band.
    if (k > 0)
        QVERIFY(24 + ReportForm->QRMemo1->TextHeight() <= r.bandHeight);
}

void TestReport::recordsInListOrderThenBackToFirstRow() {
    listNotes({{"Gamma", "g"}, {"Alpha", "", true}, {"Beta", "b\r\nb"}});
    for (int round = 0; round < 2; ++round) {
        bool ended = false;
        const std::vector<Record> records = drain(ended);
        QVERIFY(ended);
        QCOMPARE(int(records.size()), 3);
        QCOMPARE(records[0].title, QStringLiteral("Gamma"));
        QCOMPARE(records[0].status, QStringLiteral("Open"));
        QCOMPARE(records[1].title, QStringLiteral("Alpha"));
        QCOMPARE(records[1].status, QStringLiteral("Closed"));
        QCOMPARE(records[2].title, QStringLiteral("Beta"));
        QCOMPARE(ReportRow, 1);
    }

    // An empty list: the first call ends the report.
    MainForm->StringGrid1->setRowCount(1);
    bool ended = false;
    QVERIFY(drain(ended).empty());
    QVERIFY(ended);
    QCOMPARE(ReportRow, 1);
}

void TestReport::rowWithoutNoteIsPassedOver() {
    listNotes({{"First", ""}, {"Second", ""}, {"Third", ""}, {"Fourth", ""}});
    TStringGrid* grid = MainForm->StringGrid1;
    grid->setCells(4, 2, "9999"); // no such note
    grid->setCells(4, 3, "");     // reads as 0
    bool ended = false;
    const std::vector<Record> records = drain(ended);
    QVERIFY(ended);
    QCOMPARE(int(records.size()), 2);
    QCOMPARE(records[0].title, QStringLiteral("First"));
    QCOMPARE(records[1].title, QStringLiteral("Fourth"));
    QCOMPARE(ReportRow, 1);

    grid->setCells(4, 4, "junk");
    grid->setCells(4, 1, "99999999999999999999");
    QVERIFY(drain(ended).empty());
    QVERIFY(ended);
}

void TestReport::reportFollowsTheFind() {
    Data->AddNote("Shopping list", "Home", 0, "milk\r\nneedle and thread");
    Data->AddNote("Budget", "Work", 0, "numbers");
    Data->AddNote("Sewing", "Home", 1, "a needle");
    Data->AddNote("Garden", "Home", 0, "roses");
    Data->SearchNotes("needle");
    QCOMPARE(MainForm->StringGrid1->RowCount(), 3);

    ReportForm->QuickReport1->Prepare();
    QStringList titles;
    const TQuickReport& report = *ReportForm->QuickReport1;
    for (int p = 0; p < report.PageCount(); ++p)
        for (const TQRItem& item : report.page(p).Items)
            if (item.Rect.left() == 95 && item.Rect.top() >= 97)
                titles << item.Text;
    titles.sort();
    QCOMPARE(titles, (QStringList{QStringLiteral("Sewing"), QStringLiteral("Shopping list")}));
}

void TestReport::pagesCarryHeaderAndKeepBandsWhole() {
    listNotes(manyNotes(100, 3));
    TQuickReport& report = *ReportForm->QuickReport1;
    report.Prepare();
    // 75-pixel records under a 97-pixel header: 13 to an A4 page.
    QCOMPARE(report.PageCount(), 8);
    int records = 0;
    for (int p = 0; p < report.PageCount(); ++p) {
        QStringList texts;
        int lastTitleTop = -1;
        for (const TQRItem& item : report.page(p).Items) {
            texts << item.Text;
            QVERIFY2(item.Rect.bottom() <= A4.height(), qPrintable(item.Text));
            if (item.Text.startsWith(QLatin1String("Note "))) {
                ++records;
                lastTitleTop = int(item.Rect.top());
            }
        }
        for (const char* heading : {"Quillbox 1.3", "Status", "Title", "Category", "Date", "Page"})
            QVERIFY2(texts.contains(QLatin1String(heading)), heading);
        QVERIFY(texts.contains(QString::number(p + 1)));
        // The last record's body lines are on its own page.
        QVERIFY(texts.endsWith(QStringLiteral("Body line 2")));
        QVERIFY(lastTitleTop > 0);
    }
    QCOMPARE(records, 100);
}

void TestReport::previewPageLabel_data() {
    QTest::addColumn<int>("notes");
    QTest::addColumn<QStringList>("labels"); // at each page after Next clicks
    QTest::newRow("one page") << 1 << QStringList{QStringLiteral("Page 1 of 1")};
    QTest::newRow("three pages") << 30
                                 << QStringList{QStringLiteral("Page 1 of 3"),
                                                QStringLiteral("Page 2 of 3"),
                                                QStringLiteral("Page 3 of 3")};
}

void TestReport::previewPageLabel() {
    QFETCH(int, notes);
    QFETCH(QStringList, labels);
    listNotes(manyNotes(notes, 3));
    const int pages = int(labels.size());
    QStringList seen;
    bool checked = false;
    whilePreviewShows([&](TPreviewForm* form) {
        QCOMPARE(form->Report, ReportForm->QuickReport1);
        QCOMPARE(form->Report->PageCount(), pages);
        for (int page = 1; page <= pages; ++page) {
            seen << form->Label2->text();
            QCOMPARE(form->QRPreview1->PageNumber(), page);
            QCOMPARE(form->BitBtn3->isEnabled(), page != 1);
            QCOMPARE(form->BitBtn4->isEnabled(), page < pages);
            // The label keeps its right edge 8 pixels from the panel's.
            QCOMPARE(form->Label2->geometry().right() + 1, form->Panel1->width() - 8);
            if (page < pages)
                QTest::mouseClick(form->BitBtn4, Qt::LeftButton);
        }
        if (pages > 1) {
            QTest::mouseClick(form->BitBtn3, Qt::LeftButton);
            QCOMPARE(form->QRPreview1->PageNumber(), pages - 1);
            QCOMPARE(form->Label2->text(), labels[pages - 2]);
            QVERIFY(form->BitBtn4->isEnabled());
        }
        checked = true;
    });
    MainForm->Print1Click();
    QVERIFY(checked);
    QCOMPARE(seen, labels);
    QCOMPARE(ReportForm->QuickReport1->PageCount(), 0); // discarded when the preview closed
}

void TestReport::previewStartsAtPageOneAndZoom75() {
    listNotes(manyNotes(30, 3));
    whilePreviewShows([](TPreviewForm* form) {
        QTest::mouseClick(form->BitBtn4, Qt::LeftButton);
        QTest::mouseClick(form->BitBtn4, Qt::LeftButton);
        form->ComboBox1->setCurrentIndex(0);
        QCOMPARE(form->QRPreview1->Zoom(), 200);
    });
    MainForm->Print1Click();

    // A smaller report next time: page 1 of it, at 75%.
    listNotes(manyNotes(14, 3));
    bool checked = false;
    whilePreviewShows([&](TPreviewForm* form) {
        QCOMPARE(form->QRPreview1->PageNumber(), 1);
        QCOMPARE(form->Label2->text(), QStringLiteral("Page 1 of 2"));
        QCOMPARE(form->QRPreview1->Zoom(), 75);
        QCOMPARE(form->ComboBox1->currentText(), QStringLiteral("75%"));
        QVERIFY(!form->BitBtn3->isEnabled());
        QVERIFY(form->BitBtn4->isEnabled());
        const QPoint off =
            form->frameGeometry().center() - form->screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 2, "the preview window is not centred on the screen");
        checked = true;
    });
    MainForm->Print1Click();
    QVERIFY(checked);
}

void TestReport::zoomChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("zoom");
    QTest::newRow("200%") << 0 << 200;
    QTest::newRow("150%") << 1 << 150;
    QTest::newRow("100%") << 2 << 100;
    QTest::newRow("75%") << 3 << 75;
    QTest::newRow("50%") << 4 << 50;
    QTest::newRow("25%") << 5 << 25;
    QTest::newRow("nothing chosen") << -1 << 50;
}

void TestReport::zoomChoice() {
    QFETCH(int, index);
    QFETCH(int, zoom);
    listNotes(manyNotes(30, 3));
    bool checked = false;
    whilePreviewShows([&](TPreviewForm* form) {
        form->ComboBox1->setCurrentIndex(4);
        QTest::mouseClick(form->BitBtn4, Qt::LeftButton);
        const QString label = form->Label2->text();
        form->ComboBox1->setCurrentIndex(index);
        QCOMPARE(form->QRPreview1->Zoom(), zoom);
        QCOMPARE(form->QRPreview1->widget()->width(), qRound(A4.width() * zoom / 100.0));
        QCOMPARE(form->Label2->text(), label);
        QCOMPARE(form->QRPreview1->PageNumber(), 2);
        checked = true;
    });
    MainForm->Print1Click();
    QVERIFY(checked);
}

void TestReport::toolbarFollowsPanelWidth() {
    listNotes(manyNotes(1, 1));
    bool checked = false;
    whilePreviewShows([&](TPreviewForm* form) {
        form->resize(808, form->height());
        QTRY_COMPARE(form->Panel1->width(), 808);
        QCOMPARE(form->ComboBox1->x(), 731);
        QCOMPARE(form->Label1->x(), 731 - form->Label1->width() - 4);
        QCOMPARE(form->Label1->width(), 30);
        QCOMPARE(form->Label1->x(), 697);
        QCOMPARE(form->Label2->x(), 808 - 8 - form->Label2->width());
        QCOMPARE(form->BitBtn1->pos(), QPoint(8, 8));
        QCOMPARE(form->BitBtn4->pos(), QPoint(296, 8));
        checked = true;
    });
    MainForm->Print1Click();
    QVERIFY(checked);
}

void TestReport::printsPreparedPagesToPdf() {
    listNotes(manyNotes(30, 3));
    const QString pdf = m_dir.filePath(QStringLiteral("chosen.pdf"));
    // What choosing a PDF file in the printer setup dialog leaves behind.
    QRPrinter->Printer().setOutputFormat(QPrinter::PdfFormat);
    QRPrinter->Printer().setOutputFileName(pdf);
    QRPrinter->setChosen(true);

    int prepared = 0;
    whilePreviewShows([&](TPreviewForm* form) {
        prepared = form->Report->PageCount();
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QCOMPARE(ReportRow, 1); // no records asked for again
        QVERIFY(QFile::exists(pdf));
        QFile::rename(pdf, pdf + QStringLiteral(".first"));
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QCOMPARE(form->Report->PageCount(), prepared);
    });
    MainForm->Print1Click();

    QCOMPARE(prepared, 3);
    for (const QString& file : {pdf + QStringLiteral(".first"), pdf}) {
        QCOMPARE(pdfPages(file), prepared);
        int found = 0;
        for (int page = 1; page <= prepared; ++page) {
            const QString text = pdfPageText(file, page);
            QVERIFY2(text.contains(QStringLiteral("Quillbox 1.3")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Page %1").arg(page)) ||
                         text.contains(QRegularExpression(QStringLiteral("Page\\s+%1").arg(page))),
                     qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Body line 2")), qPrintable(text));
            found += int(text.count(QRegularExpression(QStringLiteral("Note \\d+\\b"))));
        }
        QCOMPARE(found, 30);
        QVERIFY(pdfPageText(file, 1).contains(QStringLiteral("Note 0 ")));
        QVERIFY(pdfPageText(file, prepared).contains(QStringLiteral("Note 29")));
    }
}

void TestReport::printsToChosenFileWhenNoPrinter() {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer: printing would go to it");
    listNotes(manyNotes(2, 1));
    const QString pdf = m_dir.filePath(QStringLiteral("asked.pdf"));
    bool asked = false;
    whilePreviewShows([&](TPreviewForm* form) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY2(dialog && dialog->objectName() == QLatin1String("PdfFileDialog"),
                     "no file dialog");
            asked = true;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("asked")); // the .pdf is added
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QVERIFY(asked);
        QCOMPARE(pdfPages(pdf), 1);

        // Cancelling the question prints nothing.
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QFile::remove(pdf);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(QApplication::activeModalWidget(), form);
    });
    QDir::setCurrent(m_dir.path());
    MainForm->Print1Click();
    QVERIFY(asked);
}

void TestReport::printFailureIsReported() {
    listNotes(manyNotes(2, 1));
    QRPrinter->Printer().setOutputFormat(QPrinter::PdfFormat);
    QRPrinter->Printer().setOutputFileName(
        m_dir.filePath(QStringLiteral("no/such/folder/report.pdf")));
    QRPrinter->setChosen(true);
    QString message;
    whilePreviewShows([&](TPreviewForm* form) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY2(box, "no message about the failed printing");
            message = box->text();
            box->accept();
        });
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QCOMPARE(QApplication::activeModalWidget(), form); // the preview stays open
    });
    MainForm->Print1Click();
    QVERIFY2(message.contains(QStringLiteral("could not be printed")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("report.pdf")), qPrintable(message));
}

void TestReport::setupChoiceAppliesToLaterReports() {
    listNotes(manyNotes(2, 1));
    TQuickReport& report = *ReportForm->QuickReport1;
    report.setPaperSize(QSizeF()); // the printer's paper
    bool opened = false;
    whilePreviewShows([&](TPreviewForm* form) {
        // Cancelled: nothing chosen.
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QLatin1String("PrinterSetupDialog"));
            opened = true;
            QRPrinter->Printer().setPageSize(QPageSize(QPageSize::Letter));
            qobject_cast<QDialog*>(dialog)->reject();
        });
        QTest::mouseClick(form->BitBtn5, Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(!QRPrinter->Chosen());
    });
    MainForm->Print1Click();

    // The next report is laid out on the paper now set: Letter, 8.5 x 11 inches.
    report.Prepare();
    QCOMPARE(report.PaperSize().toSize(), QSize(816, 1056));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
