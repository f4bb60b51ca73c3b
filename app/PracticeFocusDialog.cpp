#include "app/PracticeFocusDialog.h"

#include "sheet/FocusedCatalogue.h"
#include "sheet/Lessons.h"
#include "sheet/PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QStringList>
#include <QVBoxLayout>

#include <span>

using namespace divisheet;

namespace {

struct ChoiceItem
{
    const char16_t *text;
    int value;
};

// One choice of the focus: a combo box whose first item leaves the focus alone.
struct Choice
{
    const char *name; // of the combo box "ComboBox<name>" and its reason "LabelReason<name>"
    const char16_t *label;
    std::span<const ChoiceItem> items;
    void (*set)(PracticeFocus &focus, int value);
    int (*get)(const PracticeFocus &focus);
};

constexpr ChoiceItem presenceItems[] = {
    {u"どちらでも", int(Presence::Either)}, {u"すべての問題", int(Presence::Always)}, {u"なし", int(Presence::Never)}};
constexpr ChoiceItem correctionItems[] = {
    {u"どちらでも", int(CorrectionFocus::Any)},     {u"なし", int(CorrectionFocus::None)},
    {u"1回", int(CorrectionFocus::One)},             {u"2回以上", int(CorrectionFocus::TwoOrMore)},
    {u"9からたてる", int(CorrectionFocus::FromNine)}};
constexpr ChoiceItem estimateItems[] = {{u"四捨五入", int(Estimate::Round)}, {u"切り捨て", int(Estimate::Floor)}};
constexpr ChoiceItem digitItems[] = {{u"どれでも", 0}, {u"1けた", 1}, {u"2けた", 2}, {u"3けた", 3}, {u"4けた", 4}, {u"5けた", 5}};

constexpr std::size_t kCorrections = 2;
constexpr std::size_t kEstimate = 3;
constexpr Choice choices[] = {
    {"ZeroInQuotient", u"商に0がたつ(&Z):", presenceItems,
     [](PracticeFocus &f, int v) { f.zeroInQuotient = Presence(v); }, [](const PracticeFocus &f) { return int(f.zeroInQuotient); }},
    {"LateStart", u"首位に商がたたない(&S):", presenceItems,
     [](PracticeFocus &f, int v) { f.lateStart = Presence(v); }, [](const PracticeFocus &f) { return int(f.lateStart); }},
    {"Corrections", u"仮商の修正(&K):", correctionItems,
     [](PracticeFocus &f, int v) { f.corrections = CorrectionFocus(v); }, [](const PracticeFocus &f) { return int(f.corrections); }},
    {"Estimate", u"見積もり(&E):", estimateItems,
     [](PracticeFocus &f, int v) { f.estimate = Estimate(v); }, [](const PracticeFocus &f) { return int(f.estimate); }},
    {"DividendDigits", u"わられる数のけた数(&D):", digitItems,
     [](PracticeFocus &f, int v) { f.dividendDigits = v; }, [](const PracticeFocus &f) { return f.dividendDigits; }},
};
static_assert(choices[kCorrections].items.data() == correctionItems && choices[kEstimate].items.data() == estimateItems);

QString withoutMnemonic(const char16_t *label)
{
    return QString::fromUtf16(label).remove(QRegularExpression(QStringLiteral("\\(&.\\)|:$")));
}

// The classes as the teacher set them on the panel: "わる数 11..99・商 1..9・あまり あり".
QString classesText(const ProblemSettings &s)
{
    return QStringLiteral("わる数 %1・商 %2・あまり %3")
        .arg(divisorCaption(s.divisor, s.fixedDivisor), quotientCaption(s.quotient),
             s.withRemainder ? QStringLiteral("あり") : QStringLiteral("なし"));
}

QLabel *reasonLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: #606060"));
    return label;
}

} // namespace

TPracticeFocusDialog::TPracticeFocusDialog(const PracticeFocus &focus, const ProblemSettings &panel, QWidget *parent)
    : QDialog(parent), m_panel(panel), m_opened(focus)
{
    m_panel.focus = {};
    setObjectName(QStringLiteral("PracticeFocusDialog"));
    setWindowTitle(QStringLiteral("ねらい"));
    auto *columns = new QHBoxLayout;

    auto *lessonColumn = new QVBoxLayout;
    auto *lessonLabel = new QLabel(QStringLiteral("学習内容(&L):"), this);
    m_lessons = new QListWidget(this);
    m_lessons->setObjectName(QStringLiteral("ListLessons"));
    m_lessons->setAccessibleName(QStringLiteral("学習内容"));
    m_lessons->addItem(QStringLiteral("いまの設定のまま"));
    for (const Lesson &lesson : lessons())
        m_lessons->addItem(lesson.name.toString());
    m_lessons->setCurrentRow(0);
    lessonLabel->setBuddy(m_lessons);
    m_lessonClasses = new QLabel(classesText(m_panel), this);
    m_lessonClasses->setObjectName(QStringLiteral("LabelLessonClasses"));
    lessonColumn->addWidget(lessonLabel);
    lessonColumn->addWidget(m_lessons);
    lessonColumn->addWidget(m_lessonClasses);
    columns->addLayout(lessonColumn);

    auto *grid = new QGridLayout;
    int row = 0;
    QWidget *previous = m_lessons;
    for (const Choice &choice : choices) {
        auto *label = new QLabel(QString::fromUtf16(choice.label), this);
        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("ComboBox") + QLatin1String(choice.name));
        combo->setAccessibleName(withoutMnemonic(choice.label));
        for (const ChoiceItem &item : choice.items)
            combo->addItem(QString::fromUtf16(item.text), item.value);
        label->setBuddy(combo);
        QLabel *reason = reasonLabel(QStringLiteral("LabelReason") + QLatin1String(choice.name), this);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        grid->addWidget(reason, row, 2);
        ++row;
        m_combos.push_back(combo);
        m_reasons.push_back(reason);
        setTabOrder(previous, combo);
        previous = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, &TPracticeFocusDialog::choiceChanged);
    }
    m_mixed = new QCheckBox(QStringLiteral("あまり まぜる(&M)"), this);
    m_mixed->setObjectName(QStringLiteral("CheckBoxMixedRemainder"));
    m_mixed->setToolTip(QStringLiteral("あまりのない問題とある問題を半分ずつにします"));
    m_mixedReason = reasonLabel(QStringLiteral("LabelReasonMixedRemainder"), this);
    grid->addWidget(m_mixed, row, 0, 1, 2);
    grid->addWidget(m_mixedReason, row, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row + 1, 1);
    setTabOrder(previous, m_mixed);
    connect(m_mixed, &QCheckBox::toggled, this, &TPracticeFocusDialog::choiceChanged);
    columns->addLayout(grid, 1);

    m_fault = new QLabel(this);
    m_fault->setObjectName(QStringLiteral("LabelFocusFault"));
    m_fault->setStyleSheet(QStringLiteral("color: #b00000"));
    m_fault->setWordWrap(true);
    m_fewer = new QLabel(this);
    m_fewer->setObjectName(QStringLiteral("LabelFewerProblems"));
    m_fewer->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("ButtonBoxFocus"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_fault);
    layout->addWidget(m_fewer);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &TPracticeFocusDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_lessons, &QListWidget::currentRowChanged, this, &TPracticeFocusDialog::lessonPicked);

    showFocus(focus);
    disableImpossibleChoices();
    choiceChanged();
}

PracticeFocus TPracticeFocusDialog::focus() const
{
    PracticeFocus focus;
    for (std::size_t k = 0; k < std::size(choices); ++k)
        choices[k].set(focus, m_combos[k]->currentData().toInt());
    focus.mixedRemainder = m_mixed->isChecked();
    return focus;
}

std::optional<ProblemSettings> TPracticeFocusDialog::lessonSettings() const
{
    if (m_lessons->currentRow() < 1)
        return std::nullopt;
    return withFocus(focus());
}

void TPracticeFocusDialog::accept()
{
    if (focusFault(withFocus(focus())) == FocusFault::None)
        QDialog::accept();
}

// The classes the choices are judged against: the lesson's, or the panel's.
ProblemSettings TPracticeFocusDialog::baseSettings() const
{
    const int row = m_lessons->currentRow();
    if (row < 1)
        return m_panel;
    ProblemSettings settings = lessons()[std::size_t(row - 1)].settings;
    settings.focus = {};
    return settings;
}

// Mixing asks for the sheet of problems with a remainder, which the window then sets.
ProblemSettings TPracticeFocusDialog::withFocus(const PracticeFocus &focus) const
{
    ProblemSettings settings = baseSettings();
    settings.focus = focus;
    settings.withRemainder = settings.withRemainder || focus.mixedRemainder;
    return settings;
}

void TPracticeFocusDialog::lessonPicked(int row)
{
    m_lessonClasses->setText(classesText(baseSettings()));
    showFocus(row < 1 ? m_opened : lessons()[std::size_t(row - 1)].settings.focus);
    disableImpossibleChoices();
    choiceChanged();
}

void TPracticeFocusDialog::showFocus(const PracticeFocus &focus)
{
    m_showing = true;
    for (std::size_t k = 0; k < std::size(choices); ++k)
        m_combos[k]->setCurrentIndex(m_combos[k]->findData(choices[k].get(focus)));
    m_mixed->setChecked(focus.mixedRemainder);
    m_showing = false;
}

void TPracticeFocusDialog::disableImpossibleChoices()
{
    for (std::size_t k = 0; k < std::size(choices); ++k)
        disableImpossibleItems(k);
    PracticeFocus mixing;
    mixing.mixedRemainder = true;
    const FocusFault fault = focusFault(withFocus(mixing));
    // A choice already made stays reachable, so that it can be undone.
    m_mixed->setEnabled(fault == FocusFault::None || m_mixed->isChecked());
    m_mixedReason->setText(focusFaultWords(fault));
    m_mixed->setAccessibleDescription(m_mixedReason->text());
}

// Each item alone, with the estimate chosen, for the classes: the items no problem has are
// disabled, and the reason says why.
void TPracticeFocusDialog::disableImpossibleItems(std::size_t choice)
{
    QComboBox *combo = m_combos[choice];
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    QStringList reasons;
    QStringList withoutProblem;
    bool anyPossible = false;
    for (int item = 1; item < combo->count(); ++item) {
        PracticeFocus alone;
        alone.estimate = Estimate(m_combos[kEstimate]->currentData().toInt());
        choices[choice].set(alone, combo->itemData(item).toInt());
        const FocusFault fault = focusFault(withFocus(alone));
        model->item(item)->setEnabled(fault == FocusFault::None);
        anyPossible = anyPossible || fault == FocusFault::None;
        if (fault == FocusFault::NoProblem)
            withoutProblem << combo->itemText(item);
        else if (fault != FocusFault::None && !reasons.contains(focusFaultWords(fault)))
            reasons << focusFaultWords(fault);
    }
    if (!withoutProblem.isEmpty())
        reasons << QStringLiteral("「%1」に合う問題がありません").arg(withoutProblem.join(QStringLiteral("・")));
    m_reasons[choice]->setText(reasons.join(QStringLiteral("。")));
    combo->setAccessibleDescription(m_reasons[choice]->text());
    combo->setEnabled(anyPossible || combo->currentIndex() != 0);
}

// The estimate only counts with corrections; the combination as a whole must have problems.
void TPracticeFocusDialog::choiceChanged()
{
    if (m_showing)
        return;
    if (sender() == m_combos[kEstimate])
        disableImpossibleItems(kCorrections);
    m_combos[kEstimate]->setEnabled(m_combos[kCorrections]->isEnabled() && m_combos[kCorrections]->currentIndex() != 0);
    const PracticeFocus chosen = focus();
    const FocusFault fault = focusFault(withFocus(chosen));
    QString message;
    if (fault == FocusFault::NoProblem)
        message = chosen.mixedRemainder ? QStringLiteral("あまりのない問題とある問題のどちらかに、このねらいの問題がありません。")
                                        : QStringLiteral("この組み合わせの問題はありません。");
    else if (fault != FocusFault::None)
        message = focusFaultWords(fault) + QStringLiteral("。");
    m_fault->setText(message.isEmpty() ? QString() : message + QStringLiteral("選び方を変えてください。"));
    m_fault->setVisible(!message.isEmpty());
    // A focus that fewer problems have than a standard page holds gives a sheet of those there are.
    const ProblemSettings settings = withFocus(chosen);
    const qint64 total = fault == FocusFault::None && chosen.picks() ? focusedProblemTotal(settings) : 0;
    const int holds = sheetProblemCount(settings, {});
    m_fewer->setText(total > 0 && total < holds
                         ? QStringLiteral("このねらいに合う問題は%1題だけなので、1枚に%1題を出します。").arg(total)
                         : QString());
    m_fewer->setVisible(!m_fewer->text().isEmpty());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(message.isEmpty());
}
