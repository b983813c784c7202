#include "output/publishcommand.h"

#include "platform/savedialog.h"
#include "ui/mainform.h"

void SetupPublishDialog(TSaveDialog& dialog)
{
    dialog.Title = QStringLiteral("Publish Notes");
    dialog.Filter = QStringLiteral("HTML (*.htm)|*.htm");
    dialog.DefaultExt = QStringLiteral("htm");
    dialog.Options |= ofHideReadOnly;
}

void TMainForm::Publish1Click()
{
}
