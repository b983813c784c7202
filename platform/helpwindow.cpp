#include "platform/helpwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

bool THelpWindow::Open(const QString& path, const QString& title) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray html = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    m_file = path;
    // Relative links and pictures in the document resolve beside it.
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    m_browser->document()->setBaseUrl(QUrl::fromLocalFile(path));
    m_browser->setHtml(QString::fromUtf8(html));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title + QStringLiteral(" Help"));
    show();
    raise();
    activateWindow();
    return true;
}
