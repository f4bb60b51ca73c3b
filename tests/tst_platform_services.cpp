#include "platform/Buttons.h"
#include "platform/Controls.h"
#include "platform/Conversions.h"
#include "platform/ErrorBoundary.h"
#include "platform/ErrorRelay.h"
#include "platform/Errors.h"
#include "platform/RadioGroup.h"
#include "platform/Random.h"
#include "platform/SpinEdit.h"

#include <QDateTime>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <new>
#include <stdexcept>

namespace {

// The generator's step written out with 64-bit arithmetic and an explicit modulus.
quint64 nextSeed(quint64 seed)
{
    return (seed * 134775813ull + 1ull) % 4294967296ull;
}

// Collects the error messages the boundary shows, instead of a message box.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        m_previous = divisheet::setMessageSink([this](const QString &message) { messages << message; });
    }
    ~MessageRecorder() { divisheet::setMessageSink(m_previous); }

    QStringList messages;

private:
    divisheet::MessageSink m_previous;
};

} // namespace

class TestPlatformServices : public QObject
{
    Q_OBJECT

private slots:
    void randomFollowsRecurrence_data();
    void randomFollowsRecurrence();
    void randomWorkedExamples();
    void randomOfZero();
    void randomStaysInRange();
    void seedFromTimeOfDay_data();
    void seedFromTimeOfDay();
    void randomizeUsesUtcTimeOfDay();

    void strToIntAccepts_data();
    void strToIntAccepts();
    void strToIntRejects_data();
    void strToIntRejects();
    void intToStr_data();
    void intToStr();

    void errorEndsHandlerAndNextRuns();
    void nestedHandlerErrorEndsOuterHandler();
    void programSetControlHandlerErrorEndsOuterHandler_data();
    void programSetControlHandlerErrorEndsOuterHandler();
    void unguardedHandlerErrorStopsAtControl();
    void errorMessage_data();
    void errorMessage();

    void findComponent_data();
    void findComponent();
    void findComponentTyped();
};

// ---- random numbers ---------------------------------------------------------------

void TestPlatformServices::randomFollowsRecurrence_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<quint32>("n");
    QTest::newRow("seed 0, n 10") << 0u << 10u;
    QTest::newRow("seed 1, n 100") << 1u << 100u;
    QTest::newRow("seed 12345, n 7") << 12345u << 7u;
    QTest::newRow("seed 2^31, n 10000") << 0x80000000u << 10000u;
    QTest::newRow("seed 2^32-1, n 2^32-1") << 0xFFFFFFFFu << 0xFFFFFFFFu;
    QTest::newRow("time-of-day seed, n 90000") << 45296789u << 90000u;
}

void TestPlatformServices::randomFollowsRecurrence()
{
    QFETCH(quint32, seed);
    QFETCH(quint32, n);
    TRandom random(seed);
    quint64 expectedSeed = seed;
    for (int draw = 0; draw < 20; ++draw) {
        expectedSeed = nextSeed(expectedSeed);
        const quint64 expected = (quint64(n) * expectedSeed) >> 32;
        QCOMPARE(quint64(random.random(n)), expected);
        QCOMPARE(quint64(random.seed()), expectedSeed);
    }
}

void TestPlatformServices::randomWorkedExamples()
{
    // Seed 0 steps to 1, and n x 1 has nothing in its high half.
    TRandom fromZero(0);
    QCOMPARE(fromZero.random(1000), 0u);
    QCOMPARE(fromZero.seed(), 1u);
    // Seed 1 steps to 134775814; with n = 2^32 - 1 the high half of n x s is s - 1.
    TRandom fromOne(1);
    QCOMPARE(fromOne.random(0xFFFFFFFFu), 134775813u);
    // Seed 2^32 - 1: 134775813 x (2^32 - 1) + 1 = -134775812 mod 2^32 = 4160191484;
    // with n = 2: floor(2 x 4160191484 / 2^32) = 1.
    TRandom fromTop(0xFFFFFFFFu);
    QCOMPARE(fromTop.random(2), 1u);
    QCOMPARE(fromTop.seed(), 4160191484u);
    // setSeed restarts the sequence.
    TRandom again(0);
    again.setSeed(1);
    QCOMPARE(again.random(0xFFFFFFFFu), 134775813u);
}

void TestPlatformServices::randomOfZero()
{
    TRandom random(987654321u);
    for (int draw = 0; draw < 10; ++draw)
        QCOMPARE(random.random(0), 0u);
    // Every draw steps the seed, also a draw of nothing.
    quint64 expectedSeed = 987654321u;
    for (int draw = 0; draw < 10; ++draw)
        expectedSeed = nextSeed(expectedSeed);
    QCOMPARE(quint64(random.seed()), expectedSeed);
}

void TestPlatformServices::randomStaysInRange()
{
    TRandom random(42);
    int seen[10] = {};
    for (int draw = 0; draw < 10000; ++draw) {
        const quint32 value = random.random(10);
        QVERIFY(value < 10);
        ++seen[value];
    }
    for (int count : seen)
        QVERIFY2(count > 800 && count < 1200, "draws of 0..9 far from uniform");
}

void TestPlatformServices::seedFromTimeOfDay_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("millisecond");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("midnight") << 0 << 0 << 0 << 0 << 0u;
    QTest::newRow("one millisecond") << 0 << 0 << 0 << 1 << 1u;
    QTest::newRow("one hour") << 1 << 0 << 0 << 0 << 3600000u;
    // 12 x 3,600,000 + 34 x 60,000 + 56 x 1,000 + 789
    QTest::newRow("afternoon") << 12 << 34 << 56 << 789 << 45296789u;
    QTest::newRow("last millisecond of the day") << 23 << 59 << 59 << 999 << 86399999u;
}

void TestPlatformServices::seedFromTimeOfDay()
{
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(int, millisecond);
    QFETCH(quint32, seed);
    QCOMPARE(TRandom::seedFromTimeOfDay(hour, minute, second, millisecond), seed);
}

void TestPlatformServices::randomizeUsesUtcTimeOfDay()
{
    const qint64 before = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    TRandom random(1);
    random.randomize();
    const qint64 after = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    if (after < before)
        QSKIP("midnight passed during the test");
    QVERIFY(qint64(random.seed()) >= before);
    QVERIFY(qint64(random.seed()) <= after);
}

// ---- conversions ------------------------------------------------------------------

void TestPlatformServices::strToIntAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("positive") << QStringLiteral("42") << 42;
    QTest::newRow("negative") << QStringLiteral("-5") << -5;
    QTest::newRow("plus sign") << QStringLiteral("+5") << 5;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << (-2147483647 - 1);
    QTest::newRow("dividend") << QStringLiteral("9989001") << 9989001;
}

void TestPlatformServices::strToIntAccepts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(divisheet::StrToInt(text), value);
}

void TestPlatformServices::strToIntRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << (u'\'' + text + QStringLiteral("' は整数ではありません"));
    };
    row("empty", QString());
    row("leading space", QStringLiteral(" 1"));
    row("trailing space", QStringLiteral("1 "));
    row("trailing letter", QStringLiteral("12a"));
    row("full-width digits", QStringLiteral("１２"));
    row("far too large", QStringLiteral("99999999999"));
    row("one above the largest", QStringLiteral("2147483648"));
    row("one below the smallest", QStringLiteral("-2147483649"));
    row("minus only", QStringLiteral("-"));
    row("plus only", QStringLiteral("+"));
    row("hexadecimal", QStringLiteral("0x10"));
    row("two signs", QStringLiteral("--1"));
    row("decimal point", QStringLiteral("1.0"));
}

void TestPlatformServices::strToIntRejects()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        divisheet::StrToInt(text);
        QFAIL("no conversion error");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), message);
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void TestPlatformServices::intToStr_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
    QTest::newRow("positive") << qint64(42) << QStringLiteral("42");
    QTest::newRow("negative") << qint64(-5) << QStringLiteral("-5");
    QTest::newRow("largest int") << qint64(2147483647) << QStringLiteral("2147483647");
    QTest::newRow("smallest int") << qint64(-2147483647 - 1) << QStringLiteral("-2147483648");
    QTest::newRow("beyond 32 bits") << qint64(9999999999) << QStringLiteral("9999999999");
}

void TestPlatformServices::intToStr()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(divisheet::IntToStr(value), text);
}

// ---- error boundary ---------------------------------------------------------------

void TestPlatformServices::errorEndsHandlerAndNextRuns()
{
    MessageRecorder recorder;
    bool afterError = false;
    divisheet::runHandler([&] {
        QVERIFY(divisheet::insideHandler());
        divisheet::StrToInt(QStringLiteral("abc"));
        afterError = true;
    });
    QVERIFY(!afterError);
    QVERIFY(!divisheet::insideHandler());
    QCOMPARE(recorder.messages, QStringList{QStringLiteral("'abc' は整数ではありません")});

    bool nextRan = false;
    divisheet::runHandler([&] { nextRan = true; });
    QVERIFY(nextRan);
    QCOMPARE(recorder.messages.size(), 1);
}

void TestPlatformServices::nestedHandlerErrorEndsOuterHandler()
{
    MessageRecorder recorder;
    bool outerGoesOn = false;
    divisheet::runHandler([&] {
        divisheet::runHandler([] { throw EPrinterError(QStringLiteral("プリンタがありません")); });
        outerGoesOn = true;
    });
    QVERIFY(!outerGoesOn);
    QCOMPARE(recorder.messages, QStringList{QStringLiteral("プリンタがありません")}); // shown once
}

void TestPlatformServices::programSetControlHandlerErrorEndsOuterHandler_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("check box") << QStringLiteral("check box");
    QTest::newRow("radio button") << QStringLiteral("radio button");
    QTest::newRow("radio group") << QStringLiteral("radio group");
    QTest::newRow("spin edit") << QStringLiteral("spin edit");
}

void TestPlatformServices::programSetControlHandlerErrorEndsOuterHandler()
{
    // The handler that the program's own setting runs is part of the handler that made
    // the setting: its error ends both. Qt's own signal delivery around the handler
    // still completes (a slot connected after ours runs), because the error is carried
    // past Qt instead of unwinding through it.
    QFETCH(QString, control);
    MessageRecorder recorder;
    QWidget owner;
    const auto failingHandler = [] {
        divisheet::runHandler([] { divisheet::StrToInt(QStringLiteral("1 2")); });
    };
    bool qtDeliveryCompleted = false;
    const auto markDelivered = [&qtDeliveryCompleted] { qtDeliveryCompleted = true; };
    std::function<void()> makeSetting;

    if (control == u"check box") {
        auto *box = new TCheckBox(&owner);
        connect(box, &TCheckBox::Click, &owner, failingHandler);
        connect(box, &QAbstractButton::toggled, &owner, markDelivered);
        makeSetting = [box] { box->setProperty("Checked", true); };
    } else if (control == u"radio button") {
        new TRadioButton(&owner);
        auto *button = new TRadioButton(&owner);
        connect(button, &TRadioButton::Click, &owner, failingHandler);
        connect(button, &QAbstractButton::toggled, &owner, markDelivered);
        makeSetting = [button] { button->setChecked(true); };
    } else if (control == u"radio group") {
        auto *group = new TRadioGroup(&owner);
        group->setItems({QStringLiteral("なし(&E)"), QStringLiteral("あり(&X)")});
        connect(group, &TRadioGroup::Click, &owner, failingHandler);
        connect(group->itemButton(1), &QAbstractButton::toggled, &owner, markDelivered);
        makeSetting = [group] { group->setItemIndex(1); };
    } else {
        auto *spin = new TSpinEdit(&owner);
        spin->setMaxValue(9);
        connect(spin, &TSpinEdit::Change, &owner, failingHandler);
        qtDeliveryCompleted = true; // the edit field's signal has no slot of ours to observe
        makeSetting = [spin] { spin->setValue(2); };
    }

    bool outerGoesOn = false;
    bool outerStarted = false;
    divisheet::runHandler([&] {
        outerStarted = true;
        makeSetting();
        outerGoesOn = true;
    });
    QVERIFY(outerStarted);
    QVERIFY(!outerGoesOn);
    QVERIFY(qtDeliveryCompleted);
    QCOMPARE(recorder.messages, QStringList{QStringLiteral("'1 2' は整数ではありません")});
}

void TestPlatformServices::unguardedHandlerErrorStopsAtControl()
{
    // A handler connected without a boundary, run by a user's click: the error goes no
    // further than the control, which shows it.
    MessageRecorder recorder;
    TCheckBox box;
    box.resize(100, 17);
    connect(&box, &TCheckBox::Click, &box, [] { throw EConvertError(QStringLiteral("x")); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(box.isChecked());
    QCOMPARE(recorder.messages, QStringList{QStringLiteral("x")});
}

void TestPlatformServices::errorMessage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("program error") << QStringLiteral("program") << QStringLiteral("'x' は整数ではありません");
    QTest::newRow("other standard exception") << QStringLiteral("standard") << QStringLiteral("disk on fire");
    QTest::newRow("out of memory") << QStringLiteral("memory") << QStringLiteral("メモリが足りません");
    QTest::newRow("not an exception class") << QStringLiteral("int") << QStringLiteral("不明なエラー");
}

// Both boundaries, a handler's and a control's, show the same text for the same error,
// and neither lets an error of any kind go on into Qt's event loop.
void TestPlatformServices::errorMessage()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    const auto raise = [&kind] {
        if (kind == u"program")
            divisheet::StrToInt(QStringLiteral("x"));
        else if (kind == u"standard")
            throw std::runtime_error("disk on fire");
        else if (kind == u"memory")
            throw std::bad_alloc();
        else
            throw 42;
    };
    MessageRecorder recorder;
    divisheet::runHandler(raise);
    divisheet::ErrorRelay::run(raise);
    QCOMPARE(recorder.messages, QStringList({message, message}));
}

// ---- owner lookup -----------------------------------------------------------------

void TestPlatformServices::findComponent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found"); // object name of the result, empty for none
    QTest::newRow("exact") << QStringLiteral("ButtonStart") << QStringLiteral("ButtonStart");
    QTest::newRow("lower case") << QStringLiteral("buttonstart") << QStringLiteral("ButtonStart");
    QTest::newRow("upper case") << QStringLiteral("BUTTONSTART") << QStringLiteral("ButtonStart");
    QTest::newRow("dynamic name") << QStringLiteral("dynlongdivision3") << QStringLiteral("DynLongDivision3");
    QTest::newRow("grandchild is not owned") << QStringLiteral("FDynFrameFigureIntegerKotae") << QString();
    QTest::newRow("missing") << QStringLiteral("ButtonStop") << QString();
    QTest::newRow("prefix only") << QStringLiteral("Button") << QString();
}

void TestPlatformServices::findComponent()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    QWidget owner;
    auto *button = new QPushButton(&owner);
    button->setObjectName(QStringLiteral("ButtonStart"));
    auto *figure = new QWidget(&owner);
    figure->setObjectName(QStringLiteral("DynLongDivision3"));
    auto *digit = new QWidget(figure);
    digit->setObjectName(QStringLiteral("FDynFrameFigureIntegerKotae"));

    QObject *result = divisheet::findComponent(&owner, name);
    QCOMPARE(result ? result->objectName() : QString(), found);
}

void TestPlatformServices::findComponentTyped()
{
    QWidget owner;
    auto *button = new QPushButton(&owner);
    button->setObjectName(QStringLiteral("ButtonStart"));
    QCOMPARE(divisheet::findComponent<QPushButton>(&owner, QStringLiteral("buttonSTART")), button);
    QCOMPARE(divisheet::findComponent<TCheckBox>(&owner, QStringLiteral("ButtonStart")), nullptr);
    QCOMPARE(divisheet::findComponent(nullptr, QStringLiteral("ButtonStart")), nullptr);
}

QTEST_MAIN(TestPlatformServices)
#include "tst_platform_services.moc"
