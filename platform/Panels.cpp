#include "platform/Panels.h"

#include <QPalette>

TPanel::TPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

TGroupBox::TGroupBox(QWidget *parent) : QGroupBox(parent)
{
    // Opaque, so that a group box lying over the sheet hides the figures under it.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}
