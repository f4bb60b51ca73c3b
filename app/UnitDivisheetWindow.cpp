#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "sheet/SheetLayout.h"
#include "platform/Controls.h"
#include "platform/ErrorBoundary.h"

#include <QMouseEvent>

// The main form as a window on the desktop: its size under a window manager and the
// double click on its free area.

using namespace divisheet;

bool TFormDivisheet::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        fitFrameToDesign();
        break;
    default:
        break;
    }
    const bool handled = QWidget::event(event);
    // The code, and the settings line at the foot of a titled sheet, stay at the window's foot.
    if (event->type() == QEvent::Resize) {
        placeSheetCodeLabel();
        if (m_sheetPageOptions.hasTitle())
            showPageHeader();
    }
    return handled;
}

// A window manager frames the window only after it is shown, and tells Qt the frame's
// size later still (the window then moves inside its frame). The first time a frame is
// known, the client area shrinks by it, so that the window's outer size is the designed
// one and every sheet, the start-up sheet included, is laid out from the same size.
void TFormDivisheet::fitFrameToDesign()
{
    if (m_frameFitted || !isVisible() || (windowState() & ~Qt::WindowActive) != Qt::WindowNoState)
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isNull())
        return;
    m_frameFitted = true;
    resize(clientSizeFor(m_designOuterSize, frame));
}

// The panels stand at fixed places and the window does not scroll: a window smaller than
// the panels reach would cut controls off beyond reach, so it may not become smaller.
void TFormDivisheet::keepPanelsInside()
{
    QRect reach = ui->PanelButtons->geometry() | ui->GroupBoxStart->geometry();
    if (!ui->PanelDataKakunin->isHidden())
        reach |= ui->PanelDataKakunin->geometry();
    setMinimumSize(reach.right() + 1, reach.bottom() + 1);
}

QSize TFormDivisheet::sheetOuterSize() const
{
    return m_paperOuterSize.value_or(outerSize(this));
}

void TFormDivisheet::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the form's free area makes a new sheet; a double click on a figure or a
    // control belongs to that control.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        runHandler([this] {
            commitTypedSettings();
            FormDblClick(this);
        });
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
