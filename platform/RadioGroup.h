#pragma once

#include <QGroupBox>
#include <QRect>
#include <QSize>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned box of mutually exclusive items, one radio button per item, stacked
// evenly in the box. Setting ItemIndex from the program checks that item and, if the
// index changed, runs Click at once; a user's choice of another item runs Click too.
// ItemIndex is -1 while no item is checked.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemIndex READ itemIndex WRITE setItemIndex)

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);

    int itemIndex() const;
    void setItemIndex(int index);

    // The radio button of item `index`, for tests and accessibility.
    QRadioButton *itemButton(int index) const;

    // Where item `index` of `count` lies in a box of size `box` whose caption font is
    // `textHeight` pixels high: one column, the height under the caption shared evenly.
    static QRect itemRect(int index, int count, QSize box, int textHeight);

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void arrangeButtons();

    QStringList m_items;
    QButtonGroup *m_group;
    bool m_updating = false; // rebuilding the buttons: no Click
};
