// Draws the main window with the sample data at its start size and maximised, with the
// toolbar shown and hidden, then the About box and the help window, as PNG files.
// Usage: shoot_main OUTPUT_FOLDER SAMPLE_FOLDER
#include "platform/application.h"
#include "platform/helpwindow.h"
#include "ui/aboutform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include "shoot.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace shots;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (const int stop = shots::begin(argc, argv, "shoot_main", true))
        return stop;
    Application = new TApplication(&app);
    StartUp();
    MainForm->show();
    shoot(MainForm, "main-1-start.png");

    MainForm->Toolbar1Click();
    shoot(MainForm, "main-2-no-toolbar.png");
    MainForm->Toolbar1Click();

    MainForm->showMaximized();
    settle();
    MainForm->resize(QApplication::primaryScreen()->availableSize());
    shoot(MainForm, "main-3-maximised.png");
    MainForm->Toolbar1Click();
    shoot(MainForm, "main-4-maximised-no-toolbar.png");
    MainForm->Toolbar1Click();
    MainForm->showNormal();

    QTimer::singleShot(0, [] {
        shoot(AboutForm, "about.png");
        QApplication::activeModalWidget()->close();
    });
    MainForm->About1Click();

    // The tools live one folder below the program and its help file.
    const QString help =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../quillbox.hlp"));
    THelpWindow window;
    if (window.Open(help, Application->Title()))
        shoot(&window, "help.png");
    else
        std::fprintf(stderr, "shoot_main: no help file at %s; help window not drawn\n",
                     qPrintable(help));
    ShutDown();
    return ok ? 0 : 1;
}
