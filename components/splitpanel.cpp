#include "components/splitpanel.h"

namespace {

// Reparenting hides a control; one that its user had not hidden shows again with the panel.
void adopt(QWidget* control, QWidget* panel, TAlign align) {
    if (!control)
        return;
    const bool hiddenByUser =
        control->isHidden() && control->testAttribute(Qt::WA_WState_ExplicitShowHide);
    control->setParent(panel);
    SetAlign(control, align);
    if (!hiddenByUser)
        control->show();
}

} // namespace

TSplitPanel::TSplitPanel(QWidget* owner) : TCustomPanel(owner) {
}

TSplitPanel::TSplitPanel(QWidget* owner, QWidget* topControl, QWidget* bottomControl)
    : TCustomPanel(owner) {
    setBevelInner(bvNone);
    setBevelOuter(bvNone);
    TopControl = topControl;
    BottomControl = bottomControl;
    adopt(topControl, this, alClient);
    adopt(bottomControl, this, alBottom);
    // Created last, so that it lies above the lower control's top edge.
    SplitBar = new TPanel(this);
    SetAlign(SplitBar, alNone);
    OnResize = [this](QObject* sender) {
        PanelResize(sender);
    };
    SplitBar->setCursor(Qt::SplitVCursor);
    // Moves are reported with no button down too, as the bar's handler expects to see them.
    SplitBar->setMouseTracking(true);
    SplitBar->OnMouseDown = [this](QObject* sender, Qt::MouseButton button,
                                   Qt::KeyboardModifiers shift, int x, int y) {
        SplitBarMouseDown(sender, button, shift, x, y);
    };
    SplitBar->OnMouseUp = [this](QObject* sender, Qt::MouseButton button,
                                 Qt::KeyboardModifiers shift, int x, int y) {
        SplitBarMouseUp(sender, button, shift, x, y);
    };
    SplitBar->OnMouseMove = [this](QObject* sender, Qt::KeyboardModifiers shift, int x, int y) {
        SplitBarMouseMove(sender, shift, x, y);
    };
}

TSplitPanel::~TSplitPanel() {
    // The controls are lent to the panel, not given: hand them back before Qt would free them
    // with the panel's children.
    for (QWidget* control : {TopControl.data(), BottomControl.data()}) {
        if (control && control->parentWidget() == this) {
            control->hide();
            control->setParent(parentWidget());
        }
    }
}

void TSplitPanel::PanelResize(QObject*) {
    const int top = BottomControl ? BottomControl->y() : SplitBar->y();
    SplitBar->setGeometry(0, top, width(), BarHeight);
}

void TSplitPanel::SplitBarMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int y) {
    DragY = y;
    SplitBar->setColor(clGray());
}

void TSplitPanel::SplitBarMouseMove(QObject*, Qt::KeyboardModifiers, int, int y) {
    if (DragY <= -1)
        return;
    SplitBar->move(SplitBar->x(), SplitBar->y() + y - DragY);
}

void TSplitPanel::SplitBarMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    DragY = -1;
    if (SplitBar->y() < 0)
        SplitBar->move(SplitBar->x(), 0);
    else if (height() - SplitBar->height() < SplitBar->y())
        SplitBar->move(SplitBar->x(), height() - SplitBar->height());
    if (BottomControl) {
        // The bar ends where the lower control begins; the upper control takes the rest.
        BottomControl->resize(BottomControl->width(), height() - SplitBar->y());
        AlignControls();
        SplitBar->move(SplitBar->x(), BottomControl->y());
    }
    SplitBar->setColor(clBtnFace());
}
