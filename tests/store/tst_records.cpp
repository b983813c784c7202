#include "storetest.h"

#include "store/datetime.h"
#include "store/records.h"
#include "store/stream.h"

#include <QTest>

#include <clocale>
#include <cstdlib>
#include <ctime>

namespace {
std::time_t utc(int year, int month, int day, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return timegm(&t);
}

std::string bytesOf(const QByteArray& b) {
    return b.toStdString();
}
} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
        std::setlocale(LC_TIME, "C");
    }
    void cleanup() { Clock = nullptr; }

    void dateText_data() {
        QTest::addColumn<qint64>("when");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight: date only") << qint64(utc(2000, 1, 2, 0, 0, 0)) << "01/02/00";
        QTest::newRow("a second later") << qint64(utc(2000, 1, 2, 0, 0, 1)) << "01/02/00 00:00:01";
        QTest::newRow("noon") << qint64(utc(2026, 12, 11, 12, 0, 0)) << "12/11/26 12:00:00";
        QTest::newRow("last second")
            << qint64(utc(1999, 12, 31, 23, 59, 59)) << "12/31/99 23:59:59";
    }
    void dateText() {
        QFETCH(qint64, when);
        QFETCH(QString, text);
        Clock = [when] {
            return std::time_t(when);
        };
        QCOMPARE(QString::fromStdString(TNote().Date), text);
        QCOMPARE(QString::fromStdString(TNote(4, "t", "c", 0, "b").Date), text);
    }

    void constructors() {
        Clock = [] {
            return utc(2000, 1, 2, 0, 0, 0);
        };
        const TNote fresh;
        QCOMPARE(fresh.Id, 0);
        QCOMPARE(fresh.Category, std::string("None"));
        QVERIFY(fresh.Title.empty() && fresh.Body.empty());
        QCOMPARE(fresh.Closed, uint8_t(0));

        const TNote full(9, "Title", "Work", 1, "line\r\nline");
        QCOMPARE(full.Id, 9);
        QCOMPARE(full.Title, std::string("Title"));
        QCOMPARE(full.Category, std::string("Work"));
        QCOMPARE(full.Body, std::string("line\r\nline"));
        QCOMPARE(full.Closed, uint8_t(1));
        QCOMPARE(full.Date, std::string("01/02/00"));

        const TNote key(7);
        QCOMPARE(key.Id, 7);
        QVERIFY(key.Title.empty() && key.Category.empty() && key.Date.empty() && key.Body.empty());
        QCOMPARE(TCategory().Name, std::string());
        const THeader header;
        QVERIFY(header.Version == 0 && header.NoteCount == 0 && header.CategoryCount == 0);
    }

    void noteEqualityIsById() {
        QVERIFY(TNote(7) == TNote(7, "a", "b", 1, "c"));
        QVERIFY(TNote(7, "same", "same", 0, "same") != TNote(8, "same", "same", 0, "same"));
    }

    void categoryEquality_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << QByteArray("Work") << QByteArray("Work") << true;
        QTest::newRow("letter case") << QByteArray("Work") << QByteArray("work") << false;
        QTest::newRow("trailing blank") << QByteArray("Work") << QByteArray("Work ") << false;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
        QTest::newRow("accent bytes")
            << QByteArray("Caf\xe9") << QByteArray("Caf\xc3\xa9") << false;
    }
    void categoryEquality() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, equal);
        QCOMPARE(TCategory(bytesOf(a)) == TCategory(bytesOf(b)), equal);
    }

    // The example data file, record by record, in both directions.
    void recordsMatchTheExampleBytes() {
        const QByteArray file = fixture("one-note.dat");
        QCOMPARE(file.size(), 49);

        TWriter out;
        THeader header;
        header.Version = 13;
        header.NoteCount = 1;
        header.CategoryCount = 1;
        TNote note(1, "A", "Work", 0, "");
        note.Date = "1/2/2000";
        header.Write(out);
        TCategory("Work").Write(out);
        note.Write(out);
        QCOMPARE(QByteArray::fromStdString(out.bytes()), file);

        TReader in(file.constData(), std::size_t(file.size()));
        THeader h;
        TCategory c("old");
        TNote n(99, "old title", "old category", 7, "old body");
        n.Date = "old date";
        h.Read(in);
        c.Read(in);
        n.Read(in);
        QVERIFY(in.ok());
        QCOMPARE(in.offset(), uint64_t(49));
        QVERIFY(h.Version == 13 && h.NoteCount == 1 && h.CategoryCount == 1);
        QCOMPARE(c.Name, std::string("Work"));
        // Every field is replaced, the empty body and the open flag included.
        QCOMPARE(n.Id, 1);
        QCOMPARE(n.Title, std::string("A"));
        QCOMPARE(n.Category, std::string("Work"));
        QCOMPARE(n.Date, std::string("1/2/2000"));
        QCOMPARE(n.Closed, uint8_t(0));
        QCOMPARE(n.Body, std::string());
    }

    void textRoundTrip_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("CR LF kept") << QByteArray("one\r\ntwo\r\n");
        QTest::newRow("Windows-1252 bytes") << QByteArray("caf\xe9 \x80 \xff");
        QTest::newRow("longest") << QByteArray(65534, 'x');
    }
    void textRoundTrip() {
        QFETCH(QByteArray, text);
        TWriter out;
        out.writeText(bytesOf(text));
        QCOMPARE(QByteArray::fromStdString(out.bytes()), counted(text));
        TText back = "previous";
        TReader in(out.bytes().data(), out.bytes().size());
        in.readText(back);
        QVERIFY(in.ok());
        QCOMPARE(QByteArray::fromStdString(back), text);
    }

    // Over-long texts are cut where a whole character ends, so the file loads back as UTF-8.
    void cutText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("kept");
        const QByteArray e = "\xc3\xa9";            // 2 bytes
        const QByteArray euro = "\xe2\x82\xac";     // 3 bytes
        const QByteArray face = "\xf0\x9f\x98\x80"; // 4 bytes
        QTest::newRow("one over, ASCII") << QByteArray(65535, 'a') << 65534;
        QTest::newRow("2-byte pairs end on the limit") << e.repeated(40000) << 65534;
        QTest::newRow("2-byte split by the limit") << ("a" + e.repeated(40000)) << 65533;
        QTest::newRow("3-byte split after 1") << (QByteArray(65533, 'a') + euro) << 65533;
        QTest::newRow("3-byte split after 2") << (QByteArray(65532, 'a') + euro + "b") << 65532;
        QTest::newRow("4-byte split after 3") << (QByteArray(65531, 'a') + face) << 65531;
        QTest::newRow("4-byte ends on the limit") << (QByteArray(65530, 'a') + face + "b") << 65534;
        QTest::newRow("not UTF-8: cut at the limit") << QByteArray(70000, '\x80') << 65534;
    }
    void cutText() {
        QFETCH(QByteArray, text);
        QFETCH(int, kept);
        const std::string s = bytesOf(text);
        QCOMPARE(int(CutText(s)), kept);

        TWriter out;
        out.writeText(s);
        TText back;
        TReader in(out.bytes().data(), out.bytes().size());
        in.readText(back);
        QVERIFY(in.ok());
        QCOMPARE(QByteArray::fromStdString(back), text.left(kept));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
