// The published page: whole pages against golden files, the text and address escaping, rows
// that find no note, and the failures that must leave an old page as it was.
#include "output/publish.h"
#include "platform/screen.h"
#include "platform/stringgrid.h"
#include "store/data.h"
#include "store/datetime.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

struct Row {
    int32_t id;
    const char* title;
    const char* category;
    uint8_t closed;
    const char* body;
    const char* date;
};

// Thursday 10 December 2026, 14:05:09 UTC.
constexpr std::time_t PublishedAt = 1796911509;

using support::readAll;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestPublish : public QObject {
    Q_OBJECT

    TData m_store;
    TStringGrid* m_grid = nullptr;
    std::vector<TCursor> m_cursors;

    void addNote(const Row& r) {
        TNote note(r.id, r.title, r.category, r.closed, r.body);
        note.Date = r.date;
        m_store.Notes.push_back(note);
    }

    // Lists the given ids, in this order, under the title row.
    void listIds(const QStringList& ids) {
        m_grid->setRowCount(ids.size() + 1);
        m_grid->setCells(4, 0, "ID");
        for (int i = 0; i < ids.size(); ++i)
            m_grid->setCells(4, i + 1, ids[i].toStdString());
    }

    // The notes of the golden pages; ids deliberately differ from their list positions.
    void addSampleNotes() {
        addNote({3, "Groceries", "Home", 0, "Milk\r\nBread", "12/01/26 09:15:00"});
        addNote({7, "", "None", 1, "", "12/02/26"});
        addNote({12, "Quarterly report", "Work", 0, "Draft due Friday.", "12/03/26 17:45:30"});
    }

    TPublishResult publish(const QString& path) {
        return PublishPage(m_store, GridRows(*m_grid), path.toStdString());
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
        Clock = [] {
            return PublishedAt;
        };
        Screen->Apply = [this](TCursor c) {
            m_cursors.push_back(c);
        };
    }
    void cleanupTestCase() {
        Clock = nullptr;
        Screen->Apply = nullptr;
    }
    void init() {
        m_store.Notes.clear();
        m_grid = new TStringGrid;
        m_cursors.clear();
    }
    void cleanup() {
        delete m_grid;
        m_grid = nullptr;
    }

    void goldenPages_data() {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty list") << QStringList{} << "notes.htm"
                                    << "empty.htm";
        // Sorted by title: the note without a title first.
        QTest::newRow("three notes") << QStringList{"7", "3", "12"} << "notes.htm"
                                     << "three.htm";
        QTest::newRow("name needing encoding") << QStringList{"12"} << "Bob's notes #1.htm"
                                               << "encoded-name.htm";
    }
    void goldenPages() {
        QFETCH(QStringList, ids);
        QFETCH(QString, fileName);
        QFETCH(QString, golden);
        addSampleNotes();
        listIds(ids);

        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        const QString before = QDir::currentPath();
        const TPublishResult result = publish(path);
        QVERIFY2(result.ok, result.error.c_str());
        QCOMPARE(QDir::currentPath(), before);

        const QByteArray page = readAll(path);
        const QByteArray expected = readAll(QStringLiteral(QUILLBOX_FIXTURES "/") + golden);
        QVERIFY2(!expected.isEmpty(), qPrintable("missing golden file " + golden));
        if (page != expected) {
            const QString actual = QStringLiteral(QUILLBOX_BINARY_DIR "/") + golden + ".actual";
            writeFile(actual, page);
            QFAIL(qPrintable("the page differs from " + golden + "; written to " + actual));
        }
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
    }

    void heading_data() {
        QTest::addColumn<qint64>("at");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("afternoon") << qint64(PublishedAt) << QByteArray("12/10/26 14:05:09");
        QTest::newRow("midnight: the date alone") << qint64(1796860800) << QByteArray("12/10/26");
        QTest::newRow("a second past midnight")
            << qint64(1796860801) << QByteArray("12/10/26 00:00:01");
    }
    void heading() {
        QFETCH(qint64, at);
        QFETCH(QByteArray, line);
        Clock = [at] {
            return std::time_t(at);
        };
        QTemporaryDir dir;
        const TPublishResult result = publish(dir.filePath("p.htm"));
        Clock = [] {
            return PublishedAt;
        };
        QVERIFY2(result.ok, result.error.c_str());
        QVERIFY(readAll(dir.filePath("p.htm"))
                    .contains("\r\n<h1>Quillbox 1.3 - " + line + "</h1>\r\n"));
    }

    // Values reach the page as the typed text, never as markup, and in UTF-8.
    void textEscaping_data() {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("markup")
            << QByteArray("<b>x</b> & <script>alert(1)</script>")
            << QByteArray("&lt;b&gt;x&lt;/b&gt; &amp; &lt;script&gt;alert(1)&lt;/script&gt;");
        QTest::newRow("quotes") << QByteArray("it's \"so\"")
                                << QByteArray("it&#39;s &quot;so&quot;");
        QTest::newRow("reference stays text") << QByteArray("&amp;") << QByteArray("&amp;amp;");
        QTest::newRow("utf-8 kept")
            << QByteArray("Καλημέρα 日本語") << QByteArray("Καλημέρα 日本語");
        QTest::newRow("windows-1252 read as such")
            << QByteArray("caf\xe9 \x80") << QByteArray("caf\xc3\xa9 \xe2\x82\xac");
        QTest::newRow("line feed as CR LF") << QByteArray("a\nb") << QByteArray("a\r\nb");
        QTest::newRow("bare CR kept") << QByteArray("a\rb") << QByteArray("a\rb");
        QTest::newRow("long, markup past sixteen bytes")
            << QByteArray("0123456789abcdefg<h>ij&k'l\"m\nn 0123456789abcdef<")
            << QByteArray(
                   "0123456789abcdefg&lt;h&gt;ij&amp;k&#39;l&quot;m\r\nn 0123456789abcdef&lt;");
        QTest::newRow("long, UTF-8 across sixteen-byte steps")
            << QByteArray("0123456789abcdeΚαλημέρα 0123456789abcdef日本語 end")
            << QByteArray("0123456789abcdeΚαλημέρα 0123456789abcdef日本語 end");
        QTest::newRow("long, Windows-1252 late")
            << QByteArray("0123456789abcdef0123456789abcdef caf\xe9 & more")
            << QByteArray("0123456789abcdef0123456789abcdef caf\xc3\xa9 &amp; more");
    }
    void textEscaping() {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, shown);
        const std::string text = title.toStdString();
        addNote({1, text.c_str(), text.c_str(), 0, text.c_str(), text.c_str()});
        listIds({"1"});
        const QByteArray page =
            QByteArray::fromStdString(PageText(m_store, GridRows(*m_grid), "p.htm", text));

        QCOMPARE(page.count("<h1>Quillbox 1.3 - " + shown + "</h1>\r\n"), 1);
        QCOMPARE(page.count("#NOTE1'>" + shown + "</a></td>\r\n"), 1);
        QCOMPARE(page.count("<td width='20%'>" + shown + "</td>\r\n"),
                 4); // category and date, twice
        QCOMPARE(page.count("<td width='50%'>" + shown + "</td>\r\n"), 1);
        QCOMPARE(page.count("<td colspan='4'>" + shown + "</td>\r\n"), 1);
    }

    void fileNameInLinks_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("href");
        QTest::newRow("plain") << "notes.htm" << QByteArray("notes.htm");
        QTest::newRow("apostrophe and blank")
            << "Bob's notes.htm" << QByteArray("Bob%27s%20notes.htm");
        QTest::newRow("markup and fragment")
            << "<a>#&\"x.htm" << QByteArray("%3Ca%3E%23%26%22x.htm");
        QTest::newRow("unreserved kept") << "A-z_0.9~.htm" << QByteArray("A-z_0.9~.htm");
        QTest::newRow("non-ASCII as UTF-8 bytes") << "Ελ.htm" << QByteArray("%CE%95%CE%BB.htm");
        QTest::newRow("backslash is part of the name") << "a\\b.htm" << QByteArray("a%5Cb.htm");
    }
    void fileNameInLinks() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, href);
        addNote({4, "t", "c", 0, "b", "d"});
        listIds({"4"});
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        const TPublishResult result = publish(path);
        QVERIFY2(result.ok, result.error.c_str());
        QVERIFY(QFile::exists(path));
        QVERIFY(readAll(path).contains("<a href='" + href + "#NOTE1'>t</a>"));
    }

    // A row whose id finds no note is left out, and the positions count only the notes written.
    void rowsWithoutNote() {
        addSampleNotes();
        listIds({"12", "999", "", "x3", "3 ", "3", "-7", "7"});
        const std::string page = PageText(m_store, GridRows(*m_grid), "p.htm", "now");
        const QByteArray bytes = QByteArray::fromStdString(page);
        QCOMPARE(bytes.count("<td width='50%'><a href="), 3);
        QCOMPARE(bytes.count("<a name='NOTE"), 3);
        QVERIFY(bytes.contains("#NOTE1'>Quarterly report</a>"));
        QVERIFY(bytes.contains("#NOTE2'>Groceries</a>"));
        QVERIFY(bytes.contains("#NOTE3'></a>"));
        QVERIFY(!bytes.contains("NOTE4"));
    }

    // The hourglass goes back on every path; nothing is created and the reason is given.
    void unwritablePaths_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("missing folder") << "no such folder/p.htm";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("empty") << "";
    }
    void unwritablePaths() {
        QFETCH(QString, relativePath);
        addSampleNotes();
        listIds({"3"});
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString path = relativePath.isEmpty() ? QString() : dir.filePath(relativePath);
        const TPublishResult result = publish(path);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.empty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"folder"});
        QVERIFY(QDir(dir.filePath("folder")).isEmpty());
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
    }

    // The data file, chosen by name or through a link, is never replaced by a page.
    void dataFileKept_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("by name") << "Quillbox.dat";
        QTest::newRow("through a link") << "link.htm";
    }
    void dataFileKept() {
        QFETCH(QString, chosen);
        addSampleNotes();
        listIds({"3"});
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QByteArray notes = "the notes";
        writeFile(TData::FileName, notes);
        QVERIFY(QFile::link(dir.filePath(TData::FileName), dir.filePath("link.htm")));
        const TPublishResult result = publish(dir.filePath(chosen));
        QDir::setCurrent(before);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.empty());
        QCOMPARE(readAll(dir.filePath(TData::FileName)), notes);
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
    }

    // A disk that fills up part way: the old page stays whole and the failure is told.
    // (A file size limit fails the write for root too.)
    void writeFailureKeepsOldPage() {
        for (int id = 1; id <= 2000; ++id)
            addNote(
                {id, "A title long enough to fill the page", "Work", 0, "Body text", "12/01/26"});
        QStringList ids;
        for (int id = 1; id <= 2000; ++id)
            ids << QString::number(id);
        listIds(ids);
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.htm");
        const QByteArray old = "<html>old page</html>\r\n";
        writeFile(path, old);

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const TPublishResult result = publish(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!result.ok);
        QVERIFY(!result.error.empty());
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.htm"});
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
    }

    // A page of many notes goes out in pieces; the pieces together are the page.
    void largePageInPieces() {
        QStringList ids;
        for (int id = 1; id <= 20000; ++id) {
            addNote({id, "Title", "Cat", uint8_t(id % 2), "Line one\r\nLine two", "12/01/26"});
            ids << QString::number(id);
        }
        listIds(ids);
        int pieces = 0;
        std::string joined;
        QVERIFY(WritePage(m_store, GridRows(*m_grid), "p.htm", "now", [&](std::string_view piece) {
            ++pieces;
            joined.append(piece);
            return true;
        }));
        QVERIFY(pieces > 1);
        QCOMPARE(joined, PageText(m_store, GridRows(*m_grid), "p.htm", "now"));
        const QByteArray page = QByteArray::fromStdString(joined);
        QVERIFY(page.endsWith("<hr>\r\n</html>\r\n"));
        QVERIFY(page.contains("#NOTE20000'>Title</a>"));
        QCOMPARE(page.count("<a name='NOTE"), 20000);
    }
};

QTEST_MAIN(TestPublish)
#include "tst_publish.moc"
