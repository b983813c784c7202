#include "components/splitpanel.h"

#include <QPluginLoader>
#include <QTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// Loads the built designer plugin as Qt Designer would.
class TestSplitPanelPlugin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offersThePlainPanelInSamples() {
        QPluginLoader loader(QStringLiteral(SPLITPANEL_PLUGIN));
        QObject* instance = loader.instance();
        QVERIFY2(instance, qPrintable(loader.errorString()));
        auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
        QVERIFY(plugin);
        QCOMPARE(plugin->name(), QStringLiteral("TSplitPanel"));
        QCOMPARE(plugin->group(), QStringLiteral("Samples"));
        QCOMPARE(plugin->includeFile(), QStringLiteral("components/splitpanel.h"));
        QVERIFY(plugin->domXml().contains(QStringLiteral("class=\"TSplitPanel\"")));

        QWidget form;
        std::unique_ptr<QWidget> made(plugin->createWidget(&form));
        QCOMPARE(made->parentWidget(), &form);
        QCOMPARE(made->metaObject()->className(), "TSplitPanel");
        QVERIFY(made->findChildren<QWidget*>().isEmpty());
    }
};

QTEST_MAIN(TestSplitPanelPlugin)
#include "tst_splitpanelplugin.moc"
