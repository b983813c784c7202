#include "components/plugin/splitpanelplugin.h"

#include "components/splitpanel.h"

#include <QIcon>

TSplitPanelPlugin::TSplitPanelPlugin(QObject* parent) : QObject(parent) {
}

QString TSplitPanelPlugin::name() const {
    return QStringLiteral("TSplitPanel");
}

QString TSplitPanelPlugin::group() const {
    return QStringLiteral("Samples");
}

QString TSplitPanelPlugin::toolTip() const {
    return QStringLiteral("Two stacked controls with a bar to drag between them");
}

QString TSplitPanelPlugin::whatsThis() const {
    return toolTip();
}

QString TSplitPanelPlugin::includeFile() const {
    return QStringLiteral("components/splitpanel.h");
}

QIcon TSplitPanelPlugin::icon() const {
    return {};
}

bool TSplitPanelPlugin::isContainer() const {
    return true;
}

QWidget* TSplitPanelPlugin::createWidget(QWidget* parent) {
    return new TSplitPanel(parent);
}

QString TSplitPanelPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="TSplitPanel" name="SplitPanel1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>185</width><height>41</height></rect>
  </property>
 </widget>
</ui>
)");
}
