#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QSystemTrayIcon;

// The program's icon in the notification area, standing while Active. Where the desktop has
// no notification area the icon is kept but never shown (Available() is false).
class TRxTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TRxTrayIcon(QObject* parent = nullptr);

    static bool Available();
    // Stands in for a desktop with (1) or without (0) a notification area; -1 asks the desktop.
    static void setAvailableOverride(int available);

    QString Hint() const;
    void setHint(const QString& hint);
    QIcon Icon() const;
    void setIcon(const QIcon& icon);
    bool Active() const { return m_active; }
    void setActive(bool active);
    bool Visible() const;

Q_SIGNALS:
    void DblClick();

private:
    void apply();

    QSystemTrayIcon* m_tray;
    bool m_active = true;
};
