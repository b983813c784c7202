#include "ui/savefailure.h"

#include "platform/application.h"

void ReportSaveFailure(const TSaveResult& result) {
    if (result.ok)
        return;
    QString reason = ToQString(result.error);
    if (!reason.isEmpty() && !reason.endsWith(QLatin1Char('.')))
        reason += QLatin1Char('.');
    Application->MessageBox(
        QStringLiteral("The notes could not be saved to the data file\n%1\n\n%2\n\n"
                       "Your change is kept in memory and will be written at the next "
                       "successful save.")
            .arg(ToQString(result.path), reason),
        QStringLiteral("Save Failed"), MB_OK | MB_ICONSTOP);
}

bool SaveData() {
    const TSaveResult result = Data->Save();
    ReportSaveFailure(result);
    return result.ok;
}
