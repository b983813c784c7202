#pragma once

#include <QWidget>

class QTextBrowser;

// The help engine's window: shows the help file (an HTML document) with its contents.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Loads the file and shows the window in front; false when the file can't be read.
    bool Open(const QString& path, const QString& title);
    QString FileName() const { return m_file; }
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    QString m_file;
};
