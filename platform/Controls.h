#pragma once

#include <QColor>
#include <QWidget>

// A control without a surface of its own: it draws on its parent's background inside
// its bounds, so whatever the parent shows there shows through where it paints nothing.
class TGraphicControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TGraphicControl(QWidget *owner = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

private:
    QColor m_color = Qt::white;
};

// A windowed control with its own surface, whose background is erased in its colour
// before anything is painted on it.
class TCustomControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TCustomControl(QWidget *owner = nullptr);

    QColor color() const;
    void setColor(const QColor &color);
};

namespace divisheet {

// The child of `owner` named `name`, compared without regard to letter case; nullptr
// if there is none. Only direct children count: they are what the owner owns.
QObject *findComponent(const QObject *owner, const QString &name);

template <typename T>
T *findComponent(const QObject *owner, const QString &name)
{
    return qobject_cast<T *>(findComponent(owner, name));
}

} // namespace divisheet

namespace divisheet {

// The window's outer size, frame and caption bar included where the platform draws
// them.
QSize outerSize(const QWidget *window);

} // namespace divisheet
