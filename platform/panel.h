#pragma once

#include "platform/custompanel.h"

// The plain panel placed on forms: a custom panel with nothing added.
class TPanel : public TCustomPanel {
    Q_OBJECT
public:
    explicit TPanel(QWidget* owner = nullptr);
};
