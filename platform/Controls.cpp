#include "platform/Controls.h"

#include <QPalette>

TGraphicControl::TGraphicControl(QWidget *owner) : QWidget(owner)
{
    setAutoFillBackground(false);
}

void TGraphicControl::setColor(const QColor &color)
{
    m_color = color;
    update();
}

TCustomControl::TCustomControl(QWidget *owner) : QWidget(owner)
{
    setAutoFillBackground(true);
    setColor(Qt::white);
}

QColor TCustomControl::color() const
{
    return palette().color(QPalette::Window);
}

void TCustomControl::setColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

namespace divisheet {

QObject *findComponent(const QObject *owner, const QString &name)
{
    if (!owner)
        return nullptr;
    for (QObject *child : owner->children()) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

} // namespace divisheet

namespace divisheet {

QSize outerSize(const QWidget *window)
{
    // Before a window manager has framed the window, this is the client area's size.
    return window->frameGeometry().size();
}

} // namespace divisheet
