#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class THelpWindow;

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
    ~TApplication() override;

    // Creates a form owned by the application; the first one created is the main window.
    template <typename T> void CreateForm(T*& global) {
        auto form = std::make_unique<T>();
        global = form.get();
        adoptForm(form.release());
    }
    QWidget* MainForm() const;
    // Destroys the forms, newest first (at exit, and between tests).
    void DestroyForms();

    QString Title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QString HelpFile() const { return m_helpFile; }
    void setHelpFile(const QString& file) { m_helpFile = file; }

    // A modal message box captioned `caption` (the title when empty) with the given style
    // flags; returns IDOK, IDCANCEL, IDYES or IDNO. The box's object name is "MessageBox" and
    // its buttons are named "OK", "Cancel", "Yes" and "No", for tests to answer it.
    int MessageBox(const QString& text, const QString& caption, int flags);

    // The standard exception display: the message followed by ".", captioned with the title,
    // a stop icon and an OK button.
    void ShowException(const std::string& message);

    // Runs fn, showing any std::exception that escapes it in the standard display.
    void Guard(const std::function<void()>& fn);

    // Opens the help file's topics (HELP_FINDER) in a help window. The help file is looked for
    // beside the executable, then in ../share/quillbox; a message names it when it is missing.
    bool HelpCommand(int command, long data);
    QString FindHelpFile() const;
    THelpWindow* HelpWindow() const;

    // Called after the main window has been minimised.
    std::function<void()> OnMinimize;
    // The main window reports its minimising here.
    void Minimized();

    // Un-minimises the main window and brings it to the front.
    void Restore();

private:
    void adoptForm(QWidget* form);

    QString m_title;
    QString m_helpFile;
    std::vector<std::unique_ptr<QWidget>> m_forms;
    std::unique_ptr<THelpWindow> m_help;
};

extern TApplication* Application;

// UTF-8 bytes to a control's text; text that is not valid UTF-8 is read as Windows-1252.
QString ToQString(const std::string& bytes);
// A control's text back to bytes (UTF-8).
std::string FromQString(const QString& text);
