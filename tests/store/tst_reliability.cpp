#include "storetest.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {
void fill(TData& d, int notes, const std::string& tag) {
    d.AddCategory(TCategory(tag));
    for (int i = 0; i < notes; ++i)
        d.AddNote(tag + " note " + std::to_string(i), tag, uint8_t(i % 2),
                  std::string(400, char('a' + i % 26)));
}

// Loads the data file of the current directory and tells which of the two stores it holds
// whole, or why it is neither.
std::string oldOrNew(int oldNotes, int newNotes) {
    TData d;
    const TLoadResult r = d.Load();
    if (r.status != TLoadResult::Status::Loaded)
        return "the file does not load whole: " + r.problem;
    const std::string tag = d.Categories.empty() ? "" : d.Categories.front().Name;
    const int expected = tag == "old" ? oldNotes : tag == "new" ? newNotes : -1;
    if (int(d.Notes.size()) != expected ||
        d.Notes.back().Title != tag + " note " + std::to_string(expected - 1))
        return "the file holds neither store whole";
    return {};
}

std::string limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? std::string()
                                                  : std::string(std::strerror(errno));
}
} // namespace

class TestReliability : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A save killed at any moment leaves a file that loads whole, as the old store or the new.
    void killedSaveLeavesOldOrNew() {
        ScratchDir dir;
        const int oldNotes = 500;
        const int newNotes = 40000; // about 18 MB
        {
            TData old;
            fill(old, oldNotes, "old");
            QVERIFY(old.Save().ok);
        }
        TData bigger;
        fill(bigger, newNotes, "new");

        // Kills are spread over the time one whole save takes here, and a little past it.
        QElapsedTimer timer;
        timer.start();
        QVERIFY(inChild([&] {
                    ScratchDir elsewhere;
                    return bigger.Save().ok ? std::string() : std::string("save failed");
                }).isEmpty());
        const qint64 saveNs = std::max<qint64>(timer.nsecsElapsed(), 1000000);

        int sawNew = 0;
        for (int round = 0; round < 12; ++round) {
            const QByteArray before = readAll(dir.file());
            const pid_t pid = ::fork();
            if (pid == 0) {
                bigger.Save();
                ::_exit(0);
            }
            const qint64 waitNs = saveNs * round / 10;
            const timespec pause{time_t(waitNs / 1000000000), long(waitNs % 1000000000)};
            ::nanosleep(&pause, nullptr);
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            const std::string verdict = oldOrNew(oldNotes, newNotes);
            QVERIFY2(verdict.empty(), (verdict + " after round " + std::to_string(round)).c_str());
            const QByteArray after = readAll(dir.file());
            sawNew += after != before;
            // Start every round from the old store again, so each kill can land on either side.
            TData old;
            fill(old, oldNotes, "old");
            QVERIFY(old.Save().ok);
        }
        qInfo("the new store was in place after %d of 12 kills", sawNew);
    }

    void writeFailureKeepsTheOldFile_data() {
        QTest::addColumn<int>("limit");
        QTest::newRow("limit inside the header") << 5;
        QTest::newRow("limit inside the notes") << 4096;
        QTest::newRow("limit past one buffer") << (1 << 20) + 100;
    }
    void writeFailureKeepsTheOldFile() {
        QFETCH(int, limit);
        ScratchDir dir;
        TData old;
        fill(old, 20, "old");
        QVERIFY(old.Save().ok);
        const QByteArray before = readAll(dir.file());

        const QString failure = inChild([&]() -> std::string {
            const std::string why = limitFileSize(rlim_t(limit));
            CHILD_CHECK(why.empty());
            TData d;
            CHILD_CHECK(d.Load().status == TLoadResult::Status::Loaded);
            fill(d, 5000, "new");
            const TSaveResult s = d.Save();
            CHILD_CHECK(!s.ok);
            CHILD_CHECK(s.error.find("too large") != std::string::npos);
            CHILD_CHECK(s.path == QFileInfo(dir.file()).absoluteFilePath().toStdString());
            CHILD_CHECK(d.Notes.size() == 5020);
            return {};
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(readAll(dir.file()), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{TData::FileName});
    }

    void fullFileSystemKeepsTheOldFile() {
        ScratchDir dir;
        QVERIFY(QDir(dir.path()).mkdir("small"));
        const QByteArray mountPoint = QFile::encodeName(dir.path() + "/small");
        if (::mount("quillbox-test", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(QStringLiteral("a small file system cannot be mounted here: %1")
                                 .arg(QString::fromLocal8Bit(std::strerror(errno)))));
        QDir::setCurrent(dir.path() + "/small");
        TData d;
        fill(d, 10, "old");
        QVERIFY(d.Save().ok);
        const QByteArray before = readAll(TData::FileName);
        fill(d, 500, "new");
        const TSaveResult s = d.Save();
        const QByteArray after = readAll(TData::FileName);
        QDir::setCurrent(dir.path());
        ::umount(mountPoint.constData());
        QVERIFY(!s.ok);
        QVERIFY2(QString::fromStdString(s.error).contains("space", Qt::CaseInsensitive),
                 s.error.c_str());
        QCOMPARE(after, before);
    }

    void removedCurrentDirectory() {
        ScratchDir dir;
        QVERIFY(QDir(dir.path()).mkdir("gone"));
        const QString gone = dir.path() + "/gone";
        QDir::setCurrent(gone);
        TData d;
        fill(d, 3, "old");
        QVERIFY(d.Save().ok);
        QVERIFY(QDir(gone).removeRecursively());
        const TSaveResult s = d.Save();
        QVERIFY(!s.ok);
        QVERIFY2(QString::fromStdString(s.error).contains("no longer exists"), s.error.c_str());
        QVERIFY2(QString::fromStdString(s.path).startsWith(gone), s.path.c_str());
        QCOMPARE(d.Notes.size(), std::size_t(3));
        QVERIFY(!QFileInfo::exists(gone));
        // Nothing is lost: the next save somewhere real writes the whole store.
        QDir::setCurrent(dir.path());
        QVERIFY(d.Save().ok);
        TData back;
        QCOMPARE(back.Load().notesRead, 3);
    }

    // Counts in the header are not trusted: under an address-space limit far below what the
    // announced records would need, Load still reads what is there.
    void absurdCountsAllocateNothingUpFront() {
        ScratchDir dir;
        QVERIFY(writeAll(dir.file(), header(2147483647, 2147483647) + counted("Work")));
        const QString failure = inChild([&]() -> std::string {
            rlimit limit{};
            CHILD_CHECK(::getrlimit(RLIMIT_AS, &limit) == 0);
            FILE* status = std::fopen("/proc/self/status", "r");
            long vmKiB = 0;
            char line[256];
            while (status && std::fgets(line, sizeof line, status))
                if (std::strncmp(line, "VmSize:", 7) == 0)
                    vmKiB = std::strtol(line + 7, nullptr, 10);
            if (status)
                std::fclose(status);
            CHILD_CHECK(vmKiB > 0);
            limit.rlim_cur = rlim_t(vmKiB + 256 * 1024) * 1024;
            CHILD_CHECK(::setrlimit(RLIMIT_AS, &limit) == 0);
            TData d;
            const TLoadResult r = d.Load();
            CHILD_CHECK(r.status == TLoadResult::Status::Damaged);
            CHILD_CHECK(r.categoriesRead == 1);
            return {};
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // While no copy of a damaged original exists, saving refuses to replace it.
    void damagedOriginalIsNeverReplacedWithoutACopy() {
        ScratchDir dir;
        TData whole;
        fill(whole, 30, "old");
        QVERIFY(whole.Save().ok);
        const QByteArray damaged = readAll(dir.file()).chopped(10);
        QVERIFY(damaged.size() > 4096);
        QVERIFY(writeAll(dir.file(), damaged));

        const QString failure = inChild([&]() -> std::string {
            CHILD_CHECK(limitFileSize(1000).empty());
            TData d;
            const TLoadResult r = d.Load();
            CHILD_CHECK(r.status == TLoadResult::Status::Damaged);
            CHILD_CHECK(r.keptCopy.empty());
            CHILD_CHECK(r.problem.find("no copy of the file could be kept") != std::string::npos);
            CHILD_CHECK(r.notesRead == 29);
            CHILD_CHECK(!QFile::exists(dir.file() + ".damaged"));
            d.AddNote("added", "old", 0, "");
            const TSaveResult refused = d.Save();
            CHILD_CHECK(!refused.ok);
            CHILD_CHECK(refused.error.find("could not be read whole") != std::string::npos);
            CHILD_CHECK(readAll(dir.file()) == damaged);

            CHILD_CHECK(limitFileSize(RLIM_INFINITY).empty());
            const TSaveResult saved = d.Save();
            CHILD_CHECK(saved.ok);
            CHILD_CHECK(readAll(dir.file() + ".damaged") == damaged);
            TData back;
            CHILD_CHECK(back.Load().notesRead == 30);
            return {};
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_GUILESS_MAIN(TestReliability)
#include "tst_reliability.moc"
