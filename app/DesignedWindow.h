#pragma once

#include <QSize>
#include <QWidget>

// A top-level window laid out for a designed outer size, frame and caption bar included. A
// window manager frames a window only after it is shown, and tells Qt the frame's size later
// still (the window then moves inside its frame). The first time a frame is known, the client
// area shrinks by it, so that the outer size is the designed one and every page laid out from
// it, the first included, is laid out from the same size.
class TDesignedWindow : public QWidget
{
public:
    using QWidget::QWidget;

    // The outer size the window was designed at: its size when keepDesignedSize() was called.
    QSize designedOuterSize() const { return m_designedOuterSize; }

protected:
    // Records the window's present size, before any frame, as the designed outer size.
    void keepDesignedSize() { m_designedOuterSize = size(); }
    bool event(QEvent *event) override;

private:
    void fitFrameToDesign();

    QSize m_designedOuterSize;
    bool m_frameFitted = false;
};
