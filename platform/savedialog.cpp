#include "platform/savedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// "Name (*.a)|*.a|Other|*.b;*.c" in the form Qt reads: "Name (*.a);;Other (*.b *.c)". A name
// that shows its own patterns in brackets is kept whole; Qt takes the patterns from there.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.endsWith(QLatin1Char(')'))) {
            filters << name;
            continue;
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*"); // every file, with or without a dot
        }
        filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

bool TSaveDialog::Execute(QWidget* parent) {
    QFileDialog dialog(parent, Title);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!Filter.isEmpty())
        dialog.setNameFilter(qtFilter(Filter));
    dialog.setDefaultSuffix(DefaultExt);
    if (!FileName.isEmpty()) {
        const QFileInfo last(FileName);
        if (last.isAbsolute())
            dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }

    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return false;

    QString file = chosen.first();
    if (!DefaultExt.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + DefaultExt;
    FileName = QDir::cleanPath(file);
    return true;
}
