// The sheet of figures on the window and the data-check panel: where the figures go,
// what they show, and what typed input does to them.

#include "FormTestSupport.h"

#include <set>

namespace {

void checkIsFullProblemSheet(const QWidget *form, int count)
{
    const auto figures = figuresOn(form);
    QCOMPARE(int(figures.size()), count);
    const auto problems = sheetProblems(form, count);
    for (int k = 0; k < count; ++k) {
        QCOMPARE(figures[k].name, QStringLiteral("DynLongDivision%1").arg(k + 1));
        QCOMPARE(QString::number(figures[k].divisor), problems[k].first);
        QCOMPARE(QString::number(figures[k].dividend), problems[k].second);
    }
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { divisheet::installFontSubstitutions(); }

    void defaultSheet()
    {
        auto form = makeForm();
        QCOMPARE(form->size(), QSize(1036, 766));
        const auto figures = figuresOn(form.get());
        QCOMPARE(figures.size(), size_t(10));
        const int lefts[] = {32, 232, 432, 632, 832};
        std::set<int> dividends;
        for (int n = 1; n <= 10; ++n) {
            const Figure &f = figures[n - 1];
            QCOMPARE(f.name, QStringLiteral("DynLongDivision%1").arg(n));
            QCOMPARE(f.geometry.topLeft(), QPoint(lefts[(n - 1) % 5], n <= 5 ? 48 : 407));
            QCOMPARE(f.divisor, 2);
            QCOMPARE(f.integerShow, isShow);
            QCOMPARE(f.frameShow, fsShow);
            dividends.insert(f.dividend);
        }
        // All ten problems 0 / 2 ... 18 / 2, each once.
        QCOMPARE(dividends, (std::set<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18}));
        checkIsFullProblemSheet(form.get(), 10);
        QCOMPARE(form->sheetState().CellWidth, quint16(200));
        QCOMPARE(form->sheetState().CellHeight, quint16(359));
    }

    // Under a frame the window's outer size is the designed one, and the start-up sheet
    // stands where every later sheet stands.
    void framedWindowKeepsDesignedOuterSize()
    {
        auto form = makeForm({}, true);
        QCOMPARE(form->frameGeometry().size(), QSize(1036, 766));
        QCOMPARE(form->size(), QSize(1032, 762));
        std::set<int> tops;
        for (const Figure &f : figuresOn(form.get()))
            tops.insert(f.geometry.top());
        QCOMPARE(tops, (std::set<int>{48, 407}));
        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(1020, 750));
        child<TButton>(form.get(), "ButtonKoushin")->click();
        for (const Figure &f : figuresOn(form.get()))
            QVERIFY2(tops.count(f.geometry.top()), qPrintable(f.name));
    }

    // After every placement, whoever made it, the panels lie above every figure.
    void panelsAboveFigures_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("start-up") << u"start-up"_qs;
        QTest::newRow("double click") << u"double click"_qs;
        QTest::newRow("update") << u"update"_qs;
        QTest::newRow("frame lines") << u"frame lines"_qs;
        QTest::newRow("data check: draw") << u"draw"_qs;
        QTest::newRow("data check: closed") << u"closed"_qs;
    }
    void panelsAboveFigures()
    {
        QFETCH(QString, trigger);
        auto form = makeForm({true, {}}); // with the data-check box
        auto *check = child<TCheckBox>(form.get(), "CheckBoxDataKakunin");
        if (trigger == u"double click")
            QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(1020, 760));
        else if (trigger == u"update")
            child<TButton>(form.get(), "ButtonKoushin")->click();
        else if (trigger == u"frame lines")
            child<TCheckBox>(form.get(), "CheckBoxRuledLine")->click();
        else if (trigger == u"draw" || trigger == u"closed") {
            check->click();
            child<TButton>(form.get(), "ButtonByouga")->click();
            if (trigger == u"closed")
                check->click();
        }
        QStringList panels = {u"PanelButtons"_qs, u"GroupBoxStart"_qs};
        if (check->isChecked())
            panels << u"PanelDataKakunin"_qs;
        const QObjectList stack = form->children(); // bottom to top
        qsizetype topFigure = -1;
        for (qsizetype i = 0; i < stack.size(); ++i) {
            if (qobject_cast<TLongDivision *>(stack[i]))
                topFigure = i;
        }
        QVERIFY(topFigure >= 0);
        for (const QString &panel : panels)
            QVERIFY2(stack.indexOf(child<QWidget>(form.get(), qPrintable(panel))) > topFigure, qPrintable(panel));
    }

    void threeByFourSheetNumbersRowByRow()
    {
        auto form = makeForm();
        child<TSpinEdit>(form.get(), "SpinEditDan")->setValue(3);
        child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(1);
        child<TButton>(form.get(), "ButtonKoushin")->click();
        const auto figures = figuresOn(form.get());
        QCOMPARE(figures.size(), size_t(12));
        // (1036 - 32) / 4 = 251, (766 - 48) / 3 = 239
        for (int n = 1; n <= 12; ++n) {
            const int row = (n - 1) / 4 + 1;
            const int column = (n - 1) % 4 + 1;
            QCOMPARE(figures[n - 1].name, QStringLiteral("DynLongDivision%1").arg(n));
            QCOMPARE(figures[n - 1].geometry.topLeft(),
                     QPoint(32 + 251 * (column - 1), 48 + 239 * (row - 1)));
            QCOMPARE(figures[n - 1].divisor, 3);
            QVERIFY(figures[n - 1].dividend % 3 != 0);
        }
        checkIsFullProblemSheet(form.get(), 12);
    }

    void resizedWindowSpreadsNextSheet()
    {
        auto form = makeForm();
        const auto before = figuresOn(form.get());
        form->resize(1600, 900);
        QCOMPARE(figuresOn(form.get())[1].geometry.topLeft(), before[1].geometry.topLeft());
        child<TButton>(form.get(), "ButtonKoushin")->click();
        const auto after = figuresOn(form.get());
        // (1600 - 32) / 5 = 313, (900 - 48) / 2 = 426
        QCOMPARE(after[0].geometry.topLeft(), QPoint(32, 48));
        QCOMPARE(after[1].geometry.topLeft(), QPoint(32 + 313, 48));
        QCOMPARE(after[6].geometry.topLeft(), QPoint(32 + 313, 48 + 426));
    }

    void smallestWindowPlacesWithoutCrash()
    {
        MessageCapture capture;
        auto form = makeForm();
        form->setMinimumSize(0, 0); // as a window system that ignores the window's minimum may make it
        form->resize(1, 1);
        child<TButton>(form.get(), "ButtonKoushin")->click();
        QCOMPARE(form->sheetState().CellWidth, quint16(0));
        QCOMPARE(form->sheetState().CellHeight, quint16(0));
        for (const Figure &f : figuresOn(form.get()))
            QCOMPARE(f.geometry.topLeft(), QPoint(32, 48));
        QVERIFY(capture.messages.isEmpty());
    }

    void placingTwiceGivesSameFigures()
    {
        auto form = makeForm();
        const auto first = figuresOn(form.get());
        form->ComponentByouga(form.get());
        const auto second = figuresOn(form.get());
        QCOMPARE(second.size(), first.size());
        for (size_t i = 0; i < first.size(); ++i) {
            QCOMPARE(second[i].name, first[i].name);
            QCOMPARE(second[i].geometry, first[i].geometry);
            QCOMPARE(second[i].dividend, first[i].dividend);
            QCOMPARE(second[i].divisor, first[i].divisor);
        }
    }

    void frameLinesOffAndOn()
    {
        auto form = makeForm();
        auto *ruled = child<TCheckBox>(form.get(), "CheckBoxRuledLine");
        auto *title = child<TLabel>(form.get(), "LabelHyoudai");
        const auto before = figuresOn(form.get());
        ruled->click();
        QVERIFY(title->caption().startsWith(QStringLiteral("枠線:非表示 ,")));
        auto off = figuresOn(form.get());
        QCOMPARE(off.size(), before.size());
        for (size_t i = 0; i < off.size(); ++i) {
            QCOMPARE(off[i].dividend, before[i].dividend);
            QCOMPARE(off[i].frameShow, fsHide);
        }
        // The figures' sub-figures follow the setting too.
        for (auto *digits : form->findChildren<TFrameFigureInteger *>()) {
            if (digits->objectName() != QStringLiteral("FDynFrameFigureIntegerDummy"))
                QCOMPARE(digits->typeFrameShow(), fsHide);
        }
        ruled->click();
        QVERIFY(title->caption().startsWith(QStringLiteral("枠線:表示 ,")));
        const auto on = figuresOn(form.get());
        for (size_t i = 0; i < on.size(); ++i) {
            QCOMPARE(on[i].dividend, before[i].dividend);
            QCOMPARE(on[i].frameShow, fsShow);
        }
    }

    void deletionAfterShapeChangeFreesEveryFigure()
    {
        auto form = makeForm({true, {}}); // with the data-check box
        QCOMPARE(figuresOn(form.get()).size(), size_t(10));
        child<TRadioButton>(form.get(), "RadioButtonWaru1000_9999")->click();
        child<TButton>(form.get(), "ButtonRansuuHassei")->click();
        QCOMPARE(form->sheetState().FigureColumns, 2);
        child<TButton>(form.get(), "ButtonSakujo")->click();
        QVERIFY(figuresOn(form.get()).empty());
        QVERIFY(form->findChildren<TFrameFigureInteger *>().isEmpty());
    }

    void dataCheckPanel()
    {
        auto form = makeForm({true, {}}); // with the data-check box
        auto *check = child<TCheckBox>(form.get(), "CheckBoxDataKakunin");
        auto *panel = child<QWidget>(form.get(), "PanelDataKakunin");
        auto *list = child<TStringGrid>(form.get(), "StringGridList");
        auto *data = child<TStringGrid>(form.get(), "StringGridData");

        child<TRadioButton>(form.get(), "RadioButtonWaru1_9")->click();
        child<TButton>(form.get(), "ButtonKoushin")->click(); // 90 problems, 15 drawn
        QCOMPARE(list->colCount(), 76);

        check->click();
        QVERIFY(panel->isVisible());
        QVERIFY(list->isVisible());
        QVERIFY(data->isVisible());
        QVERIFY(figuresOn(form.get()).empty());
        QCOMPARE(list->col(), list->colCount() - 1);

        // A typed problem is placed in its cell when the panel closes.
        QAbstractItemModel *model = data->model();
        QVERIFY(model->setData(model->index(2, 3), QStringLiteral("7")));
        QVERIFY(model->setData(model->index(4, 3), QStringLiteral("3542")));
        check->click();
        QVERIFY(!panel->isVisible());
        const auto figures = figuresOn(form.get());
        QCOMPARE(figures.size(), size_t(15));
        QCOMPARE(figures[2].divisor, 7);
        QCOMPARE(figures[2].dividend, 3542);
        checkIsFullProblemSheet(form.get(), 15);
    }

    void repeatedChoiceDrawsOnlyNewProblems()
    {
        auto form = makeForm({true, {}}); // with the data-check box
        child<TRadioButton>(form.get(), "RadioButtonWaru1_9")->click();
        child<TCheckBox>(form.get(), "CheckBoxDataKakunin")->click();
        child<TButton>(form.get(), "ButtonRansuuHassei")->click();
        auto *list = child<TStringGrid>(form.get(), "StringGridList");
        auto *data = child<TStringGrid>(form.get(), "StringGridData");
        QCOMPARE(list->colCount(), 91);
        std::set<QString> drawn;
        for (int round = 0; round < 6; ++round) { // 6 x 15 = all 90
            child<TButton>(form.get(), "ButtonSentaku")->click();
            for (int k = 1; k <= 15; ++k)
                QVERIFY2(drawn.insert(data->cell(k, 0)).second, "a problem was drawn twice");
            QCOMPARE(list->colCount(), 91 - 15 * (round + 1));
        }
        QCOMPARE(int(drawn.size()), 90);
        // An exhausted catalogue draws nothing more and keeps the sheet as it was.
        const QString last = data->cell(15, 4);
        child<TButton>(form.get(), "ButtonSentaku")->click();
        QCOMPARE(list->colCount(), 1);
        QCOMPARE(data->cell(15, 4), last);
    }

    void clearedSheetReportsConversionError()
    {
        MessageCapture capture;
        auto form = makeForm({true, {}}); // with the data-check box
        child<TCheckBox>(form.get(), "CheckBoxDataKakunin")->click();
        child<TButton>(form.get(), "ButtonStringGridDataClear")->click();
        child<TButton>(form.get(), "ButtonByouga")->click();
        QCOMPARE(capture.messages, QStringList{QStringLiteral("'' は整数ではありません")});
        QVERIFY(figuresOn(form.get()).empty());
        // The program goes on: the next sheet is whole again.
        child<TButton>(form.get(), "ButtonKoushin")->click();
        QCOMPARE(figuresOn(form.get()).size(), size_t(10));
        QCOMPARE(capture.messages.size(), 1);
    }

    // Typed into the divisor (row 2) or dividend (row 4) of the fourth problem: either
    // the conversion message with the figures before it kept, or a clamped figure.
    void typedInput_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<int>("divisor");  // expected figure values when accepted
        QTest::addColumn<int>("dividend");

        QTest::newRow("empty") << 4 << QString() << true << 0 << 0;
        QTest::newRow("spaces") << 4 << QStringLiteral("   ") << true << 0 << 0;
        QTest::newRow("space after") << 4 << QStringLiteral("12 ") << true << 0 << 0;
        QTest::newRow("letters") << 2 << QStringLiteral("abc") << true << 0 << 0;
        QTest::newRow("12a") << 4 << QStringLiteral("12a") << true << 0 << 0;
        QTest::newRow("full-width digits") << 4 << QStringLiteral("１２") << true << 0 << 0;
        QTest::newRow("beyond 32 bits") << 4 << QStringLiteral("99999999999") << true << 0 << 0;
        QTest::newRow("very long") << 2 << QString(5000, u'7') << true << 0 << 0;
        QTest::newRow("plus sign") << 4 << QStringLiteral("+5") << false << 7 << 5;
        QTest::newRow("negative dividend clamps to 0") << 4 << QStringLiteral("-5") << false << 7 << 0;
        QTest::newRow("zero divisor clamps to 1") << 2 << QStringLiteral("0") << false << 1 << 77;
        QTest::newRow("big dividend clamps") << 4 << QStringLiteral("123456") << false << 7 << 99999;
    }
    void typedInput()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(bool, rejected);
        MessageCapture capture;
        auto form = makeForm({true, {}}); // with the data-check box
        auto *check = child<TCheckBox>(form.get(), "CheckBoxDataKakunin");
        check->click();
        QAbstractItemModel *model = child<TStringGrid>(form.get(), "StringGridData")->model();
        QVERIFY(model->setData(model->index(2, 4), QStringLiteral("7")));
        QVERIFY(model->setData(model->index(4, 4), QStringLiteral("77")));
        QVERIFY(model->setData(model->index(row, 4), text));
        check->click();

        const auto figures = figuresOn(form.get());
        if (rejected) {
            QCOMPARE(capture.messages, QStringList{QStringLiteral("'%1' は整数ではありません").arg(text)});
            QCOMPARE(figures.size(), size_t(3));
        } else {
            QVERIFY(capture.messages.isEmpty());
            QCOMPARE(figures.size(), size_t(10));
            QTEST(figures[3].divisor, "divisor");
            QTEST(figures[3].dividend, "dividend");
        }
        // Nothing was lost: the typed text is still there to be corrected.
        QCOMPARE(model->data(model->index(row, 4)).toString(), text);
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
