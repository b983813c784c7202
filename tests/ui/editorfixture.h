#pragma once

// What the note editor and categories dialog tests share: a program started as start-up starts
// it, in a temporary current directory, and answers to the modal windows it opens.

#include "platform/application.h"
#include "store/data.h"
#include "ui/categoryform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/noteform.h"
#include "ui/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace editors {

// Runs `answer` on the modal window whose object name is `name` once it is the active modal
// window. After five seconds it closes whatever modal window is open instead, so that a test
// fails rather than hangs. Deleting the returned watch withdraws the answer.
inline QPointer<QTimer> whenModal(const QString& name, std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        } else if (deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
            qWarning("no modal window named %s appeared", qPrintable(name));
            if (modal)
                modal->close();
        }
    });
    poll->start(5);
    return poll;
}

// What a message box showed.
struct Box {
    int shown = 0;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Answers the next message box by clicking the button named `button` ("Yes", "No", "OK").
inline QPointer<QTimer> answerBox(const QString& button, Box& seen) {
    return whenModal(QStringLiteral("MessageBox"), [button, &seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ++seen.shown;
        seen.text = box->text();
        seen.caption = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons.clear();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->objectName();
        seen.buttons.sort();
        if (QAbstractButton* b = box->findChild<QAbstractButton*>(button))
            b->click();
        else
            box->close();
    });
}

inline QByteArray fileBytes(const QString& path = QString::fromLatin1(TData::FileName)) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A store read back from the data file in the current directory.
inline std::unique_ptr<TData> reload() {
    auto data = std::make_unique<TData>();
    data->Load();
    return data;
}

// The program, started in a temporary current directory whose data file `seed` wrote first,
// with the main window shown (which loads the file and fills the list and the pickers).
class Session {
public:
    explicit Session(const std::function<void(TData&)>& seed = {})
        : m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
        if (seed) {
            TData data;
            seed(data);
            if (!data.Save().ok)
                qWarning("the seed data file could not be written");
        }
        StartUp();
        MainForm->show();
        if (!QTest::qWaitForWindowExposed(MainForm))
            qWarning("the main window was not shown");
    }
    ~Session() {
        ShutDown();
        QDir::setCurrent(m_previous);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The texts of a combo box's items.
template <typename Control> QStringList itemTexts(const Control& control) {
    QStringList texts;
    for (int i = 0; i < control.count(); ++i) {
        if constexpr (requires { control.itemText(i); })
            texts << control.itemText(i);
        else
            texts << control.item(i)->text();
    }
    return texts;
}

} // namespace editors
