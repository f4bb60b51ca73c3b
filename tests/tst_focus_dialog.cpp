// The ねらい dialog and the window it sets: choices no problem can have are disabled with
// their reason, a combination without problems is refused, and a lesson makes the next sheet.
#include "FormTestSupport.h"
#include "app/PracticeFocusDialog.h"
#include "sheet/Lessons.h"
#include "sheet/PageHeader.h"
#include "sheet/ProblemFocus.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
using namespace Qt::Literals::StringLiterals;
Q_DECLARE_METATYPE(divisheet::ProblemSettings)
using Q = QuotientClass;
using D = DivisorClass;

// Clicks the window's button, picks the lesson `name` and hands the dialog to `drive` to close.
static void withDialog(TFormDivisheet *form, const QString &name, const std::function<void(TPracticeFocusDialog *)> &drive)
{
    QTimer::singleShot(0, form, [form, name, drive] {
        auto *dialog = form->findChild<TPracticeFocusDialog *>();
        auto *list = child<QListWidget>(dialog, "ListLessons");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        drive(dialog);
    });
    child<TButton>(form, "ButtonPracticeFocus")->click();
}
static QPushButton *okButton(QDialog *dialog) { return child<QDialogButtonBox>(dialog, "ButtonBoxFocus")->button(QDialogButtonBox::Ok); }
static QString title(const QWidget *form) { return child<TLabel>(form, "LabelHyoudai")->caption(); }

class TestFocusDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void impossibleChoicesDisabled_data()
    {
        QTest::addColumn<ProblemSettings>("s");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("disabled"); // the items, and "off" for the whole control
        QTest::addColumn<QString>("reason");
        QTest::newRow("one-digit quotient") << ProblemSettings{Q::Q1_9, D::D11_99, 2, false} << u"ZeroInQuotient"_s << u"すべての問題"_s << u"商が1けたなので0はたちません"_s;
        QTest::newRow("one-digit divisor") << ProblemSettings{Q::Q11_99, D::D1_9, 2, false} << u"Corrections"_s << u"なし・1回・2回以上・9からたてる・off"_s << u"わる数が1けたなので仮商を修正しません"_s;
        QTest::newRow("fixed divisor 1") << ProblemSettings{Q::Q1_9, D::Fixed, 1, false} << u"MixedRemainder"_s << u"off"_s << u"余りのある問題がありません"_s;
        QTest::newRow("a 0 in every quotient") << ProblemSettings{Q::Q101_909, D::D11_99, 2, false} << u"ZeroInQuotient"_s << u"なし"_s << u"「なし」に合う問題がありません"_s;
        QTest::newRow("111..999 by 1..9: 3 or 4 digits") << ProblemSettings{Q::Q111_999, D::D1_9, 2, false} << u"DividendDigits"_s << u"1けた・2けた・5けた"_s << u"「1けた・2けた・5けた」に合う問題がありません"_s;
        QTest::newRow("every correction happens") << ProblemSettings{Q::Q11_99, D::D11_99, 2, false} << u"Corrections"_s << QString() << QString();
    }
    void impossibleChoicesDisabled()
    {
        QFETCH(ProblemSettings, s);
        QFETCH(QString, choice);
        TPracticeFocusDialog dialog(PracticeFocus{}, s);
        QWidget *control = dialog.findChild<QWidget *>(u"ComboBox"_s + choice);
        control = control ? control : child<QWidget>(&dialog, qPrintable(u"CheckBox"_s + choice));
        QStringList disabled;
        if (auto *combo = qobject_cast<QComboBox *>(control))
            for (int k = 0; k < combo->count(); ++k)
                if (!qobject_cast<QStandardItemModel *>(combo->model())->item(k)->isEnabled())
                    disabled << combo->itemText(k);
        QTEST((disabled << (control->isEnabled() ? QStringList() : QStringList{u"off"_s})).join(u'・'), "disabled");
        QTEST(child<QLabel>(&dialog, qPrintable(u"LabelReason"_s + choice))->text(), "reason");
    }

    // Four problems of 10..90 by 2 have two digits and a 0: the dialog says a sheet gets those four.
    void fewProblemsSaysHowMany()
    {
        TPracticeFocusDialog dialog(PracticeFocus{}, ProblemSettings{Q::Q10_90, D::Fixed, 2, false});
        for (const auto &[combo, item] : {std::pair{"ComboBoxDividendDigits", u"2けた"_s}, {"ComboBoxZeroInQuotient", u"すべての問題"_s}})
            child<QComboBox>(&dialog, combo)->setCurrentText(item);
        QCOMPARE(child<QLabel>(&dialog, "LabelFewerProblems")->text(), u"このねらいに合う問題は4題だけなので、1枚に4題を出します。"_s);
    }

    // Each choice alone has problems, both together none: OK does nothing, the window stays.
    void refusedCombinationChangesNothing()
    {
        auto form = makeForm();
        const QString sheet = figuresText(form.get()), line = title(form.get());
        bool refused = false;
        withDialog(form.get(), u"3けた÷2けた 商1けた"_s, [&refused](TPracticeFocusDialog *dialog) {
            child<QComboBox>(dialog, "ComboBoxLateStart")->setCurrentIndex(2); // なし: needs 2 dividend digits
            okButton(dialog)->click();
            dialog->accept();
            refused = dialog->isVisible() && !child<QLabel>(dialog, "LabelFocusFault")->text().isEmpty();
            dialog->reject();
        });
        QVERIFY(refused && form->practiceFocus() == PracticeFocus{});
        QVERIFY(child<TRadioButton>(form.get(), "RadioButtonWaruKotei")->isChecked() && child<TRadioGroup>(form.get(), "RadioGroupAmari")->itemIndex() == 0);
        QCOMPARE(title(form.get()), line);
        QCOMPARE(figuresText(form.get()), sheet);
    }
    void lessonMakesNextSheet_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : {u"商に0がたつ"_s, u"2けたでわる 仮商修正あり"_s, u"4けた÷2けた"_s})
            QTest::newRow(qPrintable(name)) << name;
    }
    void lessonMakesNextSheet()
    {
        QFETCH(QString, name);
        const ProblemSettings s = std::find_if(lessons().begin(), lessons().end(), [&name](const Lesson &l) { return l.name == name; })->settings;
        auto form = makeForm();
        withDialog(form.get(), name, [](TPracticeFocusDialog *dialog) { okButton(dialog)->click(); });
        child<TButton>(form.get(), "ButtonKoushin")->click();
        QVERIFY(form->sheetRecipe() && form->sheetRecipe()->settings == s);
        const std::vector<Figure> figures = figuresOn(form.get());
        QCOMPARE(int(figures.size()), sheetProblemCount(s, {}));
        for (const Figure &f : figures)
            QVERIFY(hasFocus(Problem{f.dividend / f.divisor, f.divisor, f.dividend % f.divisor, f.dividend}, s.focus));
        QVERIFY2(title(form.get()).endsWith(u" ,ねらい:"_s + focusWords(s.focus)), qPrintable(title(form.get())));
        const QRect line = child<TLabel>(form.get(), "LabelHyoudai")->geometry(); // clear of the date and name
        QVERIFY(line.right() < kSettingsLineEnd || line.top() > kDateNameLine.bottom());
        if (s.focus.mixedRemainder) { // choosing no remainder ends the mixing
            child<TRadioGroup>(form.get(), "RadioGroupAmari")->itemButton(0)->click();
            QVERIFY(!form->practiceFocus().mixedRemainder);
        }
    }

    // Classes chosen after the focus that none of their problems has: refused, the sheet stays.
    void unfitFocusKeepsSheet()
    {
        MessageCapture capture;
        auto form = makeForm();
        child<TRadioButton>(form.get(), "RadioButtonKotae10_90")->click();
        form->setPracticeFocus({Presence::Always});
        child<TButton>(form.get(), "ButtonKoushin")->click();
        const QString sheet = figuresText(form.get());
        child<TRadioButton>(form.get(), "RadioButtonKotae1_9")->click();
        child<TButton>(form.get(), "ButtonKoushin")->click();
        QVERIFY2(capture.messages.size() == 1 && capture.messages[0].contains(u"商が1けたなので0はたちません"_s), qPrintable(capture.messages.join(u'|')));
        QCOMPARE(figuresText(form.get()), sheet);
    }
};

QTEST_MAIN(TestFocusDialog)
#include "tst_focus_dialog.moc"
