#include "storetest.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
QByteArray b(const char* s) {
    return QByteArray(s);
}
} // namespace

class TestStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void idsCountUpAndAreNeverReissued() {
        ScratchDir dir;
        TData first;
        QVERIFY(first.AddNote("a", "None", 0, ""));
        QVERIFY(first.AddNote("b", "None", 0, ""));
        QCOMPARE(ids(first), (std::vector<int>{1, 2}));

        QVERIFY(writeAll(dir.file(), header(3, 0) + noteRecord(3, "x") + noteRecord(7, "y") +
                                         noteRecord(5, "z")));
        TData d;
        QCOMPARE(d.Load().status, TLoadResult::Status::Loaded);
        QCOMPARE(d.LastId, 7);
        QVERIFY(d.AddNote("new", "Work", 0, "body"));
        QCOMPARE(d.Notes.back().Id, 8);
        QCOMPARE(d.Notes.removeAll(TNote(8)), std::size_t(1));
        QVERIFY(d.AddNote("again", "Work", 0, ""));
        QCOMPARE(d.Notes.back().Id, 9);
    }

    void addNoteStoresWhatItIsGiven() {
        TData d;
        QVERIFY(d.AddNote("", "Cat", 1, "line\r\n"));
        const TNote& n = d.Notes.back();
        QVERIFY(n.Title.empty());
        QCOMPARE(n.Category, std::string("Cat"));
        QCOMPARE(n.Closed, uint8_t(1));
        QCOMPARE(n.Body, std::string("line\r\n"));
        QVERIFY(!n.Date.empty());
    }

    void idsRunOut() {
        TData d;
        d.LastId = std::numeric_limits<int32_t>::max() - 1;
        QVERIFY(d.AddNote("last", "", 0, ""));
        QCOMPARE(d.Notes.back().Id, std::numeric_limits<int32_t>::max());
        QVERIFY(!d.AddNote("one too many", "", 0, ""));
        QCOMPARE(d.Notes.size(), std::size_t(1));
        QCOMPARE(d.LastId, std::numeric_limits<int32_t>::max());
    }

    void findNoteGivesTheFirstInListOrder() {
        TData d;
        d.Notes.push_back(TNote(4, "first", "", 0, ""));
        d.Notes.push_back(TNote(2, "other", "", 0, ""));
        d.Notes.push_back(TNote(4, "second", "", 0, ""));
        QCOMPARE(d.FindNote(4)->Title, std::string("first"));
        QCOMPARE(d.FindNote(5), nullptr);
        // The stored note itself, which callers may change in place.
        d.FindNote(2)->Title = "changed";
        QCOMPARE(d.Notes[1].Title, std::string("changed"));
        // Still the first after the list is reordered and after notes are added before a lookup.
        d.SortChoice = [] {
            return TData::SortTitle;
        };
        d.SortNotes();
        QCOMPARE(d.FindNote(4)->Title, std::string("first"));
        d.Notes.push_back(TNote(6, "sixth", "", 0, ""));
        QCOMPARE(d.FindNote(6)->Title, std::string("sixth"));
    }

    void categories() {
        TData d;
        d.AddCategory(TCategory("Work"));
        d.AddCategory(TCategory("Work"));
        d.AddCategory(TCategory("work"));
        d.AddCategory(TCategory("Home"));
        QCOMPARE(d.Categories.size(), std::size_t(3));
        QCOMPARE(d.Categories[1].Name, std::string("work"));

        d.Categories.push_back(TCategory("Work")); // a file can hold a name twice
        QVERIFY(d.AddNote("t", "Work", 0, ""));
        d.DeleteCategory(TCategory("Work"));
        QCOMPARE(d.Categories.size(), std::size_t(2));
        QCOMPARE(d.Categories[0].Name, std::string("work"));
        QCOMPARE(d.Categories[1].Name, std::string("Home"));
        QCOMPARE(d.Notes.back().Category, std::string("Work"));
        d.DeleteCategory(TCategory("Absent"));
        QCOMPARE(d.Categories.size(), std::size_t(2));
    }

    // Each row: the sort key, then (id, title, category) of the notes in list order, and the ids
    // in the order expected after the sort.
    void sortNotes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<QByteArray>>("titles");
        QTest::addColumn<QList<QByteArray>>("categories");
        QTest::addColumn<std::vector<int>>("idsIn");
        QTest::addColumn<std::vector<int>>("expected");
        QTest::newRow("upper case before lower case")
            << TData::SortTitle << QList{b("apple"), b("Zebra"), b("banana")}
            << QList{b(""), b(""), b("")} << std::vector<int>{1, 2, 3} << std::vector<int>{2, 1, 3};
        QTest::newRow("prefix first")
            << TData::SortTitle << QList{b("abc"), b("ab"), b("abcd"), b("")}
            << QList{b(""), b(""), b(""), b("")} << std::vector<int>{1, 2, 3, 4}
            << std::vector<int>{4, 2, 1, 3};
        QTest::newRow("bytes are unsigned")
            << TData::SortTitle << QList{b("\xe9t\xe9"), b("zoo"), b("\x7f")}
            << QList{b(""), b(""), b("")} << std::vector<int>{1, 2, 3} << std::vector<int>{2, 3, 1};
        QTest::newRow("equal titles keep their order")
            << TData::SortTitle << QList{b("same"), b("a"), b("same"), b("same")}
            << QList{b(""), b(""), b(""), b("")} << std::vector<int>{9, 1, 3, 5}
            << std::vector<int>{1, 9, 3, 5};
        QTest::newRow("category, titles already in order")
            << TData::SortCategory << QList{b("a"), b("b"), b("c"), b("d")}
            << QList{b("Work"), b("Home"), b("Work"), b("Home")} << std::vector<int>{1, 2, 3, 4}
            << std::vector<int>{2, 4, 1, 3};
        QTest::newRow("date is by signed id, not by date text")
            << TData::SortDate << QList{b(""), b(""), b(""), b("")}
            << QList{b(""), b(""), b(""), b("")}
            << std::vector<int>{3, -5, 1, std::numeric_limits<int32_t>::min()}
            << std::vector<int>{std::numeric_limits<int32_t>::min(), -5, 1, 3};
        QTest::newRow("no choice installed: date")
            << -1 << QList{b("b"), b("a")} << QList{b(""), b("")} << std::vector<int>{2, 1}
            << std::vector<int>{1, 2};
    }
    void sortNotes() {
        QFETCH(int, key);
        QFETCH(QList<QByteArray>, titles);
        QFETCH(QList<QByteArray>, categories);
        QFETCH(std::vector<int>, idsIn);
        QFETCH(std::vector<int>, expected);
        TData d;
        for (qsizetype i = 0; i < titles.size(); ++i) {
            TNote n(idsIn[i], titles[i].toStdString(), categories[i].toStdString(), 0, "");
            n.Date = "9/9/1999"; // later than every other date: the Date order must not read it
            d.Notes.push_back(n);
        }
        int asked = 0;
        if (key >= 0)
            d.SortChoice = [&] {
                ++asked;
                return key;
            };
        d.SortNotes();
        QCOMPARE(ids(d), expected);
        d.SortNotes();
        QCOMPARE(ids(d), expected);
        QVERIFY(key < 0 || asked > 0);
    }

    void titleThenCategoryListsTitlesInOrderWithinEachCategory() {
        TData d;
        int choice = TData::SortTitle;
        d.SortChoice = [&] {
            return choice;
        };
        const std::pair<const char*, const char*> notes[] = {
            {"d", "Work"}, {"a", "Home"}, {"c", "Home"}, {"b", "Work"}};
        for (const auto& [title, category] : notes)
            QVERIFY(d.AddNote(title, category, 0, ""));
        d.SortNotes();
        choice = TData::SortCategory;
        d.SortNotes();
        QCOMPARE(ids(d), (std::vector<int>{2, 3, 4, 1}));

        // A note added now stays last until the next sort.
        QVERIFY(d.AddNote("0", "Alpha", 0, ""));
        QCOMPARE(d.Notes.back().Id, 5);
        d.SortNotes();
        QCOMPARE(d.Notes.front().Id, 5);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
