#include "platform/RadioGroup.h"

#include "platform/ErrorRelay.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

#include <algorithm>

TRadioGroup::TRadioGroup(QWidget *parent) : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    // idToggled(true) comes both from a user's click and from setChecked() by the
    // program; the button that lost its check has already reported false by then.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && !m_updating)
            divisheet::ErrorRelay::run([this] { emit Click(); });
    });
}

void TRadioGroup::setItems(const QStringList &items)
{
    const int keep = itemIndex();
    m_updating = true;
    for (QAbstractButton *button : m_group->buttons()) {
        m_group->removeButton(button);
        delete button;
    }
    m_items = items;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *button = new QRadioButton(m_items[i], this);
        button->setObjectName(QStringLiteral("item%1").arg(i));
        m_group->addButton(button, i);
        button->show();
    }
    // The selected index survives new items as far as it still exists; the new
    // buttons are checked quietly because the choice has not changed.
    const int index = std::min(keep, int(m_items.size()) - 1);
    if (index >= 0)
        m_group->button(index)->setChecked(true);
    m_updating = false;
    arrangeButtons();
}

int TRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    // Out-of-range values are pulled into -1 .. Items.count - 1.
    index = std::clamp(index, -1, int(m_items.size()) - 1);
    const int current = itemIndex();
    if (index == current)
        return;
    if (index < 0) {
        // An exclusive group keeps one button checked; let go of it for a moment.
        // No item becomes checked, so no Click.
        m_group->setExclusive(false);
        m_group->button(current)->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    divisheet::ErrorRelay relay;
    m_group->button(index)->setChecked(true); // runs Click through idToggled
    relay.rethrow();
}

QRadioButton *TRadioGroup::itemButton(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

QRect TRadioGroup::itemRect(int index, int count, QSize box, int textHeight)
{
    // One column of buttons: the space under the caption line is divided evenly, the
    // rest of the division centred.
    if (count <= 0 || index < 0 || index >= count)
        return {};
    const int space = box.height() - textHeight - 5;
    const int buttonHeight = space / count;
    const int topMargin = textHeight + 1 + (space % count) / 2;
    return QRect(8, topMargin + index * buttonHeight, box.width() - 10, buttonHeight);
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrangeButtons();
}

void TRadioGroup::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        arrangeButtons();
}

void TRadioGroup::arrangeButtons()
{
    const int count = int(m_items.size());
    const int textHeight = fontMetrics().height();
    for (int i = 0; i < count; ++i) {
        if (QAbstractButton *button = m_group->button(i))
            button->setGeometry(itemRect(i, count, size(), textHeight));
    }
}
