#include "platform/trayicon.h"

#include <QSystemTrayIcon>

TRxTrayIcon::TRxTrayIcon(QObject* parent) : QObject(parent), m_tray(new QSystemTrayIcon(this)) {
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            Q_EMIT DblClick();
    });
}

namespace {
int availableOverride = -1;
}

bool TRxTrayIcon::Available() {
    return availableOverride >= 0 ? availableOverride == 1
                                  : QSystemTrayIcon::isSystemTrayAvailable();
}

void TRxTrayIcon::setAvailableOverride(int available) {
    availableOverride = available;
}

QString TRxTrayIcon::Hint() const {
    return m_tray->toolTip();
}

void TRxTrayIcon::setHint(const QString& hint) {
    m_tray->setToolTip(hint);
}

QIcon TRxTrayIcon::Icon() const {
    return m_tray->icon();
}

void TRxTrayIcon::setIcon(const QIcon& icon) {
    m_tray->setIcon(icon);
    apply();
}

void TRxTrayIcon::setActive(bool active) {
    m_active = active;
    apply();
}

bool TRxTrayIcon::Visible() const {
    return m_tray->isVisible();
}

// An icon without a picture would stand as an empty square, so it waits for its picture.
void TRxTrayIcon::apply() {
    m_tray->setVisible(m_active && QSystemTrayIcon::isSystemTrayAvailable() &&
                       !m_tray->icon().isNull());
}
