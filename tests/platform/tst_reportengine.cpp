// The report engine on its own: memo line counting, pagination, page drawing and the preview
// control.
#include "platform/qrpreview.h"
#include "platform/report.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

namespace {

QFont arial(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

const QSizeF A4(794, 1123);

// A report whose detail band shows one caption and a memo per record, from a list of bodies.
struct Fixture {
    TQuickReport report;
    TQRBand header{rbPageHeader};
    TQRBand detail{rbDetail};
    TQRLabel heading;
    TQRSysData pageNumber;
    TQRLabel caption;
    TQRMemo memo;
    QStringList bodies;
    int next = 0;
    int asked = 0;

    explicit Fixture(int headerHeight = 97) {
        header.setBounds(0, 0, 1200, headerHeight);
        heading.setBounds(32, 16, 200, 24);
        heading.Font = arial(21);
        heading.setCaption(QStringLiteral("Heading"));
        pageNumber.setBounds(731, 24, 46, 17);
        pageNumber.Font = arial(11);
        header.add(&heading);
        header.add(&pageNumber);
        detail.setBounds(0, 0, 1200, 23);
        caption.setBounds(95, 0, 370, 18);
        caption.Font = arial(16);
        memo.setBounds(32, 24, 750, 0);
        memo.Font = arial(13);
        detail.add(&caption);
        detail.add(&memo);
        report.addBand(&header);
        report.addBand(&detail);
        report.setPaperSize(A4);
        report.OnNeedData = [this](QObject*, bool& more) {
            ++asked;
            more = next < bodies.size();
            if (!more) {
                next = 0;
                return;
            }
            caption.setCaption(QStringLiteral("Record %1").arg(next));
            memo.setText(bodies[next++]);
            memo.Height = static_cast<int>(std::ceil(memo.TextHeight())) + 1;
            detail.Height = memo.LineCount() ? memo.Height + 23 : 23;
        };
    }

    QStringList texts(int page) const {
        QStringList out;
        for (const TQRItem& item : report.page(page).Items)
            out << item.Text;
        return out;
    }
};

QString lines(int count, const QString& prefix = QStringLiteral("line")) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("%1 %2").arg(prefix).arg(i);
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memoLineCount_data();
    void memoLineCount();
    void memoWrapsLongLines();
    void headerAndPageNumberOnEveryPage();
    void bandsAreNeverSplit();
    void bandTallerThanAPageGoesOnOverPages();
    void emptyReportHasOnePage();
    void autoSizedLabelTakesItsTextWidth();
    void previewPageNumber_data();
    void previewPageNumber();
    void previewZoomSizesThePage();
    void previewDrawsOnlyThePageShown();
    void printsEveryPageToPdf();
};

void TestReportEngine::memoLineCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("one line") << QStringLiteral("one") << 1;
    QTest::newRow("two lines") << QStringLiteral("one\r\ntwo") << 2;
    QTest::newRow("three lines") << QStringLiteral("a\r\nb\r\nc") << 3;
    QTest::newRow("ends in a break") << QStringLiteral("one\r\ntwo\r\n") << 2;
    QTest::newRow("only a break") << QStringLiteral("\r\n") << 1;
    QTest::newRow("empty line inside") << QStringLiteral("one\r\n\r\nthree") << 3;
    QTest::newRow("two breaks at the end") << QStringLiteral("one\r\n\r\n") << 2;
    QTest::newRow("lone LF and CR") << QStringLiteral("a\nb\rc") << 3;
    QTest::newRow("spaces are a line") << QStringLiteral("one\r\n  ") << 2;
}

void TestReportEngine::memoLineCount() {
    QFETCH(QString, text);
    QFETCH(int, count);
    TQRMemo memo;
    memo.setBounds(32, 24, 750, 25);
    memo.Font = arial(13);
    memo.setText(text);
    QCOMPARE(memo.LineCount(), count);
    QCOMPARE(memo.Lines().size(), count);
}

void TestReportEngine::memoWrapsLongLines() {
    TQRMemo memo;
    memo.setBounds(32, 24, 750, 25);
    memo.Font = arial(13);
    const QString words = QStringLiteral("wrapped words ").repeated(60).trimmed();
    const QString word = QStringLiteral("x").repeated(400); // no break opportunity
    memo.setText(words + QStringLiteral("\r\n") + word);

    const QStringList laidOut = memo.Lines();
    QCOMPARE(laidOut.size(), memo.LineCount());
    QVERIFY2(memo.LineCount() >= 4, qPrintable(QString::number(memo.LineCount())));
    const QFontMetricsF metrics(memo.Font);
    QString joined;
    for (const QString& line : laidOut) {
        QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= 750.5, qPrintable(line));
        joined += line;
    }
    QString expected = words + word;
    QCOMPARE(joined.remove(QLatin1Char(' ')), expected.remove(QLatin1Char(' ')));
}

void TestReportEngine::headerAndPageNumberOnEveryPage() {
    Fixture f;
    for (int i = 0; i < 60; ++i)
        f.bodies << lines(3);
    f.report.Prepare();
    QVERIFY2(f.report.PageCount() >= 3, qPrintable(QString::number(f.report.PageCount())));
    QCOMPARE(f.asked, 61);
    for (int page = 0; page < f.report.PageCount(); ++page) {
        const QStringList texts = f.texts(page);
        QCOMPARE(texts.value(0), QStringLiteral("Heading"));
        QCOMPARE(texts.value(1), QString::number(page + 1));
    }
    // Every record once, in order.
    QStringList records;
    for (int page = 0; page < f.report.PageCount(); ++page)
        for (const QString& text : f.texts(page))
            if (text.startsWith(QLatin1String("Record")))
                records << text;
    QCOMPARE(records.size(), 60);
    QCOMPARE(records.first(), QStringLiteral("Record 0"));
    QCOMPARE(records.last(), QStringLiteral("Record 59"));

    // A second preparation asks again from the start and gives the same pages.
    const int pages = f.report.PageCount();
    f.report.Prepare();
    QCOMPARE(f.report.PageCount(), pages);
}

void TestReportEngine::bandsAreNeverSplit() {
    Fixture f;
    // Bands of varied heights, so page ends fall at different places in a band.
    for (int i = 0; i < 120; ++i)
        f.bodies << lines(1 + (i * 7) % 11);
    f.report.Prepare();
    std::set<QString> seen;
    for (int page = 0; page < f.report.PageCount(); ++page) {
        QString record;
        for (const TQRItem& item : f.report.page(page).Items) {
            QVERIFY2(item.Rect.bottom() <= A4.height(), qPrintable(item.Text));
            if (item.Text.startsWith(QLatin1String("Record")))
                record = item.Text;
            else if (item.Text.startsWith(QLatin1String("line"))) {
                // Every memo line follows its own record's caption on the same page.
                QVERIFY2(
                    !record.isEmpty(),
                    qPrintable(QStringLiteral("page %1 starts with a memo line").arg(page + 1)));
                seen.insert(record);
            }
        }
    }
    QCOMPARE(int(seen.size()), 120);
}

void TestReportEngine::bandTallerThanAPageGoesOnOverPages() {
    Fixture f;
    f.bodies << QStringLiteral("short") << lines(150, QStringLiteral("long"))
             << QStringLiteral("after");
    f.report.Prepare();
    QVERIFY(f.report.PageCount() >= 3);
    QStringList longLines;
    for (int page = 0; page < f.report.PageCount(); ++page) {
        QCOMPARE(f.texts(page).value(0), QStringLiteral("Heading"));
        for (const TQRItem& item : f.report.page(page).Items) {
            QVERIFY2(item.Rect.bottom() <= A4.height(), qPrintable(item.Text));
            const bool headerItem =
                item.Text == QLatin1String("Heading") || item.Text == QString::number(page + 1);
            QVERIFY2(headerItem || item.Rect.top() >= 97, qPrintable(item.Text));
            if (item.Text.startsWith(QLatin1String("long")))
                longLines << item.Text;
        }
    }
    QCOMPARE(longLines, lines(150, QStringLiteral("long")).split(QStringLiteral("\r\n")));
    QVERIFY(f.texts(f.report.PageCount() - 1).contains(QStringLiteral("after")));
}

void TestReportEngine::emptyReportHasOnePage() {
    Fixture f;
    f.report.Prepare();
    QCOMPARE(f.report.PageCount(), 1);
    QCOMPARE(f.texts(0), (QStringList{QStringLiteral("Heading"), QStringLiteral("1")}));
    QCOMPARE(f.asked, 1);
}

void TestReportEngine::autoSizedLabelTakesItsTextWidth() {
    TQRLabel fixed;
    fixed.setBounds(31, 0, 50, 18);
    fixed.Font = arial(16);
    fixed.setCaption(QStringLiteral("A caption much wider than fifty pixels"));
    QCOMPARE(fixed.Width, 50);
    QCOMPARE(fixed.Height, 18);

    TQRLabel sized;
    sized.setBounds(32, 16, 85, 24);
    sized.Font = arial(21);
    sized.AutoSize = true;
    sized.setCaption(QStringLiteral("Quillbox 1.3"));
    const QFontMetricsF metrics(sized.Font);
    QVERIFY(sized.Width >= metrics.horizontalAdvance(QStringLiteral("Quillbox 1.3")));
    QVERIFY(sized.Width > 85);
    QCOMPARE(sized.Left, 32);
}

void TestReportEngine::previewPageNumber_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("shown");
    QTest::newRow("next") << 1 << 2 << 2;
    QTest::newRow("last") << 1 << 3 << 3;
    QTest::newRow("back") << 3 << 2 << 2;
    QTest::newRow("zero ignored") << 2 << 0 << 2;
    QTest::newRow("negative ignored") << 2 << -1 << 2;
    QTest::newRow("beyond ignored") << 2 << 4 << 2;
    QTest::newRow("same ignored") << 2 << 2 << 2;
}

void TestReportEngine::previewPageNumber() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, shown);
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.bodies << lines(3);
    f.report.Prepare();
    QCOMPARE(f.report.PageCount(), 3);
    TQRPreview preview;
    preview.setReport(&f.report);
    QCOMPARE(preview.PageNumber(), 1);
    preview.setPageNumber(from);
    preview.setPageNumber(to);
    QCOMPARE(preview.PageNumber(), shown);

    // A new report starts at its first page.
    preview.setReport(&f.report);
    QCOMPARE(preview.PageNumber(), 1);
}

void TestReportEngine::previewZoomSizesThePage() {
    Fixture f;
    f.report.Prepare();
    TQRPreview preview;
    preview.setReport(&f.report);
    for (int zoom : {25, 75, 100, 200}) {
        preview.setZoom(zoom);
        QCOMPARE(preview.Zoom(), zoom);
        QCOMPARE(preview.widget()->width(), qRound(A4.width() * zoom / 100.0));
        QCOMPARE(preview.widget()->height(), qRound(A4.height() * zoom / 100.0));
    }
}

void TestReportEngine::previewDrawsOnlyThePageShown() {
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.bodies << lines(3);
    f.report.Prepare();
    TQRPreview preview;
    preview.resize(600, 400);
    preview.setReport(&f.report);
    preview.setZoom(50);
    preview.setPageNumber(2);
    // Pixels of the page shown differ from those of another page.
    QImage second = preview.widget()->grab().toImage();
    preview.setPageNumber(3);
    QImage third = preview.widget()->grab().toImage();
    QVERIFY(second != third);
    QVERIFY(preview.pagesDrawn() >= 2);
    QVERIFY2(preview.pagesDrawn() <= 4, qPrintable(QString::number(preview.pagesDrawn())));
}

void TestReportEngine::printsEveryPageToPdf() {
    Fixture f;
    for (int i = 0; i < 40; ++i)
        f.bodies << lines(3);
    f.report.Prepare();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("engine.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(f.report.PrintTo(printer));
    const int asked = f.asked;

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.waitForFinished(30000) && info.exitCode() == 0,
             "pdfinfo (poppler-utils) is needed");
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))), qPrintable(out));
    QCOMPARE(f.asked, asked);

    QPrinter bad(QPrinter::HighResolution);
    bad.setOutputFormat(QPrinter::PdfFormat);
    bad.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/x.pdf")));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!f.report.PrintTo(bad));
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
