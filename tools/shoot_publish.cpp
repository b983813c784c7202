// Draws the publish dialog and publishes the sample notes (open and closed) as
// published-notes.htm beside the pictures, for shoot-publish.sh to show in a browser.
// Usage: shoot_publish OUTPUT_FOLDER SAMPLE_FOLDER
#include "platform/application.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include "shoot.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (const int stop = shots::begin(argc, argv, "shoot_publish", true))
        return stop;
    Application = new TApplication(&app);
    StartUp();
    MainForm->show();
    if (!MainForm->CheckBox2->isChecked())
        MainForm->CheckBox2->click();

    // The dialog as the user meets it, drawn and then cancelled.
    bool drawn = false;
    QTimer::singleShot(300, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        drawn = dialog->grab().save(shots::output.filePath(QStringLiteral("publish-1-dialog.png")));
        dialog->close();
    });
    MainForm->Publish1Click();
    if (!drawn)
        std::fprintf(stderr, "shoot_publish: the publish dialog was not drawn\n");

    const QString page = shots::output.filePath(QStringLiteral("published-notes.htm"));
    const TPublishResult result = Data->PublishHtml(page.toStdString());
    if (!result.ok)
        std::fprintf(stderr, "shoot_publish: %s: %s\n", result.path.c_str(), result.error.c_str());
    ShutDown();
    return drawn && result.ok ? 0 : 1;
}
