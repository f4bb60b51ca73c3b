#include "app/DesignedWindow.h"

#include "sheet/SheetLayout.h"

#include <QEvent>

bool TDesignedWindow::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
        fitFrameToDesign();
    return QWidget::event(event);
}

void TDesignedWindow::fitFrameToDesign()
{
    if (m_frameFitted || !isVisible() || (windowState() & ~Qt::WindowActive) != Qt::WindowNoState)
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isNull())
        return;
    m_frameFitted = true;
    resize(divisheet::clientSizeFor(m_designedOuterSize, frame));
}
