// Every lesson makes full sheets whose every problem is what the lesson's name promises,
// read off the problem's digits as the teacher reads them.
#include "sheet/FocusedCatalogue.h"
#include "sheet/Lessons.h"
#include "sheet/ProblemFocus.h"
#include "sheet/SheetMaker.h"
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
using namespace divisheet;
using namespace Qt::Literals::StringLiterals;

class TestLessons : public QObject
{
    Q_OBJECT
private slots:
    // "dividend÷divisor=quotient…remainder" of every problem matches the row's pattern.
    void everyProblemFits_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("2けた÷1けた") << uR"(^\d{2}÷\d=\d+…0$)"_s;
        QTest::newRow("3けた÷1けた") << uR"(^\d{3}÷\d=\d{3}…0$)"_s;
        QTest::newRow("商に0がたつ") << uR"(^\d+÷\d=[1-9]\d*0\d*…\d$)"_s;
        QTest::newRow("首位に商がたたない") << uR"(^\d{3}÷\d=\d{2}…0$)"_s; // the first digit over the second
        QTest::newRow("何十でわる") << uR"(^\d+÷[1-9]0=\d…\d+$)"_s;
        QTest::newRow("2けたでわる 仮商修正なし") << uR"(^\d+÷\d{2}=\d…[1-9]\d?$)"_s;
        QTest::newRow("2けたでわる 仮商修正あり") << uR"(^\d+÷\d{2}=\d…[1-9]\d?$)"_s;
        QTest::newRow("3けた÷2けた 商1けた") << uR"(^\d{3}÷\d{2}=\d…[1-9]\d?$)"_s;
        QTest::newRow("4けた÷2けた") << uR"(^\d{4}÷\d{2}=\d{2,3}…0$)"_s;
        QTest::newRow("3けたでわる") << uR"(^\d+÷\d{3}=\d…[1-9]\d*$)"_s;
        QCOMPARE(lessons().size(), std::size_t(10)); // every lesson has a row
    }
    void everyProblemFits()
    {
        QFETCH(QString, pattern);
        const auto lesson = std::find_if(lessons().begin(), lessons().end(), [](const Lesson &l) { return l.name == QString::fromUtf8(QTest::currentDataTag()); });
        QVERIFY(lesson != lessons().end());
        const ProblemSettings &s = lesson->settings;
        QVERIFY(settingsProblem(s).isEmpty() && focusFault(s) == FocusFault::None);
        const QRegularExpression fits(pattern);
        for (const quint32 seed : {1u, 2u, 77u}) {
            const std::vector<Problem> sheet = makeSheet(s, {seed, seed});
            QCOMPARE(int(sheet.size()), sheetProblemCount(s, {}));
            int withRemainder = 0;
            for (const Problem &p : sheet) {
                const QString text = u"%1÷%2=%3…%4"_s.arg(p.dividend).arg(p.divisor).arg(p.quotient).arg(p.remainder);
                QVERIFY2(fits.match(text).hasMatch() && hasFocus(p, s.focus), qPrintable(text));
                withRemainder += p.remainder != 0;
            }
            if (s.focus.mixedRemainder) // half from either part, the odd problem from either
                QVERIFY(qAbs(2 * withRemainder - int(sheet.size())) <= 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestLessons)
#include "tst_lessons.moc"
