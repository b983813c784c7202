#include "components/example/examplewindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    populateExampleWindow(&window);
    window.show();
    return app.exec();
}
