#include "storetest.h"

#include "platform/screen.h"

#include <QFileInfo>
#include <QTest>

#include <stdexcept>
#include <vector>

Q_DECLARE_METATYPE(TLoadResult::Status)

namespace {
const int32_t Absurd = 2147483647;
} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

    std::vector<TCursor> m_cursors;

private Q_SLOTS:
    void init() {
        m_cursors.clear();
        Screen->Apply = [this](TCursor c) {
            m_cursors.push_back(c);
        };
    }
    void cleanup() { Screen->Apply = nullptr; }

    void fixturesBothWays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("notes");
        QTest::addColumn<int>("categories");
        QTest::newRow("one note") << "one-note.dat" << 1 << 1;
        QTest::newRow("empty store") << "empty.dat" << 0 << 0;
    }
    void fixturesBothWays() {
        QFETCH(QString, name);
        QFETCH(int, notes);
        QFETCH(int, categories);
        ScratchDir dir;
        const QByteArray original = fixture(name.toUtf8().constData());
        QVERIFY(writeAll(dir.file(), original));

        TData d;
        const TLoadResult r = d.Load();
        QCOMPARE(r.status, TLoadResult::Status::Loaded);
        QCOMPARE(r.notesRead, notes);
        QCOMPARE(r.categoriesRead, categories);
        QCOMPARE(QString::fromStdString(r.path), QFileInfo(dir.file()).absoluteFilePath());
        QVERIFY(r.keptCopy.empty());
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
        if (notes) {
            const TNote& n = d.Notes.front();
            QCOMPARE(n.Id, 1);
            QCOMPARE(n.Title, std::string("A"));
            QCOMPARE(n.Category, std::string("Work"));
            QCOMPARE(n.Date, std::string("1/2/2000"));
            QCOMPARE(d.Categories.front().Name, std::string("Work"));
        }

        QVERIFY(QFile::remove(dir.file()));
        m_cursors.clear();
        const TSaveResult s = d.Save();
        QVERIFY2(s.ok, s.error.c_str());
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
        QCOMPARE(readAll(dir.file()), original);
    }

    void emptyStoreSavesTwelveBytes() {
        ScratchDir dir;
        TData d;
        QVERIFY(d.Save().ok);
        QCOMPARE(readAll(dir.file()), fixture("empty.dat"));
        QVERIFY2(QFileInfo(dir.file()).permissions().testFlag(QFile::ReadOwner) &&
                     QFileInfo(dir.file()).permissions().testFlag(QFile::WriteOwner),
                 "an ordinary readable and writable file");
    }

    void missingFileIsSilent() {
        ScratchDir dir;
        TData d;
        const TLoadResult r = d.Load();
        QCOMPARE(r.status, TLoadResult::Status::Missing);
        QVERIFY(r.problem.empty());
        QVERIFY(d.Notes.empty() && d.Categories.empty());
        QCOMPARE(d.LastId, 0);
        QCOMPARE(Screen->Cursor(), crDefault);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }

    // Everything a file may hold that the program itself would not write, loaded as it is.
    void unusualButWholeFilesLoadAsTheyAre() {
        ScratchDir dir;
        const QByteArray file = header(3, 3, 99) + counted("Work") + counted("Home") +
                                counted("Work") + noteRecord(3, "c", "Work", 7) +
                                noteRecord(-2, "a", "Home") + noteRecord(7, "b");
        QVERIFY(writeAll(dir.file(), file));
        TData d;
        d.AddCategory(TCategory("Before"));
        QVERIFY(d.AddNote("before", "None", 0, ""));
        const TLoadResult r = d.Load();
        QCOMPARE(r.status, TLoadResult::Status::Loaded);
        QCOMPARE(d.Categories.size(), std::size_t(4));
        QCOMPARE(d.Categories[0].Name, std::string("Before"));
        QCOMPARE(d.Categories[1].Name, std::string("Work"));
        QCOMPARE(d.Categories[2].Name, std::string("Home"));
        QCOMPARE(d.Categories[3].Name, std::string("Work"));
        QCOMPARE(ids(d), (std::vector<int>{-2, 1, 3, 7}));
        QCOMPARE(d.LastId, 7);
        QCOMPARE(d.FindNote(3)->Closed, uint8_t(7));
        QVERIFY(d.FindNote(3)->IsClosed());

        QVERIFY(d.Notes.removeAll(TNote(1)));
        d.Categories.erase(d.Categories.begin());
        QVERIFY(d.Save().ok);
        const QByteArray sorted = header(3, 3) + counted("Work") + counted("Home") +
                                  counted("Work") + noteRecord(-2, "a", "Home") +
                                  noteRecord(3, "c", "Work", 7) + noteRecord(7, "b");
        QCOMPARE(readAll(dir.file()), sorted);
    }

    void noLimitOnRecordCounts() {
        ScratchDir dir;
        TData d;
        for (int i = 0; i < 40000; ++i)
            d.Categories.push_back(TCategory(std::to_string(i)));
        for (int i = 0; i < 33000; ++i)
            QVERIFY(d.AddNote("t", "", 0, ""));
        QVERIFY(d.Save().ok);
        TData back;
        const TLoadResult r = back.Load();
        QCOMPARE(r.status, TLoadResult::Status::Loaded);
        QCOMPARE(back.Categories.size(), std::size_t(40000));
        QCOMPARE(back.Notes.size(), std::size_t(33000));
        QCOMPARE(back.LastId, 33000);
    }

    void overlongTextsAreCutAndStillLoad() {
        ScratchDir dir;
        TData d;
        const std::string e = "\xc3\xa9";
        std::string body = "a";
        for (int i = 0; i < 40000; ++i)
            body += e;
        QVERIFY(d.AddNote(std::string(70000, 't'), "c", 0, body));
        QVERIFY(d.Save().ok);
        QCOMPARE(d.Notes.front().Body.size(), body.size()); // the store itself keeps the whole text
        TData back;
        QCOMPARE(back.Load().status, TLoadResult::Status::Loaded);
        QCOMPARE(back.Notes.front().Title, std::string(65534, 't'));
        QCOMPARE(back.Notes.front().Body, body.substr(0, 65533));
        QVERIFY(QString::fromUtf8(back.Notes.front().Body).toUtf8().toStdString() ==
                back.Notes.front().Body);
    }

    void eachSaveGoesToTheCurrentDirectory() {
        ScratchDir first;
        TData d;
        QVERIFY(d.AddNote("one", "", 0, ""));
        QVERIFY(d.Save().ok);
        const QByteArray firstBytes = readAll(first.file());
        {
            ScratchDir second;
            QVERIFY(d.AddNote("two", "", 0, ""));
            const TSaveResult s = d.Save();
            QVERIFY(s.ok);
            QCOMPARE(QString::fromStdString(s.path), QFileInfo(second.file()).absoluteFilePath());
            TData back;
            QCOMPARE(back.Load().notesRead, 2);
        }
        QCOMPARE(readAll(first.file()), firstBytes);
    }

    void cursorComesBackWhenLoadThrows() {
        ScratchDir dir;
        QVERIFY(writeAll(dir.file(), header(2, 0) + noteRecord(2, "b") + noteRecord(1, "a")));
        TData d;
        d.SortChoice = []() -> int {
            throw std::runtime_error("no sort choice");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, d.Load());
        QCOMPARE(m_cursors, (std::vector<TCursor>{crHourGlass, crDefault}));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("categories");
        QTest::addColumn<int>("notes");
        QTest::addColumn<QString>("problem");
        const QByteArray cats = counted("Work") + counted("Home");
        const QByteArray two =
            noteRecord(1, "first", "Work", 0, "body one") + noteRecord(2, "second");
        const QByteArray whole = header(2, 2) + cats + two;

        QTest::newRow("empty file")
            << QByteArray() << 0 << 0 << "ends inside the 12-byte header at byte 0";
        QTest::newRow("cut in the header")
            << whole.left(7) << 0 << 0 << "ends inside the 12-byte header";
        QTest::newRow("cut in a category")
            << whole.left(12 + 8) << 1 << 0 << "ends inside category 2 of 2 at byte 19";
        QTest::newRow("cut in a note's body")
            << whole.chopped(3) << 2 << 1 << "ends inside note 2 of 2";
        QTest::newRow("cut after the closed byte")
            << whole.left(whole.size() - 3 - 1) << 2 << 1 << "note 2 of 2";
        QTest::newRow("text with N = 0")
            << header(2, 2) + cats + noteRecord(1, "first") + i32(2) + QByteArray(2, '\0') + "rest"
            << 2 << 1 << "note 2 of 2 at byte";
        QTest::newRow("text with no zero byte")
            << header(0, 2) + counted("Work") +
                   QByteArray("\x03\x00"
                              "abc",
                              5)
            << 1 << 0 << "category 2 of 2 at byte 19 holds a text with no closing zero byte";
        QTest::newRow("negative note count")
            << header(-1, 2) + cats + two << 2 << 0 << "negative number of notes (-1)";
        QTest::newRow("negative category count")
            << header(0, -3) << 0 << 0 << "negative number of categories (-3)";
        QTest::newRow("absurd note count") << header(Absurd, 0) + noteRecord(1, "only") << 0 << 1
                                           << "ends inside note 2 of 2147483647";
        QTest::newRow("absurd category count") << header(0, Absurd) + counted("only") << 1 << 0
                                               << "ends inside category 2 of 2147483647";
        QTest::newRow("bytes after the last record")
            << whole + "xyz" << 2 << 2 << "3 bytes follow the last record";
    }
    void damagedFiles() {
        QFETCH(QByteArray, file);
        QFETCH(int, categories);
        QFETCH(int, notes);
        QFETCH(QString, problem);
        ScratchDir dir;
        QVERIFY(writeAll(dir.file(), file));

        TData d;
        const TLoadResult r = d.Load();
        QCOMPARE(r.status, TLoadResult::Status::Damaged);
        QCOMPARE(r.categoriesRead, categories);
        QCOMPARE(r.notesRead, notes);
        QCOMPARE(int(d.Categories.size()), categories);
        QCOMPARE(int(d.Notes.size()), notes);
        QVERIFY2(QString::fromStdString(r.problem).contains(problem), r.problem.c_str());
        QCOMPARE(Screen->Cursor(), crDefault);
        QVERIFY(!notes || d.FindNote(1));

        // The original stays, and a copy of it is kept beside it.
        QCOMPARE(QString::fromStdString(r.keptCopy),
                 QFileInfo(dir.file() + ".damaged").absoluteFilePath());
        QCOMPARE(readAll(dir.file()), file);
        QCOMPARE(readAll(dir.file() + ".damaged"), file);

        // Saving then writes a whole file, which loads back as the store holds it.
        QVERIFY(d.AddNote("after", "Work", 0, ""));
        QVERIFY(d.Save().ok);
        TData back;
        const TLoadResult again = back.Load();
        QCOMPARE(again.status, TLoadResult::Status::Loaded);
        QCOMPARE(again.notesRead, notes + 1);
        QCOMPARE(readAll(dir.file() + ".damaged"), file);
    }

    void damagedCopiesNeverOverwrite() {
        ScratchDir dir;
        QVERIFY(writeAll(dir.file() + ".damaged", "older copy"));
        QVERIFY(writeAll(dir.file() + ".damaged-2", "another"));
        const QByteArray broken = header(1, 0) + i32(5);
        QVERIFY(writeAll(dir.file(), broken));
        TData d;
        const TLoadResult r = d.Load();
        QCOMPARE(QString::fromStdString(r.keptCopy),
                 QFileInfo(dir.file() + ".damaged-3").absoluteFilePath());
        QCOMPARE(readAll(dir.file() + ".damaged"), QByteArray("older copy"));
        QCOMPARE(readAll(dir.file() + ".damaged-2"), QByteArray("another"));
        QCOMPARE(readAll(dir.file() + ".damaged-3"), broken);
        // One copy per damaged original: saves after it do not make more.
        QVERIFY(d.Save().ok);
        QVERIFY(d.Save().ok);
        QVERIFY(!QFile::exists(dir.file() + ".damaged-4"));
    }

    void folderInPlaceOfTheFile() {
        ScratchDir dir;
        QVERIFY(QDir(dir.path()).mkdir(TData::FileName));
        TData d;
        const TLoadResult r = d.Load();
        QCOMPARE(r.status, TLoadResult::Status::Unreadable);
        QVERIFY2(QString::fromStdString(r.problem).contains("folder"), r.problem.c_str());
        QCOMPARE(Screen->Cursor(), crDefault);
        QVERIFY(d.AddNote("kept", "", 0, ""));
        const TSaveResult s = d.Save();
        QVERIFY(!s.ok);
        QVERIFY(!s.error.empty());
        QCOMPARE(QString::fromStdString(s.path), QFileInfo(dir.file()).absoluteFilePath());
        QCOMPARE(d.Notes.size(), std::size_t(1));
        QVERIFY(QFileInfo(dir.file()).isDir());
        QCOMPARE(Screen->Cursor(), crDefault);
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
