#include "platform/Buttons.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/Panels.h"
#include "platform/RadioGroup.h"
#include "platform/SpinEdit.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <array>
#include <memory>

using divisheet::test::shown;

namespace {

// A spin edit of the range minimum..maximum showing `text`, with the edit field and the
// step test exposed for checking.
class ProbeSpinEdit : public TSpinEdit
{
public:
    ProbeSpinEdit(int minimum, const QString &text, int maximum = 9)
    {
        setMinValue(minimum);
        setMaxValue(maximum);
        lineEdit()->setText(text);
    }
    using TSpinEdit::lineEdit;
    using TSpinEdit::stepEnabled;
};

// N radio buttons on `parent`, captioned a, b, c..., one below another.
template <int N>
std::array<TRadioButton *, N> radioButtons(QWidget &parent)
{
    parent.resize(200, 80);
    std::array<TRadioButton *, N> buttons;
    for (int i = 0; i < N; ++i) {
        buttons[i] = new TRadioButton(&parent);
        buttons[i]->setText(QString(QChar(u'a' + i)));
        buttons[i]->setGeometry(8, 8 + 24 * i, 120, 17);
    }
    return buttons;
}

// Plain text and underlined characters of a rich text, as a text document shows them.
struct RenderedCaption {
    QString text;
    QString underlined;
};

RenderedCaption render(const QString &richText)
{
    QTextDocument document;
    document.setHtml(richText);
    RenderedCaption result;
    result.text = document.toPlainText();
    for (int pos = 0; pos < result.text.size(); ++pos) {
        QTextCursor cursor(&document);
        cursor.setPosition(pos);
        cursor.setPosition(pos + 1, QTextCursor::KeepAnchor);
        if (cursor.charFormat().fontUnderline())
            result.underlined += result.text[pos];
    }
    return result;
}

} // namespace

class TestPlatformWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void checkBoxProgramSet_data();
    void checkBoxProgramSet();
    void checkBoxUserClick();

    void radioButtonProgramSet();
    void radioButtonUserClick_data();
    void radioButtonUserClick();
    void radioButtonArrowKeySkipsDisabled();

    void radioGroupItemIndex();
    void radioGroupUserChoice();
    void radioGroupAccelerators();
    void radioGroupItemRect_data();
    void radioGroupItemRect();
    void radioGroupButtonsFollowGeometry();

    void spinEditMinValueDoesNotClamp();
    void spinEditReadsItsText_data();
    void spinEditReadsItsText();
    void spinEditWrites_data();
    void spinEditWrites();
    void spinEditClampsWhenLeftAfterTyping();

    void labelRichText_data();
    void labelRichText();
    void labelShowsAcceleratorUnderlined();
    void labelGrowsWithText();
    void labelFontHeight();
    void fontHeight_data();
    void fontHeight();

    void buttonAccelerator();
    void panelFillsInButtonFace();
};

void TestPlatformWidgets::initTestCase()
{
    divisheet::installFontSubstitutions();
}

// ---- check box -------------------------------------------------------------------

void TestPlatformWidgets::checkBoxProgramSet_data()
{
    QTest::addColumn<bool>("initial");
    QTest::addColumn<bool>("set");
    QTest::addColumn<int>("clicks");
    QTest::newRow("unchecked to checked") << false << true << 1;
    QTest::newRow("checked to unchecked") << true << false << 1;
    QTest::newRow("unchecked stays unchecked") << false << false << 0;
    QTest::newRow("checked stays checked") << true << true << 0;
}

void TestPlatformWidgets::checkBoxProgramSet()
{
    QFETCH(bool, initial);
    QFETCH(bool, set);
    QFETCH(int, clicks);

    TCheckBox box;
    box.setChecked(initial);
    int runs = 0;
    bool stateSeenInHandler = !set;
    connect(&box, &TCheckBox::Click, &box, [&] {
        ++runs;
        stateSeenInHandler = box.isChecked();
    });
    box.setProperty("Checked", set);
    // The handler has run inside the setting operation, already seeing the new state.
    QCOMPARE(runs, clicks);
    QCOMPARE(box.isChecked(), set);
    if (clicks > 0)
        QCOMPARE(stateSeenInHandler, set);
}

void TestPlatformWidgets::checkBoxUserClick()
{
    TCheckBox box;
    box.setText(QStringLiteral("解答も印刷(&O)"));
    box.resize(145, 17);
    QSignalSpy clicks(&box, &TCheckBox::Click);
    for (const int click : {1, 2}) { // on, then off again
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(box.isChecked(), click == 1);
        QCOMPARE(clicks.count(), click);
    }
}

// ---- radio button ----------------------------------------------------------------

void TestPlatformWidgets::radioButtonProgramSet()
{
    QWidget parent;
    const auto [a, b, c] = radioButtons<3>(parent);
    QSignalSpy clickA(a, &TRadioButton::Click);
    QSignalSpy clickB(b, &TRadioButton::Click);
    QSignalSpy clickC(c, &TRadioButton::Click);
    bool aCheckedWhenBRan = true;
    connect(b, &TRadioButton::Click, b, [&] { aCheckedWhenBRan = a->isChecked(); });

    a->setProperty("Checked", true);
    QCOMPARE(clickA.count(), 1);

    b->setProperty("Checked", true);
    QCOMPARE(clickB.count(), 1);
    QVERIFY(b->isChecked());
    QVERIFY(!a->isChecked());
    QVERIFY(!c->isChecked());
    QVERIFY(!aCheckedWhenBRan); // the sibling was unchecked before the handler ran
    QCOMPARE(clickA.count(), 1); // losing the check is no click

    // Setting true when already checked runs nothing.
    b->setProperty("Checked", true);
    QCOMPARE(clickB.count(), 1);
    QCOMPARE(clickA.count() + clickC.count(), 1);
}

void TestPlatformWidgets::radioButtonUserClick_data()
{
    QTest::addColumn<bool>("checkedBefore"); // the clicked button, or else its sibling
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checkedAfter");
    QTest::addColumn<int>("clicks");
    QTest::newRow("on the unchecked button") << false << true << true << 1;
    QTest::newRow("on the checked button changes nothing") << true << true << true << 0;
    QTest::newRow("disabled, unchecked stays unchecked") << false << false << false << 0;
    QTest::newRow("disabled, checked stays checked") << true << false << true << 0;
}

void TestPlatformWidgets::radioButtonUserClick()
{
    QFETCH(bool, checkedBefore);
    QFETCH(bool, enabled);
    QFETCH(bool, checkedAfter);
    QWidget parent;
    const auto [other, clicked] = radioButtons<2>(parent);
    (checkedBefore ? clicked : other)->setChecked(true);
    clicked->setEnabled(enabled);
    QSignalSpy clicks(clicked, &TRadioButton::Click);
    QSignalSpy otherClicks(other, &TRadioButton::Click);

    for (int time = 1; time <= 2; ++time) { // a second click changes nothing more
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(clicked->isChecked(), checkedAfter);
        QCOMPARE(other->isChecked(), !checkedAfter);
        QTEST(int(clicks.count()), "clicks");
        QCOMPARE(otherClicks.count(), 0);
    }
}

void TestPlatformWidgets::radioButtonArrowKeySkipsDisabled()
{
    QWidget parent;
    const auto [a, b, c] = radioButtons<3>(parent);
    b->setEnabled(false);
    a->setChecked(true);
    parent.show();
    parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&parent));
    a->setFocus();
    QTRY_VERIFY(a->hasFocus());
    QSignalSpy clickB(b, &TRadioButton::Click);
    QSignalSpy clickC(c, &TRadioButton::Click);

    QTest::keyClick(a, Qt::Key_Down);
    QVERIFY(!b->isChecked());
    QCOMPARE(clickB.count(), 0);
    QVERIFY(c->isChecked());
    QCOMPARE(clickC.count(), 1);
}

// ---- radio group -----------------------------------------------------------------

void TestPlatformWidgets::radioGroupItemIndex()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("なし(&E)"), QStringLiteral("あり(&X)")});
    QCOMPARE(group.itemIndex(), -1);
    int runs = 0;
    int indexSeenInHandler = -2;
    connect(&group, &TRadioGroup::Click, &group, [&] {
        ++runs;
        indexSeenInHandler = group.itemIndex();
    });

    group.setProperty("ItemIndex", 0);
    QCOMPARE(runs, 1);
    QCOMPARE(indexSeenInHandler, 0);
    QVERIFY(group.itemButton(0)->isChecked());

    group.setProperty("ItemIndex", 0); // same index: nothing runs
    QCOMPARE(runs, 1);

    group.setItemIndex(1);
    QCOMPARE(runs, 2);
    QCOMPARE(indexSeenInHandler, 1);
    QVERIFY(!group.itemButton(0)->isChecked());
    QVERIFY(group.itemButton(1)->isChecked());

    group.setItemIndex(-1); // nothing checked: no item was chosen, no click
    QCOMPARE(group.itemIndex(), -1);
    QVERIFY(!group.itemButton(0)->isChecked());
    QVERIFY(!group.itemButton(1)->isChecked());
    QCOMPARE(runs, 2);

    group.setItemIndex(7); // beyond the items: the last one
    QCOMPARE(group.itemIndex(), 1);
    QCOMPARE(runs, 3);
}

void TestPlatformWidgets::radioGroupUserChoice()
{
    TRadioGroup group;
    group.resize(79, 57);
    group.setItems({QStringLiteral("なし(&E)"), QStringLiteral("あり(&X)")});
    group.setItemIndex(0);
    QSignalSpy clicks(&group, &TRadioGroup::Click);

    QRadioButton *second = group.itemButton(1);
    for (int time = 1; time <= 2; ++time) { // choosing the item already chosen runs nothing
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(6, second->height() / 2));
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(clicks.count(), 1);
    }
}

void TestPlatformWidgets::radioGroupAccelerators()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("なし(&E)"), QStringLiteral("あり(&X)")});
    QCOMPARE(group.itemButton(0)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_E));
    QCOMPARE(group.itemButton(1)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));

    // New items keep the chosen index, quietly.
    group.setItemIndex(1);
    QSignalSpy clicks(&group, &TRadioGroup::Click);
    group.setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QCOMPARE(group.itemIndex(), 1);
    QVERIFY(group.itemButton(1)->isChecked());
    QCOMPARE(clicks.count(), 0);
}

void TestPlatformWidgets::radioGroupItemRect_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<QRect>("expected");
    // 57 - 12 - 5 = 40 under the caption: two buttons of 20, starting at 12 + 1.
    QTest::newRow("remainder box, first") << 0 << 2 << QSize(79, 57) << 12 << QRect(8, 13, 69, 20);
    QTest::newRow("remainder box, second") << 1 << 2 << QSize(79, 57) << 12 << QRect(8, 33, 69, 20);
    // 100 - 15 - 5 = 80: three of 26, the 2 pixels left over split 1 above.
    QTest::newRow("three items, first") << 0 << 3 << QSize(120, 100) << 15 << QRect(8, 17, 110, 26);
    QTest::newRow("three items, last") << 2 << 3 << QSize(120, 100) << 15 << QRect(8, 69, 110, 26);
    QTest::newRow("no such item") << 2 << 2 << QSize(79, 57) << 12 << QRect();
}

void TestPlatformWidgets::radioGroupItemRect()
{
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(QSize, box);
    QFETCH(int, textHeight);
    QFETCH(QRect, expected);
    QCOMPARE(TRadioGroup::itemRect(index, count, box, textHeight), expected);
}

void TestPlatformWidgets::radioGroupButtonsFollowGeometry()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("なし(&E)"), QStringLiteral("あり(&X)")});
    group.resize(79, 57);
    QVERIFY(shown(group)); // a hidden widget hears of its new size when it is shown
    const int textHeight = group.fontMetrics().height();
    for (int i = 0; i < 2; ++i)
        QCOMPARE(group.itemButton(i)->geometry(), TRadioGroup::itemRect(i, 2, QSize(79, 57), textHeight));
    group.resize(90, 80);
    QCOMPARE(group.itemButton(1)->geometry(), TRadioGroup::itemRect(1, 2, QSize(90, 80), textHeight));
}

// ---- spin edit -------------------------------------------------------------------

// Raising the minimum above the value leaves the value as it is, and so does leaving the
// field without having typed.
void TestPlatformWidgets::spinEditMinValueDoesNotClamp()
{
    ProbeSpinEdit spin(1, QStringLiteral("1"));
    QSignalSpy changes(&spin, &TSpinEdit::Change);
    spin.setProperty("MinValue", 2);
    QCOMPARE(spin.value(), 1);
    QCOMPARE(spin.lineEdit()->text(), QStringLiteral("1"));
    QCOMPARE(changes.count(), 0);
    QVERIFY(shown(spin));
    QTest::keyClick(&spin, Qt::Key_Return);
    QCOMPARE(spin.lineEdit()->text(), QStringLiteral("1"));
    QCOMPARE(changes.count(), 0);
}

void TestPlatformWidgets::spinEditReadsItsText_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("up");   // the step arrows enabled
    QTest::addColumn<bool>("down");
    // Maximum 9: reading does not clamp, a non-integer gives the minimum; the arrows go
    // by the value read.
    QTest::newRow("in range") << 3 << QStringLiteral("5") << 5 << true << true;
    QTest::newRow("at minimum") << 1 << QStringLiteral("1") << 1 << true << false;
    QTest::newRow("at maximum") << 1 << QStringLiteral("9") << 9 << false << true;
    QTest::newRow("above maximum, not clamped") << 3 << QStringLiteral("42") << 42 << false << true;
    QTest::newRow("below minimum, not clamped") << 3 << QStringLiteral("1") << 1 << true << false;
    QTest::newRow("negative") << 3 << QStringLiteral("-7") << -7 << true << false;
    QTest::newRow("letters read as minimum") << 3 << QStringLiteral("abc") << 3 << true << false;
    QTest::newRow("empty") << 3 << QString() << 3 << true << false;
    QTest::newRow("sign only") << 3 << QStringLiteral("-") << 3 << true << false;
    QTest::newRow("trailing letter") << 3 << QStringLiteral("12a") << 3 << true << false;
    QTest::newRow("overflow") << 3 << QStringLiteral("99999999999") << 3 << true << false;
    QTest::newRow("full-width digits") << 3 << QStringLiteral("５") << 3 << true << false;
}

void TestPlatformWidgets::spinEditReadsItsText()
{
    QFETCH(int, minimum);
    QFETCH(QString, text);
    QFETCH(int, value);
    ProbeSpinEdit spin(minimum, text);
    QCOMPARE(spin.value(), value);
    QCOMPARE(spin.property("Value").toInt(), value);
    const auto enabled = spin.stepEnabled();
    QTEST(bool(enabled & QAbstractSpinBox::StepUpEnabled), "up");
    QTEST(bool(enabled & QAbstractSpinBox::StepDownEnabled), "down");
}

void TestPlatformWidgets::spinEditWrites_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("step"); // stepBy(amount), or else writing Value = amount
    QTest::addColumn<int>("amount");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");
    // Maximum 9 throughout.
    QTest::newRow("new value") << 1 << QStringLiteral("2") << false << 5 << QStringLiteral("5") << 1;
    QTest::newRow("same value") << 1 << QStringLiteral("5") << false << 5 << QStringLiteral("5") << 0;
    QTest::newRow("value above maximum") << 1 << QStringLiteral("2") << false << 20 << QStringLiteral("9") << 1;
    QTest::newRow("value above maximum, already there") << 1 << QStringLiteral("9") << false << 20 << QStringLiteral("9") << 0;
    QTest::newRow("value below minimum") << 1 << QStringLiteral("2") << false << -3 << QStringLiteral("1") << 1;
    QTest::newRow("value over text that is no integer") << 1 << QStringLiteral("abc") << false << 1 << QStringLiteral("1") << 1;
    QTest::newRow("step up") << 1 << QStringLiteral("2") << true << 1 << QStringLiteral("3") << 1;
    QTest::newRow("step down") << 1 << QStringLiteral("2") << true << -1 << QStringLiteral("1") << 1;
    QTest::newRow("up at maximum") << 1 << QStringLiteral("9") << true << 1 << QStringLiteral("9") << 0;
    QTest::newRow("down at minimum") << 1 << QStringLiteral("1") << true << -1 << QStringLiteral("1") << 0;
    QTest::newRow("up from below a raised minimum") << 2 << QStringLiteral("1") << true << 1 << QStringLiteral("2") << 1;
    QTest::newRow("down from below a raised minimum") << 2 << QStringLiteral("1") << true << -1 << QStringLiteral("2") << 1;
    QTest::newRow("up from above maximum") << 1 << QStringLiteral("15") << true << 1 << QStringLiteral("9") << 1;
    QTest::newRow("up from no integer") << 3 << QStringLiteral("x") << true << 1 << QStringLiteral("4") << 1;
    QTest::newRow("many steps") << 1 << QStringLiteral("2") << true << 100 << QStringLiteral("9") << 1;
}

void TestPlatformWidgets::spinEditWrites()
{
    QFETCH(int, minimum);
    QFETCH(QString, before);
    QFETCH(bool, step);
    QFETCH(int, amount);
    ProbeSpinEdit spin(minimum, before);
    QSignalSpy spy(&spin, &TSpinEdit::Change);
    if (step)
        spin.stepBy(amount);
    else
        spin.setProperty("Value", amount);
    QTEST(spin.lineEdit()->text(), "after");
    QTEST(int(spy.count()), "changes");
}

void TestPlatformWidgets::spinEditClampsWhenLeftAfterTyping()
{
    ProbeSpinEdit spin(2, QStringLiteral("3"));
    QVERIFY(shown(spin));
    QSignalSpy changes(&spin, &TSpinEdit::Change);

    spin.lineEdit()->selectAll();
    QTest::keyClicks(&spin, QStringLiteral("15"));
    QCOMPARE(spin.lineEdit()->text(), QStringLiteral("15"));
    QCOMPARE(changes.count(), 2); // "1", then "15": every change of the text
    QTest::keyClick(&spin, Qt::Key_Return);
    QCOMPARE(spin.lineEdit()->text(), QStringLiteral("9"));
    QCOMPARE(spin.value(), 9);
    QCOMPARE(changes.count(), 3);

    // Typing a letter is refused outright.
    spin.lineEdit()->selectAll();
    QTest::keyClicks(&spin, QStringLiteral("x"));
    QCOMPARE(spin.lineEdit()->text(), QStringLiteral("9"));
    QCOMPARE(changes.count(), 3);
}

// ---- label -----------------------------------------------------------------------

void TestPlatformWidgets::labelRichText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("underlined");
    QTest::newRow("accelerator in brackets") << QStringLiteral("なし(&E)") << QStringLiteral("なし(E)") << QStringLiteral("E");
    QTest::newRow("doubled ampersand") << QStringLiteral("A&&B") << QStringLiteral("A&B") << QString();
    QTest::newRow("first letter") << QStringLiteral("&1") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("markup characters") << QStringLiteral("<b>x</b>") << QStringLiteral("<b>x</b>") << QString();
    QTest::newRow("trailing ampersand") << QStringLiteral("ab&") << QStringLiteral("ab") << QString();
    QTest::newRow("title line") << QStringLiteral("枠線:表示 ,割る数:2で固定 ,答:? ,余り:なし(&E)")
                                << QStringLiteral("枠線:表示 ,割る数:2で固定 ,答:? ,余り:なし(E)") << QStringLiteral("E");
    // Runs of spaces keep their width.
    QTest::newRow("spaces kept") << QStringLiteral("   ?:   1") << QStringLiteral("   ?:   1") << QString();
    QTest::newRow("date and name line") << QStringLiteral("　月　日（　　）なまえ　　　　    　　")
                                        << QStringLiteral("　月　日（　　）なまえ　　　　    　　") << QString();
    QTest::newRow("tab kept") << QStringLiteral("a\tb") << QStringLiteral("a\tb") << QString();
}

void TestPlatformWidgets::labelRichText()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(QString, underlined);
    const RenderedCaption rendered = render(TLabel::captionToRichText(caption));
    QCOMPARE(rendered.text, shown);
    QCOMPARE(rendered.underlined, underlined);
}

void TestPlatformWidgets::labelShowsAcceleratorUnderlined()
{
    QWidget parent;
    auto *label = new TLabel(&parent);
    label->setProperty("Caption", QStringLiteral("なし(&E)"));
    QCOMPARE(label->caption(), QStringLiteral("なし(&E)"));
    QCOMPARE(label->textFormat(), Qt::RichText);
    QCOMPARE(label->text(), TLabel::captionToRichText(label->caption())); // as labelRichText shows it

    // The "&" takes no room: the label is exactly as wide as one whose caption has no
    // accelerator, and narrower than one that shows an "&".
    auto *plain = new TLabel(&parent);
    plain->setCaption(QStringLiteral("なし(E)"));
    auto *ampersand = new TLabel(&parent);
    ampersand->setCaption(QStringLiteral("なし(&&E)"));
    QCOMPARE(label->width(), plain->width());
    QVERIFY(label->width() < ampersand->width());

    // And on screen the underline is drawn: the pixels differ from the plain caption.
    QCOMPARE(label->grab().toImage() == plain->grab().toImage(), false);
}

void TestPlatformWidgets::labelGrowsWithText()
{
    QWidget parent;
    auto *label = new TLabel(&parent);
    label->setGeometry(128, 8, 72, 12);
    label->setCaption(QStringLiteral("短い"));
    const int shortWidth = label->width();
    label->setCaption(QStringLiteral("枠線:表示 ,割る数:2で固定 ,答:? ,余り:なし"));
    QVERIFY(label->width() > shortWidth);
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->pos(), QPoint(128, 8));
    label->setCaption(QStringLiteral("短い"));
    QCOMPARE(label->width(), shortWidth); // and shrinks again

    // Trailing blanks count: the underlined blanks of the date-and-name line are the
    // line the name is written on.
    label->setCaption(QStringLiteral("なまえ"));
    const int withoutBlanks = label->width();
    label->setCaption(QStringLiteral("なまえ　　"));
    const int withBlanks = label->width();
    label->setCaption(QStringLiteral("なまえ　　あ"));
    QCOMPARE(withBlanks, label->width() - label->fontMetrics().horizontalAdvance(QStringLiteral("あ")));
    QVERIFY(withBlanks > withoutBlanks);
}

void TestPlatformWidgets::labelFontHeight()
{
    QWidget parent;
    auto *label = new TLabel(&parent);
    label->move(440, 8);
    label->setCaption(QStringLiteral("なまえ"));
    label->setFontHeight(-12);
    QCOMPARE(label->fontHeight(), 12);
    const QSize small = label->size();
    label->setProperty("FontHeight", -29);
    QCOMPARE(label->fontHeight(), 29);
    QCOMPARE(label->font().pixelSize(), 29);
    QVERIFY(label->width() > small.width());
    QVERIFY(label->height() > small.height());
    QCOMPARE(label->pos(), QPoint(440, 8));
}

// ---- button and panel ------------------------------------------------------------

void TestPlatformWidgets::fontHeight_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("written"); // FontHeight, or 0 to give the font in points
    QTest::addColumn<int>("height");
    QTest::newRow("button") << QStringLiteral("button") << -13 << 13;
    QTest::newRow("label") << QStringLiteral("label") << -13 << 13;
    // 12 points are 16 pixels on the 96-dpi screen.
    QTest::newRow("button in points") << QStringLiteral("button") << 0 << 16;
    QTest::newRow("label in points") << QStringLiteral("label") << 0 << 16;
}

void TestPlatformWidgets::fontHeight()
{
    QFETCH(QString, widget);
    QFETCH(int, written);
    QFETCH(int, height);
    std::unique_ptr<QWidget> control;
    if (widget == u"button")
        control = std::make_unique<TButton>();
    else
        control = std::make_unique<TLabel>();
    if (written != 0) {
        control->setProperty("FontHeight", written);
        QCOMPARE(control->font().pixelSize(), height);
    } else {
        QFont points = control->font();
        points.setPointSize(12);
        control->setFont(points);
    }
    QCOMPARE(control->property("FontHeight").toInt(), height);
}

void TestPlatformWidgets::buttonAccelerator()
{
    TButton button;
    button.setText(QStringLiteral("印刷(&P)"));
    QCOMPARE(button.shortcut(), QKeySequence(Qt::ALT | Qt::Key_P));
}

void TestPlatformWidgets::panelFillsInButtonFace()
{
    QWidget form;
    QPalette white = form.palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    form.setPalette(white);
    form.setAutoFillBackground(true);
    form.resize(400, 100);
    auto *panel = new TPanel(&form);
    panel->setGeometry(8, 24, 305, 28);
    const QImage image = form.grab().toImage();
    QCOMPARE(image.pixelColor(150, 38), QColor(0xF0, 0xF0, 0xF0)); // inside the panel
    QCOMPARE(image.pixelColor(350, 38), QColor(Qt::white));        // beside it
    QCOMPARE(panel->frameShadow(), QFrame::Raised);
}

QTEST_MAIN(TestPlatformWidgets)
#include "tst_platform_widgets.moc"
