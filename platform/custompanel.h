#pragma once

#include <QColor>
#include <QFrame>

#include <functional>

// How a control sits in its parent panel: stacked against an edge at its own height (top,
// bottom) or width (left, right), filling what the others leave (client), or left where it is.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The two bevels of a panel's border.
enum TBevelCut { bvNone, bvLowered, bvRaised };

// A child control's alignment, kept on the control so that any widget can be aligned.
void SetAlign(QWidget* control, TAlign align);
TAlign AlignOf(const QWidget* control);

// The colours panels are given by name: a fixed mid grey, and the style's button face.
QColor clGray();
QColor clBtnFace();

// A container with a bevelled border that lays out its aligned children whenever its size or
// theirs changes, and reports its own resizes and mouse events to handlers set by its user.
// Mouse positions are relative to the panel.
class TCustomPanel : public QFrame {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;
    using TMouseMoveEvent =
        std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;

    explicit TCustomPanel(QWidget* owner = nullptr);

    TBevelCut BevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut bevel);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut bevel);

    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    // Lays out the aligned children in the area inside the border, in the order top, bottom,
    // left, right, client.
    void AlignControls();

    // Called after the children have been laid out for a new size.
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateBevel();

    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvRaised;
    QColor m_color;
    bool m_aligning = false;
};
