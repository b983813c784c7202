#include "platform/panel.h"

TPanel::TPanel(QWidget* owner) : TCustomPanel(owner) {
}
