#include "app/ClassSetDialog.h"

#include "app/SheetPages.h"
#include "platform/Printer.h"
#include "sheet/ClassSet.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

using namespace divisheet;

namespace {

const QString kCountKey = QStringLiteral("ClassSet/count");
const QString kAnswersKey = QStringLiteral("ClassSet/answers");
const QString kFolderKey = QStringLiteral("ClassSet/folder");

// The decoder's reasons speak English for the command line; the dialog says them so.
QString codeErrorText(SheetCodeError error)
{
    switch (error) {
    case SheetCodeError::None:
        break;
    case SheetCodeError::Character:
        return QStringLiteral("シートコードに使えない文字があります。使えるのは数字と、U以外の英字です。");
    case SheetCodeError::Length:
        return QStringLiteral(
            "シートコードの文字の数が合いません。プリントに書かれたとおりに入れてください。");
    case SheetCodeError::Mistyped:
        return QStringLiteral(
            "シートコードに打ち間違いがあります。プリントに書かれたとおりに入れてください。");
    case SheetCodeError::LaterVersion:
        return QStringLiteral("新しい版のDivisheetで作られたシートコードです。この版では作れません。");
    case SheetCodeError::NoSuchSheet:
        return QStringLiteral("このシートコードのプリントはありません。");
    }
    return {};
}

} // namespace

TClassSetDialog::TClassSetDialog(QWidget *parent, SaveFileChooser chooseFile, QString suggestedFile,
                                 bool answersIncluded)
    : QDialog(parent), m_chooseFile(std::move(chooseFile)), m_suggestedFile(std::move(suggestedFile))
{
    setObjectName(QStringLiteral("ClassSetDialog"));
    setWindowTitle(QStringLiteral("まとめて作成"));

    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("SpinBoxCount"));
    m_count->setRange(1, maxClassSetSize);
    const QSettings kept;
    m_count->setValue(kept.value(kCountKey, m_request.count).toInt());
    m_count->setSuffix(QStringLiteral(" 枚"));
    m_answers = new QCheckBox(QStringLiteral("解答のページも作る(&A)"), this);
    m_answers->setObjectName(QStringLiteral("CheckBoxAnswers"));
    m_answers->setChecked(kept.value(kAnswersKey, answersIncluded).toBool());
    if (const QString folder = kept.value(kFolderKey).toString();
        !folder.isEmpty() && QFileInfo(folder).isDir())
        m_suggestedFile = QDir(folder).filePath(QFileInfo(m_suggestedFile).fileName());
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
    m_file->setMinimumWidth(260);
    m_file->setPlaceholderText(QStringLiteral("空欄なら作成のときに選びます"));
    auto *browse = new QPushButton(QStringLiteral("参照(&B)..."), this);
    connect(browse, &QPushButton::clicked, this, &TClassSetDialog::chooseFile);
    connect(m_toPdf, &QRadioButton::toggled, m_file, &QWidget::setEnabled);
    connect(m_toPdf, &QRadioButton::toggled, browse, &QWidget::setEnabled);
    // A code brings its own sheet: the number of sheets and the answers are its.
    connect(m_code, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_count->setEnabled(text.trimmed().isEmpty());
        m_answers->setEnabled(text.trimmed().isEmpty());
        causeEdited(Cause::Code);
    });
    connect(m_file, &QLineEdit::textChanged, this, [this] { causeEdited(Cause::File); });
    connect(m_toPdf, &QRadioButton::toggled, this, [this] { causeEdited(Cause::File); });

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

void TClassSetDialog::chooseFile()
{
    QString suggested = m_file->text().trimmed().isEmpty() ? m_suggestedFile : typedFile();
    // The one sheet of a code is suggested under its code.
    if (const SheetCodeResult decoded = decodeSheetCode(m_code->text()); decoded.recipe && m_file->text().isEmpty())
        suggested = QFileInfo(m_suggestedFile).dir().filePath(pdfFileName(encodeSheetCode(*decoded.recipe)));
    const QString file = m_chooseFile(this, windowTitle(), suggested);
    if (!file.isEmpty()) {
        m_chosenFile = file;
        m_file->setText(file);
    }
}

QString TClassSetDialog::typedFile() const
{
    const QString typed = m_file->text().trimmed();
    if (typed.isEmpty())
        return {};
    QString file = QDir::cleanPath(QFileInfo(m_suggestedFile).dir().absoluteFilePath(typed));
    if (!QFileInfo(file).isDir() && !file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    return file;
}

QString TClassSetDialog::codeProblem() const
{
    const QString code = m_code->text().trimmed();
    return code.isEmpty() ? QString() : codeErrorText(decodeSheetCode(code).kind);
}

QString TClassSetDialog::fileProblem() const
{
    if (!m_toPdf->isChecked())
        return {};
    const QFileInfo file(typedFile());
    if (file.filePath().isEmpty())
        return QStringLiteral("保存するPDFファイルを選んでください。");
    if (file.isDir())
        return QStringLiteral("「%1」はフォルダです。ファイルの名前を入れてください。")
            .arg(QDir::toNativeSeparators(file.filePath()));
    if (!file.dir().exists())
        return QStringLiteral("フォルダ「%1」がありません。").arg(QDir::toNativeSeparators(file.path()));
    return {};
}

// A file typed over an existing one is replaced only when the user says so; the file
// dialog has asked already about the file chosen with it.
bool TClassSetDialog::mayReplace(const QString &file)
{
    if (file == m_chosenFile || !QFileInfo::exists(file))
        return true;
    QMessageBox box(
        QMessageBox::Question, windowTitle(),
        QStringLiteral("「%1」はすでにあります。置き換えますか？").arg(QDir::toNativeSeparators(file)),
        QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("置き換える"));
    box.button(QMessageBox::No)->setText(QStringLiteral("置き換えない"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TClassSetDialog::say(Cause cause, const QString &text)
{
    m_cause = text.isEmpty() ? Cause::None : cause;
    m_error->setText(text);
}

void TClassSetDialog::causeEdited(Cause cause)
{
    if (m_cause == cause)
        say(cause, cause == Cause::Code ? codeProblem() : fileProblem());
}

void TClassSetDialog::remember() const
{
    QSettings kept;
    kept.setValue(kCountKey, m_count->value());
    kept.setValue(kAnswersKey, m_answers->isChecked());
    if (!m_request.fileName.isEmpty())
        kept.setValue(kFolderKey, QFileInfo(m_request.fileName).absolutePath());
}

void TClassSetDialog::accept()
{
    ClassSetRequest request;
    request.count = m_count->value();
    request.answersIncluded = m_answers->isChecked();
    if (const QString problem = codeProblem(); !problem.isEmpty()) {
        say(Cause::Code, problem);
        m_code->setFocus();
        return;
    }
    if (const QString code = m_code->text().trimmed(); !code.isEmpty())
        request.code = decodeSheetCode(code).recipe;
    if (m_toPdf->isChecked()) {
        if (m_file->text().trimmed().isEmpty())
            chooseFile();
        if (const QString problem = fileProblem(); !problem.isEmpty()) {
            say(Cause::File, problem);
            m_file->setFocus();
            return;
        }
        request.fileName = typedFile();
        if (!mayReplace(request.fileName))
            return;
    }
    say(Cause::None, QString());
    m_request = request;
    remember();
    QDialog::accept();
}

void divisheet::deliverClassSet(QWidget *parent, const std::vector<Sheet> &sheets, const QString &fileName,
                                const QString &caption)
{
    if (fileName.isEmpty())
        printSheets(sheets, TPrinter::global(), caption);
    else
        writeSheetsPdf(sheets, fileName, TWholeFile::Existing::Replace);
    const QString made = QStringLiteral("プリント%1枚（%2ページ）").arg(sheets.size()).arg(pageCount(sheets));
    const QString text = fileName.isEmpty()
        ? made + QStringLiteral("をプリンタに送りました。")
        : made + QStringLiteral("をPDFファイルに保存しました。\n") + QDir::toNativeSeparators(fileName);
    QMessageBox box(QMessageBox::Information, QStringLiteral("まとめて作成"), text, QMessageBox::NoButton, parent);
    QPushButton *openFile = nullptr;
    QPushButton *openFolder = nullptr;
    if (!fileName.isEmpty()) {
        openFile = box.addButton(QStringLiteral("ファイルを開く(&O)"), QMessageBox::ActionRole);
        openFolder = box.addButton(QStringLiteral("フォルダを開く(&F)"), QMessageBox::ActionRole);
    }
    QPushButton *close = box.addButton(QMessageBox::Close);
    close->setText(QStringLiteral("閉じる"));
    box.setDefaultButton(close); // Enter after a long set should not start a viewer unasked
    box.exec();
    QString target;
    if (openFile && box.clickedButton() == openFile)
        target = fileName;
    else if (openFolder && box.clickedButton() == openFolder)
        target = QFileInfo(fileName).absolutePath();
    if (!target.isEmpty() && !QDesktopServices::openUrl(QUrl::fromLocalFile(target)))
        QMessageBox::warning(
            parent, box.windowTitle(),
            QStringLiteral("「%1」を開けませんでした。").arg(QDir::toNativeSeparators(target)));
}
