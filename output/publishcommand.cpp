#include "output/publishcommand.h"

#include "platform/application.h"
#include "platform/savedialog.h"
#include "store/data.h"
#include "ui/mainform.h"

void SetupPublishDialog(TSaveDialog& dialog) {
    dialog.Title = QStringLiteral("Publish Notes");
    dialog.Filter = QStringLiteral("HTML (*.htm)|*.htm");
    dialog.DefaultExt = QStringLiteral("htm");
    dialog.Options = ofHideReadOnly;
}

void TMainForm::Publish1Click() {
    // Set up on first use; the dialog keeps the last chosen name from then on.
    if (SaveDialog1.Title.isEmpty())
        SetupPublishDialog(SaveDialog1);
    if (!SaveDialog1.Execute(this) || SaveDialog1.FileName.isEmpty())
        return;

    const TPublishResult result = Data->PublishHtml(SaveDialog1.FileName.toStdString());
    if (!result.ok) {
        Application->MessageBox(
            QStringLiteral("The notes could not be published to \"%1\": %2\n\n"
                           "Nothing was written there. Choose another folder or file name "
                           "and publish again.")
                .arg(QString::fromStdString(result.path), QString::fromStdString(result.error)),
            QStringLiteral("Publish Notes"), MB_OK | MB_ICONSTOP);
    }
}
