#include "app/PageOptionsDialog.h"

#include "sheet/ProblemCatalogue.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

using namespace divisheet;

TPageOptionsDialog::TPageOptionsDialog(const PageOptions &options, const ProblemSettings &settings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PageOptionsDialog"));
    setWindowTitle(QStringLiteral("ページ設定"));
    auto *layout = new QVBoxLayout(this);
    const auto check = [this, layout](const char *name, const QString &text, bool checked) {
        auto *box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        box->setChecked(checked);
        layout->addWidget(box);
        return box;
    };
    m_numbered = check("CheckBoxNumbered", QStringLiteral("問題に番号を付ける(&N)"), options.numbered);
    m_scoreBox = check("CheckBoxScoreBox", QStringLiteral("点数欄を付ける(&S)"), options.scoreBox);
    auto *titleLabel = new QLabel(QStringLiteral("題名(&T):"), this);
    m_title = new QLineEdit(options.title, this);
    m_title->setObjectName(QStringLiteral("EditTitle"));
    m_title->setMinimumWidth(kTitleMaxLength * 13); // the whole title in view
    m_title->setPlaceholderText(QStringLiteral("なし(設定の行を表示)"));
    titleLabel->setBuddy(m_title);
    m_titleCut = new QLabel(this);
    m_titleCut->setObjectName(QStringLiteral("LabelTitleCut"));
    m_titleCut->setStyleSheet(QStringLiteral("color: #b00000"));
    m_titleCut->hide();
    layout->addWidget(titleLabel);
    layout->addWidget(m_title);
    layout->addWidget(m_titleCut);
    m_more = check("CheckBoxMore", QStringLiteral("問題を多くする(&M)"), options.more);
    auto *total = new QLabel(QStringLiteral("この設定の問題は全部で%1題です")
                                 .arg(QLocale(QLocale::Japanese).toString(problemTotal(settings))),
                             this);
    total->setObjectName(QStringLiteral("LabelProblemTotal"));
    total->setIndent(20); // under the check box's text
    layout->addWidget(total);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_title, &QLineEdit::textChanged, this, &TPageOptionsDialog::titleEdited);
}

// Typed or pasted text beyond the limit is cut at once, and the note stays until the
// title fits again, so that nothing is lost without the teacher seeing it.
void TPageOptionsDialog::titleEdited(const QString &text)
{
    const FittedTitle fitted = fitTitle(text);
    if (fitted.cut) {
        m_titleCut->setText(QStringLiteral("題名は%1文字までです。それより後は切りました。").arg(kTitleMaxLength));
        m_titleCut->show();
    } else if (fitTitle(text + QStringLiteral("x")).cut == false) {
        m_titleCut->hide();
    }
    if (fitted.text != text)
        m_title->setText(fitted.text);
}

PageOptions TPageOptionsDialog::options() const
{
    return {m_numbered->isChecked(), m_scoreBox->isChecked(), fitTitle(m_title->text()).text,
            m_more->isChecked()};
}
