#include "platform/application.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include <QApplication>
#include <QIcon>

#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillbox.svg")));
    Application = new TApplication(&app);
    try {
        StartUp();
        MainForm->show();
        app.exec();
    } catch (const std::exception& e) {
        Application->ShowException(e.what());
    }
    Application->DestroyForms();
    return 0;
}
