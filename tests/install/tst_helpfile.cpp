#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBrowser>

// The help file as the help window shows it: an HTML document whose contents links all lead to
// a topic, with a topic for every command and window of the program.
class TestHelpFile : public QObject {
    Q_OBJECT

    QString m_html;
    QSet<QString> m_ids;

private Q_SLOTS:
    void initTestCase() {
        QFile file(QStringLiteral(QUILLBOX_SOURCE_DIR "/resources/quillbox.hlp"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        m_html = utf8.decode(bytes);
        QVERIFY2(!utf8.hasError(), "the help file is not valid UTF-8");
        static const QRegularExpression topic(QStringLiteral("<h2 id=\"([^\"]+)\">"));
        for (const auto& match : topic.globalMatch(m_html))
            m_ids.insert(match.captured(1));
    }

    void copiedBesideTheProgram() {
        QFile source(QStringLiteral(QUILLBOX_SOURCE_DIR "/resources/quillbox.hlp"));
        QFile built(QStringLiteral(QUILLBOX_BINARY_DIR "/quillbox.hlp"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(built.fileName()));
        QCOMPARE(built.readAll(), source.readAll());
    }

    void everyLinkLeadsToATopic() {
        static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (const auto& match : link.globalMatch(m_html)) {
            ++links;
            QVERIFY2(m_ids.contains(match.captured(1)), qPrintable(match.captured(1)));
        }
        QVERIFY(links >= m_ids.size());
    }

    void topic_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("mustMention");
        QTest::newRow("add") << "add"
                             << "Note &gt; Add";
        QTest::newRow("editor") << "editor"
                                << "Closed";
        QTest::newRow("edit") << "edit"
                              << "double-click";
        QTest::newRow("delete") << "delete"
                                << "Are you sure?";
        QTest::newRow("categories") << "categories"
                                    << "Note &gt; Categories...";
        QTest::newRow("sort") << "sort"
                              << "Sort:";
        QTest::newRow("show") << "show"
                              << "Filter:";
        QTest::newRow("find") << "find"
                              << "Find:";
        QTest::newRow("body") << "body"
                              << "body pane";
        QTest::newRow("toolbar") << "toolbar"
                                 << "View &gt; Toolbar";
        QTest::newRow("publish") << "publish"
                                 << "File &gt; Publish...";
        QTest::newRow("print") << "print"
                               << "File &gt; Print...";
        QTest::newRow("preview") << "preview"
                                 << "Zoom:";
        QTest::newRow("tray") << "tray"
                              << "notification area";
        QTest::newRow("data file") << "datafile"
                                   << "~/Quillbox/Quillbox.dat";
        QTest::newRow("damaged") << "damaged"
                                 << "Quillbox.dat.damaged";
        QTest::newRow("exit") << "exit"
                              << "File &gt; Exit";
    }

    // Each topic exists, says what it must, and the help window can scroll to it.
    void topic() {
        QFETCH(QString, id);
        QFETCH(QString, mustMention);
        QVERIFY2(m_ids.contains(id), qPrintable(id));
        const qsizetype start = m_html.indexOf(QStringLiteral("<h2 id=\"%1\">").arg(id));
        qsizetype end = m_html.indexOf(QStringLiteral("<h2 "), start + 1);
        if (end < 0)
            end = m_html.size();
        QVERIFY2(m_html.mid(start, end - start).contains(mustMention), qPrintable(mustMention));

        QTextBrowser browser;
        browser.resize(400, 200);
        browser.setHtml(m_html);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        browser.scrollToAnchor(id);
        QVERIFY2(browser.verticalScrollBar()->value() > 0, "the help window cannot scroll to it");
    }
};

QTEST_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
