// Every setting the settings panel allows, each made into several sheets in one
// process: every figure must be a correct long division of a problem of the chosen
// classes, standing in its own cell, and nothing may be left behind between sheets.

#include "FormTestSupport.h"

#include "sheet/PageLayout.h"
#include "ClassOracle.h"

namespace {

// The setting of the panel's buttons, which are named after their classes: RadioButtonKotae1_9
// for the quotients 1..9; RadioButtonWaruKotei for a fixed divisor, as "Kotei" names no class.
ProblemSettings panelSetting(const QString &quotientClass, const QString &divisorClass, int fixed,
                             bool withRemainder)
{
    ProblemSettings s{QuotientClass::Q1_9, DivisorClass::Fixed, fixed, withRemainder};
    for (const QuotientClass q : allQuotientClasses) {
        if (quotientClassName(q).replace(QStringLiteral(".."), QStringLiteral("_")) == quotientClass)
            s.quotient = q;
    }
    for (const DivisorClass d : allDivisorClasses) {
        if (divisorClassName(d, 0).replace(QStringLiteral(".."), QStringLiteral("_")) == divisorClass)
            s.divisor = d;
    }
    return s;
}

bool allowed(const QString &quotientClass, const QString &divisorClass)
{
    const ProblemSettings s = panelSetting(quotientClass, divisorClass, 2, false);
    return test::offered(s.quotient, s.divisor);
}

QString frameValue(const TLongDivision *figure, const char *name)
{
    const TFrameFigureInteger *digits = figure->figure(QString::fromLatin1(name));
    return digits ? QString::number(digits->valueInteger()) : QString();
}

} // namespace

class TestEverySetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        divisheet::installFontSubstitutions();
        m_form = makeForm(); // one form for every setting, as a user keeps one window
    }
    void cleanupTestCase() { m_form.reset(); }

    void everyAllowedSetting_data()
    {
        QTest::addColumn<QString>("quotientClass");
        QTest::addColumn<QString>("divisorClass");
        QTest::addColumn<int>("fixedDivisor");
        QTest::addColumn<bool>("withRemainder");

        const QStringList quotients{QStringLiteral("1_9"),     QStringLiteral("10_90"),
                                    QStringLiteral("11_99"),   QStringLiteral("100_900"),
                                    QStringLiteral("101_909"), QStringLiteral("110_990"),
                                    QStringLiteral("111_999")};
        const QStringList divisors{QStringLiteral("Kotei"),   QStringLiteral("1_9"),
                                   QStringLiteral("10_90"),   QStringLiteral("11_99"),
                                   QStringLiteral("100_900"), QStringLiteral("101_909"),
                                   QStringLiteral("110_990"), QStringLiteral("111_999"),
                                   QStringLiteral("1000_9999")};
        int combinations = 0;
        for (const QString &q : quotients) {
            for (const QString &d : divisors) {
                if (!allowed(q, d))
                    continue;
                ++combinations;
                for (const bool withRemainder : {false, true}) {
                    if (d == u"Kotei") {
                        for (int f = withRemainder ? 2 : 1; f <= 9; ++f) {
                            QTest::addRow("q%s d%d %s", qPrintable(q), f, withRemainder ? "r" : "-")
                                << q << d << f << withRemainder;
                        }
                    } else {
                        QTest::addRow("q%s d%s %s", qPrintable(q), qPrintable(d), withRemainder ? "r" : "-")
                            << q << d << 2 << withRemainder;
                    }
                }
            }
        }
        QCOMPARE(combinations, 41);
    }

    void everyAllowedSetting()
    {
        QFETCH(QString, quotientClass);
        QFETCH(QString, divisorClass);
        QFETCH(int, fixedDivisor);
        QFETCH(bool, withRemainder);

        MessageCapture capture;
        const std::unique_ptr<TFormDivisheet> &form = m_form;
        // Reach the combination as a user would: the quotient first when the divisor
        // class would disable it, the divisor first otherwise.
        auto *quotientButton = form->findChild<TRadioButton *>(QStringLiteral("RadioButtonKotae") + quotientClass);
        auto *divisorButton = form->findChild<TRadioButton *>(QStringLiteral("RadioButtonWaru") + divisorClass);
        QVERIFY(quotientButton && divisorButton);
        child<TRadioButton>(form.get(), "RadioButtonWaruKotei")->click();
        child<TRadioButton>(form.get(), "RadioButtonKotae1_9")->click();
        child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(withRemainder ? 1 : 0);
        child<TSpinEdit>(form.get(), "SpinEditDan")->setValue(fixedDivisor);
        quotientButton->click();
        QVERIFY(divisorButton->isEnabled());
        divisorButton->click();
        QVERIFY(quotientButton->isChecked() && divisorButton->isChecked());

        const ProblemSettings setting = panelSetting(quotientClass, divisorClass, fixedDivisor, withRemainder);
        for (int sheet = 0; sheet < 3; ++sheet) {
            child<TButton>(form.get(), "ButtonKoushin")->click();
            const TSheetState &state = form->sheetState();
            const auto figures = figuresOn(form.get());
            QCOMPARE(int(figures.size()), state.ProblemCount);
            QVERIFY(state.ProblemCount == state.FigureRows * state.FigureColumns);
            const divisheet::CellSize cell = divisheet::sheetCellSize(form->size(), state.FigureRows,
                                                                      state.FigureColumns);
            int framesExpected = 0;
            for (int k = 0; k < int(figures.size()); ++k) {
                const auto *f = form->findChild<TLongDivision *>(figures[k].name);
                const int d = f->valueIntegerWaru();
                const int n = f->valueIntegerWarareru();
                const int q = f->valueIntegerKotae();
                const int r = f->valueIntegerAmari();
                const QString where = QStringLiteral("%1: %2 / %3").arg(figures[k].name).arg(n).arg(d);
                QVERIFY2(q == n / d && r == n % d, qPrintable(where));
                QVERIFY2(test::divisorBelongs(setting, d), qPrintable(where));
                QVERIFY2(test::quotientBelongs(setting, q), qPrintable(where));
                QVERIFY2(withRemainder ? (r >= 1 && r <= d - 1) : r == 0, qPrintable(where));
                // In its own cell, row by row.
                const int row = k / state.FigureColumns + 1;
                const int column = k % state.FigureColumns + 1;
                QCOMPARE(figures[k].name, divisheet::figureName(k + 1));
                QCOMPARE(figures[k].geometry.topLeft(), divisheet::cellTopLeft(cell, row, column));
                // The figure shows its numbers.
                QCOMPARE(frameValue(f, "Waru"), QString::number(d));
                QCOMPARE(frameValue(f, "Warareru"), QString::number(n));
                QCOMPARE(frameValue(f, "Kotae"), QString::number(q));
                QCOMPARE(frameValue(f, "Amari"), r ? QString::number(r) : QString());
                framesExpected += int(f->findChildren<TFrameFigureInteger *>().size());
            }
            // Nothing from earlier sheets is left on the form.
            QCOMPARE(int(form->findChildren<TFrameFigureInteger *>().size()), framesExpected);
            QCOMPARE(int(form->findChildren<TLongDivision *>().size()), int(figures.size()));
        }
        QVERIFY(capture.messages.isEmpty());
    }

private:
    std::unique_ptr<TFormDivisheet> m_form;
};

QTEST_MAIN(TestEverySetting)
#include "tst_every_setting.moc"
