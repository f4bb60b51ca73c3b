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
    // A sheet looks up every figure among all of the form's children, whose names differ
    // mostly in their length or their last character (DynLongDivision1, …2): those two
    // cheap tests come before the full comparison.
    const QChar last = name.isEmpty() ? QChar() : name.back().toCaseFolded();
    for (QObject *child : owner->children()) {
        const QString childName = child->objectName();
        if (childName.size() != name.size() || (!name.isEmpty() && childName.back().toCaseFolded() != last))
            continue;
        if (childName.compare(name, Qt::CaseInsensitive) == 0)
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
