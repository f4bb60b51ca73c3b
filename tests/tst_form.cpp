// The main form as a user meets it: start-up, the settings panel and its rules, the
// title line, the printer-setup dialog.

#include "FormTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/Printer.h"

#include <set>
#include <span>

namespace {

const char *const kQuotientButtons[] = {
    "RadioButtonKotae1_9",     "RadioButtonKotae10_90",   "RadioButtonKotae11_99",
    "RadioButtonKotae100_900", "RadioButtonKotae101_909", "RadioButtonKotae110_990",
    "RadioButtonKotae111_999",
};
const char *const kDivisorButtons[] = {
    "RadioButtonWaru1_9",     "RadioButtonWaru10_90",   "RadioButtonWaru11_99",
    "RadioButtonWaru100_900", "RadioButtonWaru101_909", "RadioButtonWaru110_990",
    "RadioButtonWaru111_999", "RadioButtonWaru1000_9999",
};

// The names, or those of the buttons on the form that are enabled, joined by spaces.
QString joined(std::span<const char *const> names, const QWidget *enabledOn = nullptr)
{
    QStringList list;
    for (const char *name : names) {
        if (!enabledOn || child<TRadioButton>(enabledOn, name)->isEnabled())
            list << QString::fromLatin1(name);
    }
    return list.join(u' ');
}

QString title(const QWidget *form)
{
    return child<TLabel>(form, "LabelHyoudai")->caption();
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { divisheet::installFontSubstitutions(); }

    void startUpState_data()
    {
        QTest::addColumn<bool>("dataCheck");
        QTest::newRow("plain") << false;
        QTest::newRow("with the data-check box") << true;
    }

    // The switch that shows the data-check box changes nothing else.
    void startUpState()
    {
        QFETCH(bool, dataCheck);
        MessageCapture capture;
        auto form = makeForm({dataCheck, {}});
        QCOMPARE(title(form.get()),
                 QStringLiteral("枠線:表示 ,割る数:2で固定 ,答:? ,余り:なし"));
        QCOMPARE(child<TLabel>(form.get(), "LabelProjectName")->caption(), QStringLiteral("Divisheet"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Divisheet"));
        QCOMPARE(form->pos(), QPoint(0, 0));

        auto *data = child<TStringGrid>(form.get(), "StringGridData");
        QCOMPARE(data->colCount(), 11);
        QCOMPARE(data->rowCount(), 5);
        const QStringList dataTitles{QString(), QStringLiteral("答"), QStringLiteral("割る数"),
                                     QStringLiteral("余り"), QStringLiteral("割られる数")};
        for (int row = 0; row <= 4; ++row)
            QCOMPARE(data->cell(0, row), dataTitles[row]);
        QCOMPARE(data->colWidth(0), 60);

        auto *list = child<TStringGrid>(form.get(), "StringGridList");
        const QStringList listTitles{QStringLiteral("残問題数"), QStringLiteral("答"),
                                     QStringLiteral("割る数"), QStringLiteral("余"),
                                     QStringLiteral("割られる数")};
        for (int row = 0; row <= 4; ++row)
            QCOMPARE(list->cell(0, row), listTitles[row]);
        QCOMPARE(list->rowCount(), 5);
        QCOMPARE(list->colWidth(0), 60);

        QVERIFY(!child<QWidget>(form.get(), "PanelDataKakunin")->isVisible());
        QCOMPARE(child<QWidget>(form.get(), "CheckBoxDataKakunin")->isVisible(), dataCheck);
        auto *settings = child<QWidget>(form.get(), "GroupBoxStart");
        auto *buttons = child<QWidget>(form.get(), "PanelButtons");
        QVERIFY(settings->isVisible());
        QVERIFY(buttons->isVisible());
        // raise() reorders the parent's children: the settings panel lies above the
        // button panel, and both above every figure.
        const QObjectList &order = form->children();
        QVERIFY(order.indexOf(settings) > order.indexOf(buttons));
        for (const Figure &f : figuresOn(form.get()))
            QVERIFY(order.indexOf(form->findChild<QObject *>(f.name)) < order.indexOf(buttons));

        const TSheetState &state = form->sheetState();
        QCOMPARE(state.FigureRows, 2);
        QCOMPARE(state.FigureColumns, 5);
        QCOMPARE(state.ProblemCount, 10);
        QCOMPARE(int(state.FigureFontSize), 30);
        QCOMPARE(state.FixedDivisorText, QStringLiteral("2"));
        QVERIFY(capture.messages.isEmpty());

        // The settings panel's choices.
        QVERIFY(child<TRadioButton>(form.get(), "RadioButtonWaruKotei")->isChecked());
        QVERIFY(child<TRadioButton>(form.get(), "RadioButtonKotae1_9")->isChecked());
        QCOMPARE(child<TRadioGroup>(form.get(), "RadioGroupAmari")->itemIndex(), 0);
        auto *spin = child<TSpinEdit>(form.get(), "SpinEditDan");
        QCOMPARE(spin->value(), 2);
        QCOMPARE(spin->minValue(), 1);
        QCOMPARE(spin->maxValue(), 9);
        QVERIFY(child<TCheckBox>(form.get(), "CheckBoxRuledLine")->isChecked());
        QVERIFY(child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->isChecked());
        QCOMPARE(joined(kQuotientButtons, form.get()), joined(kQuotientButtons));
        QCOMPARE(joined(kDivisorButtons, form.get()), joined(kDivisorButtons));
    }

    void settingsPanelOpensAndCloses()
    {
        auto form = makeForm();
        auto *settings = child<QWidget>(form.get(), "GroupBoxStart");
        auto *start = child<TButton>(form.get(), "ButtonStart");
        child<TButton>(form.get(), "ButtonRadioGroupBoxStartClose")->click();
        QVERIFY(!settings->isVisible());
        QVERIFY(start->isVisible());
        start->click();
        QVERIFY(settings->isVisible());
        QVERIFY(!start->isVisible());
    }

    void panelsStayInside_data()
    {
        QTest::addColumn<int>("dataCheckClicks"); // 1: the data-check panel shown, 2: hidden again
        QTest::addColumn<QSize>("smallest");      // the size a window asked for 1 x 1 takes
        QTest::newRow("settings panel") << 0 << QSize(235 + 366, 20 + 269);
        QTest::newRow("data-check panel") << 1 << QSize(1025, 320 + 265);
        QTest::newRow("data-check panel hidden again") << 2 << QSize(235 + 366, 20 + 269);
    }

    // However small the window is made, every control of the panels lies inside it.
    void panelsStayInside()
    {
        QFETCH(int, dataCheckClicks);
        QFETCH(QSize, smallest);
        auto form = makeForm({true, {}});
        for (int k = 0; k < dataCheckClicks; ++k)
            child<TCheckBox>(form.get(), "CheckBoxDataKakunin")->click();
        form->resize(1, 1);
        QCOMPARE(form->size(), smallest);
        for (const char *panel : {"PanelButtons", "GroupBoxStart", "PanelDataKakunin"})
            for (QWidget *c : child<QWidget>(form.get(), panel)->findChildren<QWidget *>())
                QVERIFY2(!c->isVisibleTo(form.get()) || form->rect().contains(QRect(c->mapTo(form.get(), QPoint()), c->size())), qPrintable(c->objectName()));
    }

    // Which buttons of the other group a click leaves enabled, and the title it makes.
    void classButtons_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("enabledQuotients");
        QTest::addColumn<QString>("enabledDivisors");
        QTest::addColumn<QString>("titleTail");

        const QString allQuotients = joined(kQuotientButtons);
        const QString allDivisors = joined(kDivisorButtons);
        const QString threeQuotients = joined(std::span(kQuotientButtons).first(3));
        const QString threeDivisors = joined(std::span(kDivisorButtons).first(3));

        QTest::newRow("four-digit divisor")
            << QStringList{QStringLiteral("RadioButtonWaru1000_9999")}
            << QStringLiteral("RadioButtonKotae1_9") << allDivisors
            << QStringLiteral("割る数:1000..9000 ,答:? ,余り:なし");
        QTest::newRow("three-digit divisor")
            << QStringList{QStringLiteral("RadioButtonWaru110_990")} << threeQuotients
            << allDivisors << QStringLiteral("割る数:110..990 ,答:? ,余り:なし");
        QTest::newRow("three-digit quotient then two-digit divisor")
            << QStringList{QStringLiteral("RadioButtonKotae100_900"), QStringLiteral("RadioButtonWaru11_99")}
            << allQuotients << threeDivisors
            << QStringLiteral("割る数:11..99 ,答:100..900 ,余り:なし");
        QTest::newRow("two-digit quotient")
            << QStringList{QStringLiteral("RadioButtonKotae11_99")} << allQuotients
            << joined(std::span(kDivisorButtons).first(7)) // all but the four-digit one
            << QStringLiteral("割る数:2で固定 ,答:11..99 ,余り:なし");
        QTest::newRow("back to the fixed divisor")
            << QStringList{QStringLiteral("RadioButtonWaru1000_9999"), QStringLiteral("RadioButtonWaruKotei"),
                           QStringLiteral("RadioButtonKotae111_999")}
            << allQuotients << threeDivisors
            << QStringLiteral("割る数:2で固定 ,答:111..999 ,余り:なし");
    }
    void classButtons()
    {
        QFETCH(QStringList, clicks);
        auto form = makeForm();
        const QString sheetBefore = figuresText(form.get());
        for (const QString &name : clicks)
            form->findChild<TRadioButton *>(name)->click();
        QTEST(joined(kQuotientButtons, form.get()), "enabledQuotients");
        QTEST(joined(kDivisorButtons, form.get()), "enabledDivisors");
        QFETCH(QString, titleTail);
        QVERIFY2(title(form.get()).endsWith(titleTail), qPrintable(title(form.get())));

        // Settings take effect at the next sheet, not before.
        QCOMPARE(figuresText(form.get()), sheetBefore);
    }

    void disabledButtonCannotBeClicked()
    {
        auto form = makeForm();
        child<TRadioButton>(form.get(), "RadioButtonWaru1000_9999")->click();
        auto *kotae11 = child<TRadioButton>(form.get(), "RadioButtonKotae11_99");
        QVERIFY(!kotae11->isEnabled());
        QTest::mouseClick(kotae11, Qt::LeftButton);
        QVERIFY(!kotae11->isChecked());
        QVERIFY(child<TRadioButton>(form.get(), "RadioButtonKotae1_9")->isChecked());
    }

    // "With remainder" makes the smallest fixed divisor 2. Chosen while the fixed divisor
    // is 1 it raises it to 2 at once, so the settings panel cannot reach the setting that
    // has no problems at all.
    void remainderChoice()
    {
        MessageCapture capture;
        auto form = makeForm();
        auto *amari = child<TRadioGroup>(form.get(), "RadioGroupAmari");
        auto *spin = child<TSpinEdit>(form.get(), "SpinEditDan");
        spin->setValue(1);
        QCOMPARE(spin->value(), 1);
        amari->setItemIndex(1);
        QCOMPARE(spin->minValue(), 2);
        QCOMPARE(spin->value(), 2);
        QVERIFY(title(form.get()).endsWith(QStringLiteral(" ,余り:あり(&X)")));
        QVERIFY(title(form.get()).contains(QStringLiteral("割る数:2で固定")));
        child<TButton>(form.get(), "ButtonKoushin")->click();
        QCOMPARE(figuresOn(form.get()).size(), size_t(10));
        QVERIFY(capture.messages.isEmpty());
        amari->setItemIndex(0);
        QCOMPARE(spin->minValue(), 1);
        QVERIFY(title(form.get()).endsWith(QStringLiteral(" ,余り:なし(&E)")));
    }

    void spinEditDrivesFixedDivisor()
    {
        auto form = makeForm();
        auto *spin = child<TSpinEdit>(form.get(), "SpinEditDan");
        spin->setValue(5);
        QVERIFY2(title(form.get()).contains(QStringLiteral("割る数:5で固定")), qPrintable(title(form.get())));
        QCOMPARE(form->sheetState().FixedDivisorText, QStringLiteral("5"));
        child<TButton>(form.get(), "ButtonKoushin")->click();
        for (const Figure &f : figuresOn(form.get()))
            QCOMPARE(f.divisor, 5);
        // While another divisor class is checked the spin edit leaves the title alone.
        child<TRadioButton>(form.get(), "RadioButtonWaru10_90")->click();
        spin->setValue(7);
        QVERIFY(title(form.get()).contains(QStringLiteral("割る数:10..90 ")));
    }

    void updateMakesSheetOfNewClass()
    {
        auto form = makeForm();
        child<TRadioButton>(form.get(), "RadioButtonWaru1000_9999")->click();
        child<TButton>(form.get(), "ButtonKoushin")->click();
        const auto figures = figuresOn(form.get());
        QCOMPARE(figures.size(), size_t(6));
        for (const Figure &f : figures) {
            QVERIFY(f.divisor >= 1000 && f.divisor <= 9999);
            QVERIFY(f.dividend % f.divisor == 0);
            QVERIFY(f.dividend / f.divisor <= 9);
        }
        QCOMPARE(form->sheetState().FigureRows, 3);
        QCOMPARE(form->sheetState().FigureColumns, 2);
    }

    void doubleClickMakesNewSheetKeepsTitle()
    {
        auto form = makeForm();
        child<TRadioButton>(form.get(), "RadioButtonWaru1_9")->click();
        const QString titleBefore = title(form.get());
        std::set<QString> sheets;
        for (int i = 0; i < 5; ++i) {
            // The free area right of the header line, clear of labels and panels.
            QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(1020, 760));
            QCOMPARE(figuresOn(form.get()).size(), size_t(15)); // 1..9 x 1..9: 3 x 5
            sheets.insert(figuresText(form.get()));
        }
        QCOMPARE(title(form.get()), titleBefore);
        // 15 of 90 problems in random order: five equal sheets in a row do not happen.
        QVERIFY(sheets.size() > 1);
    }

    // Text typed into the spin edit and not yet left is committed, clamped as leaving
    // the field would clamp it, before any new sheet is made, also by the ways that do
    // not move the focus (a double click, an accelerator, the data-check panel).
    void typedDivisorCommittedBeforeNewSheet_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("remainderItem");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("divisor");
        QTest::newRow("0, update") << u"0"_qs << 0 << u"update"_qs << 1;
        QTest::newRow("15, double click") << u"15"_qs << 0 << u"double click"_qs << 9;
        QTest::newRow("1 with remainder, Alt+N") << u"1"_qs << 1 << u"Alt+N"_qs << 2;
        QTest::newRow("empty, update") << QString() << 0 << u"update"_qs << 1;
        QTest::newRow("7, print") << u"7"_qs << 0 << u"print"_qs << 7;
        QTest::newRow("0, data check") << u"0"_qs << 0 << u"data check"_qs << 1;
    }
    void typedDivisorCommittedBeforeNewSheet()
    {
        QFETCH(QString, typed);
        QFETCH(int, remainderItem);
        QFETCH(QString, trigger);
        QFETCH(int, divisor);
        MessageCapture capture;
        auto form = makeForm({true, {}}); // with the data-check box
        child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(remainderItem);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto *spin = child<TSpinEdit>(form.get(), "SpinEditDan");
        spin->setFocus();
        auto *edit = spin->findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);

        QTemporaryDir dir;
        if (trigger == u"update") {
            child<TButton>(form.get(), "ButtonKoushin")->click();
        } else if (trigger == u"double click") {
            QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(1020, 760));
        } else if (trigger == u"Alt+N") {
            QTest::keyClick(edit, Qt::Key_N, Qt::AltModifier);
            QTest::qWait(300); // an accelerator clicks the button after 100 ms
        } else if (trigger == u"print") {
            QPrinter *printer = TPrinter::global().qprinter();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(dir.filePath(u"sheet.pdf"_qs));
            child<TButton>(form.get(), "ButtonPrintOut")->click();
            printer->setOutputFileName(QString());
            printer->setOutputFormat(QPrinter::NativeFormat);
        } else {
            child<TButton>(form.get(), "ButtonRansuuHassei")->click();
            child<TButton>(form.get(), "ButtonSentaku")->click();
            child<TButton>(form.get(), "ButtonByouga")->click();
        }
        QCOMPARE(capture.messages, QStringList());
        QCOMPARE(spin->value(), divisor);
        QVERIFY2(title(form.get()).contains(u"割る数:%1で固定"_qs.arg(divisor)), qPrintable(title(form.get())));
        const auto figures = figuresOn(form.get());
        QCOMPARE(int(figures.size()), form->sheetState().ProblemCount);
        for (const Figure &f : figures)
            QCOMPARE(f.divisor, divisor);
    }

    // Destroying the form while typed text waits in the spin edit runs nothing of the
    // form (under the address sanitizer a handler on the half-destroyed form is fatal).
    void destroyedWhileDivisorTyped()
    {
        auto form = makeForm();
        QApplication::setActiveWindow(form.get());
        auto *spin = child<TSpinEdit>(form.get(), "SpinEditDan");
        spin->setFocus();
        QTest::keyClicks(spin->findChild<QLineEdit *>(), u"5"_qs);
        int finished = 0;
        connect(spin, &QAbstractSpinBox::editingFinished, spin, [&finished] { ++finished; });
        form.reset();
        // The situation arose: the spin edit finished its editing while going.
        QVERIFY(finished > 0);
    }

    void cancelledPrinterSetupChangesNothing()
    {
        auto form = makeForm();
        const QString sheetBefore = figuresText(form.get());
        const QString titleBefore = title(form.get());
        bool sawDialog = false;
        QTimer::singleShot(0, form.get(), [&sawDialog] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                sawDialog = true;
                if (auto *d = qobject_cast<QDialog *>(dialog))
                    d->reject();
                else
                    dialog->close();
            }
        });
        child<TButton>(form.get(), "ButtonPrinterSetup")->click();
        QVERIFY(sawDialog);
        QCOMPARE(title(form.get()), titleBefore);
        QCOMPARE(figuresText(form.get()), sheetBefore);
    }
};

QTEST_MAIN(TestForm)
#include "tst_form.moc"
