#include "platform/custompanel.h"

#include <QApplication>
#include <QChildEvent>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>

namespace {
const char* const alignProperty = "Align";
}

void SetAlign(QWidget* control, TAlign align) {
    // The parent panel watches its children's property changes and lays them out again.
    control->setProperty(alignProperty, static_cast<int>(align));
}

TAlign AlignOf(const QWidget* control) {
    const QVariant value = control->property(alignProperty);
    return value.isValid() ? static_cast<TAlign>(value.toInt()) : alNone;
}

QColor clGray() {
    return QColor(128, 128, 128);
}

QColor clBtnFace() {
    return QApplication::palette().color(QPalette::Button);
}

TCustomPanel::TCustomPanel(QWidget* owner) : QFrame(owner) {
    setAutoFillBackground(true);
    setColor(clBtnFace());
    updateBevel();
}

void TCustomPanel::setBevelInner(TBevelCut bevel) {
    m_bevelInner = bevel;
    updateBevel();
}

void TCustomPanel::setBevelOuter(TBevelCut bevel) {
    m_bevelOuter = bevel;
    updateBevel();
}

void TCustomPanel::updateBevel() {
    // One line per bevel; the outer bevel decides whether the border looks raised or sunken.
    const int lines = (m_bevelInner != bvNone) + (m_bevelOuter != bvNone);
    if (lines == 0) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        const TBevelCut face = m_bevelOuter != bvNone ? m_bevelOuter : m_bevelInner;
        setFrameStyle(QFrame::Panel | (face == bvRaised ? QFrame::Raised : QFrame::Sunken));
        setLineWidth(lines);
    }
    AlignControls();
}

void TCustomPanel::setColor(const QColor& color) {
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void TCustomPanel::AlignControls() {
    if (m_aligning)
        return;
    m_aligning = true;
    const QRect inside = contentsRect();
    int left = inside.left();
    int top = inside.top();
    int right = left + inside.width();
    int bottom = top + inside.height();
    for (const TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (QObject* child : children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control || control->isWindow() || control->isHidden() || AlignOf(control) != pass)
                continue;
            // Edge controls keep their own height or width even when it exceeds the room
            // left; only the client control is cut to what remains.
            const int width = std::max(0, right - left);
            const int height = std::max(0, bottom - top);
            switch (pass) {
            case alTop:
                control->setGeometry(left, top, width, control->height());
                top += control->height();
                break;
            case alBottom:
                control->setGeometry(left, bottom - control->height(), width, control->height());
                bottom -= control->height();
                break;
            case alLeft:
                control->setGeometry(left, top, control->width(), height);
                left += control->width();
                break;
            case alRight:
                control->setGeometry(right - control->width(), top, control->width(), height);
                right -= control->width();
                break;
            case alClient:
                control->setGeometry(left, top, width, height);
                break;
            case alNone:
                break;
            }
        }
    }
    m_aligning = false;
}

void TCustomPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    AlignControls();
    if (OnResize)
        OnResize(this);
}

void TCustomPanel::childEvent(QChildEvent* event) {
    QFrame::childEvent(event);
    if (event->added() && event->child()->isWidgetType()) {
        event->child()->installEventFilter(this);
        AlignControls();
    } else if (event->removed()) {
        // A child being destroyed no longer reports itself as a widget; lay out in any case.
        event->child()->removeEventFilter(this);
        AlignControls();
    }
}

bool TCustomPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched->parent() == this) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            AlignControls();
            break;
        case QEvent::DynamicPropertyChange:
            if (static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == alignProperty)
                AlignControls();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TCustomPanel::mousePressEvent(QMouseEvent* event) {
    if (!OnMouseDown)
        return QFrame::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TCustomPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!OnMouseMove)
        return QFrame::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TCustomPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (!OnMouseUp)
        return QFrame::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}
