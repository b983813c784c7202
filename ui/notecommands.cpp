#include "ui/forms.h"
#include "ui/mainform.h"

void TMainForm::Add1Click() {}

void TMainForm::Edit2Click() {}

void TMainForm::Delete1Click() {}

void TMainForm::Categories1Click() {}

void TMainForm::BitBtn1Click() { Add1Click(); }

void TMainForm::BitBtn2Click() { Edit2Click(); }

void TMainForm::BitBtn3Click() { Delete1Click(); }

void TMainForm::BitBtn4Click() { Categories1Click(); }
