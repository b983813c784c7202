#pragma once

// Answers to the modal windows a test opens. A timer polls QApplication::activeModalWidget()
// until the wanted window is up and answers it; after five seconds it closes whatever modal
// window is open instead, so that a test fails rather than hangs.

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

namespace support {

// Runs `answer` on the first visible modal window that `wanted` accepts; warns with `missing`
// when none came. Deleting the returned watch withdraws the answer.
inline QPointer<QTimer> whenModal(std::function<bool(QWidget*)> wanted,
                                  std::function<void(QWidget*)> answer, const QString& missing) {
    auto* poll = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && wanted(modal)) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        } else if (deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
            qWarning("%s", qPrintable(missing));
            if (modal)
                modal->close();
        }
    });
    poll->start(5);
    return poll;
}

// The modal window whose object name is `name`; with no name, any message box.
inline QPointer<QTimer> whenModal(const QString& name, std::function<void(QWidget*)> answer) {
    return whenModal(
        [name](QWidget* w) {
            return name.isEmpty() ? qobject_cast<QMessageBox*>(w) != nullptr
                                  : w->objectName() == name;
        },
        std::move(answer), QStringLiteral("no modal window named %1 appeared").arg(name));
}

// The next file dialog, whatever its object name.
inline QPointer<QTimer> whenSaveDialog(std::function<void(QFileDialog*)> answer) {
    return whenModal(
        [](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
        [answer = std::move(answer)](QWidget* w) { answer(qobject_cast<QFileDialog*>(w)); },
        QStringLiteral("no save dialog appeared"));
}

// Puts `name` in `folder` into a save dialog and saves; `beforeSave` runs just before.
inline void typeAndSave(QFileDialog* dialog, const QString& folder, const QString& name,
                        const std::function<void()>& beforeSave = {}) {
    dialog->setDirectory(folder);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) {
        qWarning("the save dialog has no file name box");
        dialog->reject();
        return;
    }
    // Set rather than typed: the name box's completer would offer files already there.
    edit->setText(name);
    if (beforeSave)
        beforeSave();
    QTest::keyClick(edit, Qt::Key_Return);
}

// What a message box showed.
struct Box {
    int shown = 0;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Answers the program's next message box by clicking the button named `button` ("Yes", "No",
// "OK"), after noting what it showed; closes it when it has no such button.
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

} // namespace support
