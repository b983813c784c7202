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

#include "support/files.h"
#include "support/modal.h"

#include <QTest>

#include <functional>
#include <memory>

namespace editors {

using support::answerBox;
using support::Box;
using support::whenModal;

inline QByteArray fileBytes(const QString& path = QString::fromLatin1(TData::FileName)) {
    return support::readAll(path);
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
    explicit Session(const std::function<void(TData&)>& seed = {}) {
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
    ~Session() { ShutDown(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QString path() const { return m_dir.path(); }

private:
    support::ScratchDir m_dir;
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
