#pragma once

#include <QString>

class QWidget;

enum : int { ofHideReadOnly = 0x4 };

// The file dialog for saving: a title, a filter in "Name (*.ext)|*.ext" form, a default
// extension added to a name typed without one, and the last chosen name kept between uses.
class TSaveDialog {
public:
    QString Title;
    QString Filter;
    QString DefaultExt;
    QString FileName; // full path of the last chosen file
    int Options = 0;

    // Shows the dialog modally; true when the user chose a file (then in FileName).
    bool Execute(QWidget* parent = nullptr);
};
