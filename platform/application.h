#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QWidget;

// Message box styles and results, with the values the program has always used.
enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Help commands.
enum : int { HELP_FINDER = 11 };

// The application object: title, help file, message boxes, the minimise event and the
// standard display of an exception that escapes a handler.
class TApplication : public QObject {
    Q_OBJECT
public:
    explicit TApplication(QObject* parent = nullptr);

    QString Title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QString HelpFile() const { return m_helpFile; }
    void setHelpFile(const QString& file) { m_helpFile = file; }

    // A modal message box captioned `caption` (the title when empty) with the given style
    // flags; returns IDOK, IDCANCEL, IDYES or IDNO.
    int MessageBox(const QString& text, const QString& caption, int flags);

    // The standard exception display: the message followed by ".", captioned with the title,
    // a stop icon and an OK button.
    void ShowException(const std::string& message);

    // Runs fn, showing any std::exception that escapes it in the standard display.
    void Guard(const std::function<void()>& fn);

    // Opens the help file's topics (HELP_FINDER) in a help window.
    bool HelpCommand(int command, long data);

    // Called after the main window has been minimised.
    std::function<void()> OnMinimize;

    // Un-minimises the main window and brings it to the front.
    void Restore();

private:
    QString m_title;
    QString m_helpFile;
};

extern TApplication* Application;

// UTF-8 bytes to a control's text; text that is not valid UTF-8 is read as Windows-1252.
QString ToQString(const std::string& bytes);
// A control's text back to bytes (UTF-8).
std::string FromQString(const QString& text);
