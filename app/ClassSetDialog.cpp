#include "app/ClassSetDialog.h"

#include "app/ClassSet.h"
#include "app/SheetPages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace divisheet;

TClassSetDialog::TClassSetDialog(QWidget *parent, SaveFileChooser chooseFile, QString suggestedFile)
    : QDialog(parent), m_chooseFile(std::move(chooseFile)), m_suggestedFile(std::move(suggestedFile))
{
    setObjectName(QStringLiteral("ClassSetDialog"));
    setWindowTitle(QStringLiteral("まとめて作成"));

    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("SpinBoxCount"));
    m_count->setRange(1, maxClassSetSize);
    m_count->setValue(m_request.count);
    m_count->setSuffix(QStringLiteral(" 枚"));
    m_answers = new QCheckBox(QStringLiteral("解答のページも作る(&A)"), this);
    m_answers->setObjectName(QStringLiteral("CheckBoxAnswers"));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("EditCode"));
    m_code->setPlaceholderText(QStringLiteral("空欄：新しいセット　例 #40B1B-6B4N9"));
    m_code->setToolTip(QStringLiteral("プリントのシートコードを入れると、その1枚をもう一度作ります"));

    m_toPdf = new QRadioButton(QStringLiteral("PDFファイル(&F)"), this);
    m_toPdf->setObjectName(QStringLiteral("RadioButtonPdf"));
    m_toPdf->setChecked(true);
    auto *toPrinter = new QRadioButton(QStringLiteral("プリンタ(&P)：問題と解答を別々に印刷"), this);
    toPrinter->setObjectName(QStringLiteral("RadioButtonPrinter"));
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("EditFile"));
    m_file->setReadOnly(true);
    m_file->setMinimumWidth(260);
    auto *browse = new QPushButton(QStringLiteral("参照(&B)..."), this);
    connect(browse, &QPushButton::clicked, this, &TClassSetDialog::chooseFile);
    connect(m_toPdf, &QRadioButton::toggled, m_file, &QWidget::setEnabled);
    connect(m_toPdf, &QRadioButton::toggled, browse, &QWidget::setEnabled);
    // A code brings its own sheet: the number of sheets and the answers are its.
    connect(m_code, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_count->setEnabled(text.trimmed().isEmpty());
        m_answers->setEnabled(text.trimmed().isEmpty());
    });

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("LabelError"));
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_error->setWordWrap(true);

    layOut(toPrinter, browse);
}

void TClassSetDialog::layOut(QRadioButton *toPrinter, QPushButton *browse)
{
    auto *pdfRow = new QHBoxLayout;
    pdfRow->addWidget(m_toPdf);
    pdfRow->addWidget(m_file, 1);
    pdfRow->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("枚数(&N)："), m_count);
    form->addRow(QString(), m_answers);
    form->addRow(QStringLiteral("シートコード(&C)："), m_code);
    form->addRow(QStringLiteral("出力先："), pdfRow);
    form->addRow(QString(), toPrinter);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("作成"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TClassSetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TClassSetDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("今の設定で、違う問題のプリントをまとめて作ります。"
                                                "どのページにもシートコードと「何枚目/枚数」が入ります。"),
                                 this));
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
}

void TClassSetDialog::setAnswersIncluded(bool included)
{
    m_answers->setChecked(included);
}

void TClassSetDialog::chooseFile()
{
    QString suggested = m_file->text().isEmpty() ? m_suggestedFile : m_file->text();
    // The one sheet of a code is suggested under its code.
    if (const SheetCodeResult decoded = decodeSheetCode(m_code->text()); decoded.recipe && m_file->text().isEmpty())
        suggested = QFileInfo(m_suggestedFile).dir().filePath(pdfFileName(encodeSheetCode(*decoded.recipe)));
    const QString file = m_chooseFile(this, windowTitle(), suggested);
    if (!file.isEmpty())
        m_file->setText(file);
}

void TClassSetDialog::accept()
{
    ClassSetRequest request;
    request.count = m_count->value();
    request.answersIncluded = m_answers->isChecked();
    if (const QString code = m_code->text().trimmed(); !code.isEmpty()) {
        const SheetCodeResult decoded = decodeSheetCode(code);
        if (!decoded.recipe) {
            m_error->setText(QStringLiteral("このシートコードからは作れません：") + decoded.error);
            m_code->setFocus();
            return;
        }
        request.code = decoded.recipe;
    }
    if (m_toPdf->isChecked()) {
        if (m_file->text().isEmpty())
            chooseFile();
        if (m_file->text().isEmpty()) {
            m_error->setText(QStringLiteral("保存するPDFファイルを選んでください。"));
            return;
        }
        request.fileName = m_file->text();
    }
    m_error->clear();
    m_request = request;
    QDialog::accept();
}
