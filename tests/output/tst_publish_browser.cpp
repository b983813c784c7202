// The published page as a real browser renders it: headless Chromium loads the page, runs
// whatever scripts it holds, and dumps the resulting document.
#include "output/publish.h"
#include "platform/stringgrid.h"
#include "store/data.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

constexpr const char* Chromium = "/usr/bin/chromium";

const QString Markup =
    QStringLiteral("<b>x</b> & <script>document.title='pwned';"
                   "document.body.appendChild(document.createElement('mark'))</script>");

} // namespace

class TestPublishBrowser : public QObject {
    Q_OBJECT

    // The document Chromium ends up with after loading the page, or empty on failure.
    static QString renderedDom(const QString& path) {
        QTemporaryDir profile;
        QProcess chromium;
        chromium.setProcessChannelMode(QProcess::SeparateChannels);
        chromium.start(QString::fromLatin1(Chromium),
                       {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                        "--disable-background-networking", "--disable-component-update",
                        "--disable-sync", "--user-data-dir=" + profile.path(), "--dump-dom",
                        QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)});
        if (!chromium.waitForStarted(30000)) {
            qWarning() << "chromium did not start:" << chromium.errorString();
            return {};
        }
        if (!chromium.waitForFinished(180000)) {
            chromium.kill();
            chromium.waitForFinished();
            qWarning() << "chromium did not finish within three minutes";
            return {};
        }
        if (chromium.exitStatus() != QProcess::NormalExit || chromium.exitCode() != 0)
            qWarning() << "chromium failed:" << chromium.readAllStandardError().right(2000);
        return QString::fromUtf8(chromium.readAllStandardOutput());
    }

    static QStringList captures(const QString& text, const QString& pattern, int group = 1) {
        QStringList found;
        auto it = QRegularExpression(pattern).globalMatch(text);
        while (it.hasNext())
            found << it.next().captured(group);
        return found;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QFile::exists(QString::fromLatin1(Chromium)),
                 "Chromium is missing: scripts/install-deps installs it");
    }

    void renderedPage() {
        TData store;
        auto add = [&store](int32_t id, const QString& title, const QString& category,
                            uint8_t closed, const QString& body) {
            TNote note(id, title.toStdString(), category.toStdString(), closed, body.toStdString());
            note.Date = "12/10/26 14:05:09";
            store.Notes.push_back(note);
        };
        add(21, Markup, "Work", 0, "Line one\r\nLine two");
        add(5, "Καλημέρα κόσμε", "日本語", 0, "こんにちは\r\n世界");
        add(9, "Plain", "Home", 1, "");

        TStringGrid grid;
        grid.setRowCount(4);
        grid.setCells(4, 1, "21");
        grid.setCells(4, 2, "5");
        grid.setCells(4, 3, "9");

        QTemporaryDir dir;
        const QString path = dir.filePath("Bob's notes.htm");
        const TPublishResult result = PublishPage(store, GridRows(grid), path.toStdString());
        QVERIFY2(result.ok, result.error.c_str());

        const QString dom = renderedDom(path);
        QVERIFY2(dom.contains("<html"), "Chromium gave no document");

        // One summary table with a heading row and a row per note, then one table per note.
        QCOMPARE(dom.count("<table"), 4);
        const QString summary = dom.section("<h2>Detail</h2>", 0, 0);
        QCOMPARE(summary.count("<tr>"), 4);

        // Each summary link leads to its own note's anchor in this same file.
        const QStringList anchors = captures(dom, QStringLiteral("<a name=\"([^\"]*)\"></a>"));
        QCOMPARE(anchors, (QStringList{"NOTE1", "NOTE2", "NOTE3"}));
        const QStringList hrefs = captures(summary, QStringLiteral("<a href=\"([^\"]*)\">"));
        QCOMPARE(hrefs.size(), 3);
        const QUrl page = QUrl::fromLocalFile(path);
        for (int i = 0; i < hrefs.size(); ++i) {
            const QUrl target = page.resolved(QUrl(hrefs[i]));
            QCOMPARE(target.toLocalFile(), path);
            QCOMPARE(target.fragment(), anchors[i]);
        }

        // The markup title is text: no element, no script run, shown as typed.
        const QString shownMarkup =
            QString(Markup).replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;");
        QCOMPARE(dom.count(shownMarkup), 2);
        QVERIFY2(!dom.contains("<script", Qt::CaseInsensitive), qPrintable(dom));
        QVERIFY(!dom.contains("<b>"));
        QVERIFY(!dom.contains("<mark"));
        QVERIFY(!dom.contains("pwned</title>"));

        // Greek and Japanese arrive as those characters.
        const QStringList titles =
            captures(summary, QStringLiteral("<a href=\"[^\"]*\">(.*?)</a>"));
        QCOMPARE(titles.value(1), QStringLiteral("Καλημέρα κόσμε"));
        QVERIFY(dom.contains("<td width=\"20%\">日本語</td>"));
        QVERIFY(dom.contains("こんにちは"));
        QVERIFY(dom.contains("世界"));
    }
};

QTEST_MAIN(TestPublishBrowser)
#include "tst_publish_browser.moc"
