// Draws the split panel example before, during and after a drag of its bar 60 pixels up,
// as splitpanel-1-before.png, splitpanel-2-dragging.png and splitpanel-3-after.png in argv[1].
#include "components/example/examplewindow.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include <cstdio>

namespace {

void sendMouse(QWidget* target, QEvent::Type type, int y, Qt::MouseButtons buttons) {
    const QPointF at(20, y);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, {});
    QApplication::sendEvent(target, &event);
}

bool shoot(QWidget& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (window.grab().save(path))
        return true;
    std::fprintf(stderr, "shoot_splitpanel: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: shoot_splitpanel OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "shoot_splitpanel: cannot create %s\n", argv[1]);
        return 1;
    }
    QWidget window;
    TSplitPanel* panel = populateExampleWindow(&window);
    window.show();
    QApplication::processEvents();

    bool ok = shoot(window, folder, QStringLiteral("splitpanel-1-before.png"));
    QWidget* bar = panel->SplitBar;
    sendMouse(bar, QEvent::MouseButtonPress, 2, Qt::LeftButton);
    sendMouse(bar, QEvent::MouseMove, 2 - 60, Qt::LeftButton);
    ok = shoot(window, folder, QStringLiteral("splitpanel-2-dragging.png")) && ok;
    sendMouse(bar, QEvent::MouseButtonRelease, 2, Qt::NoButton);
    ok = shoot(window, folder, QStringLiteral("splitpanel-3-after.png")) && ok;
    return ok ? 0 : 1;
}
