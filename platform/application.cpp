#include "platform/application.h"

#include "platform/helpwindow.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QWidget>

#include <exception>

TApplication* Application = nullptr;

TApplication::TApplication(QObject* parent) : QObject(parent) {
}

TApplication::~TApplication() {
    DestroyForms();
}

void TApplication::adoptForm(QWidget* form) {
    m_forms.emplace_back(form);
}

void TApplication::DestroyForms() {
    // Later forms may refer to earlier ones: destroy them newest first.
    while (!m_forms.empty())
        m_forms.pop_back();
    m_help.reset();
}

QWidget* TApplication::MainForm() const {
    return m_forms.empty() ? nullptr : m_forms.front().get();
}

int TApplication::MessageBox(const QString& text, const QString& caption, int flags) {
    QMessageBox box(MainForm() && MainForm()->isVisible() ? MainForm() : nullptr);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(caption.isEmpty() ? m_title : caption);
    box.setText(text);
    switch (flags & 0xF0) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        const char* name;
        int result;
    };
    std::vector<Choice> choices;
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, "OK", IDOK}, {QMessageBox::Cancel, "Cancel", IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, "Yes", IDYES}, {QMessageBox::No, "No", IDNO}};
        break;
    default:
        choices = {{QMessageBox::Ok, "OK", IDOK}};
        break;
    }
    for (const Choice& c : choices)
        box.addButton(c.button)->setObjectName(QString::fromLatin1(c.name));
    box.setDefaultButton(choices.front().button);
    box.setEscapeButton(choices.back().button);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const Choice& c : choices)
        if (clicked == box.button(c.button))
            return c.result;
    return choices.back().result;
}

void TApplication::ShowException(const std::string& message) {
    QString text = ToQString(message);
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    MessageBox(text, m_title, MB_OK | MB_ICONSTOP);
}

void TApplication::Guard(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        ShowException(e.what());
    }
}

QString TApplication::FindHelpFile() const {
    if (m_helpFile.isEmpty())
        return {};
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        exeDir.filePath(m_helpFile),
        exeDir.filePath(QStringLiteral("../share/quillbox/") + m_helpFile),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return QFileInfo(path).canonicalFilePath();
    return {};
}

bool TApplication::HelpCommand(int command, long data) {
    Q_UNUSED(data);
    if (command != HELP_FINDER)
        return false;
    const QString path = FindHelpFile();
    if (path.isEmpty()) {
        MessageBox(QStringLiteral("The help file \"%1\" could not be found beside the program "
                                  "or in its share/quillbox folder.")
                       .arg(m_helpFile),
                   m_title, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (!m_help)
        m_help = std::make_unique<THelpWindow>();
    if (!m_help->Open(path, m_title)) {
        MessageBox(QStringLiteral("The help file \"%1\" could not be read.").arg(path), m_title,
                   MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

THelpWindow* TApplication::HelpWindow() const {
    return m_help.get();
}

void TApplication::Minimized() {
    if (OnMinimize)
        OnMinimize();
}

void TApplication::Restore() {
    QWidget* main = MainForm();
    if (!main || (main->isVisible() && !main->isMinimized()))
        return;
    main->setWindowState((main->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    main->show();
    main->raise();
    main->activateWindow();
}

namespace {
// Windows-1252 in 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isAscii(const std::string& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}
} // namespace

QString ToQString(const std::string& bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

std::string FromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}
