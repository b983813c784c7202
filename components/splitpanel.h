#pragma once

#include "platform/custompanel.h"
#include "platform/panel.h"

#include <QPointer>

// Two controls stacked in a panel with a 5-pixel bar between them that the user drags up or
// down to change the lower control's height.
//
// Ownership: the panel becomes the parent of both controls, but does not own them. When the
// panel is destroyed it hands them back, hidden, to its own parent (or to no parent when it
// has none), so whoever owns the panel frees them, once. The bar is the panel's child and is
// freed with it. A control deleted before the panel is simply forgotten, and a missing one (null)
// leaves its part of the panel empty.
class TSplitPanel : public TCustomPanel {
    Q_OBJECT
public:
    // The plain panel a form loader or designer makes: no bar, no controls, no mouse handling.
    explicit TSplitPanel(QWidget* owner = nullptr);
    TSplitPanel(QWidget* owner, QWidget* topControl, QWidget* bottomControl);
    ~TSplitPanel() override;

    QPointer<QWidget> TopControl;
    TPanel* SplitBar = nullptr;
    QPointer<QWidget> BottomControl;
    int DragY = -1;

    static constexpr int BarHeight = 5;

    void PanelResize(QObject* sender);
    void SplitBarMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                           int x, int y);
    void SplitBarMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int x, int y);
    void SplitBarMouseUp(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         int x, int y);
};
