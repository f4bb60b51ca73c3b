#pragma once

#include <QFrame>
#include <QGroupBox>

// A raised panel in the button face colour that holds other controls.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TPanel(QWidget *parent = nullptr);
};

// An opaque box with a caption around a group of controls.
class TGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit TGroupBox(QWidget *parent = nullptr);
};
