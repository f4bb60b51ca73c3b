// まとめて作成's dialog on its own: what it says about a code or a file it cannot use and
// when that goes, the file it takes, and what it keeps for the next time.

#include "FormTestSupport.h"
#include "app/ClassSetDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestClassSetDialog : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir; // "DIR" in the tables
    QString inDir(const QString &path) const { return QString(path).replace(u"DIR"_s, m_dir.path()); }
    static void create(TClassSetDialog &dialog) { dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click(); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(u"divisheet-test"_s);
        QVERIFY(QDir(m_dir.path()).mkdir(u"sub"_s));
    }
    void init() { QSettings().clear(); }

    void saysWhyUntilTheCauseGoes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");   // typed
        QTest::addColumn<QString>("error");  // after 作成; the file chooser is cancelled
        QTest::addColumn<QString>("change"); // "code …", "file …" or "printer"
        QTest::addColumn<QString>("after");  // what it says then; empty: nothing
        QTest::newRow("mistyped code, corrected") << u"#40B1B-7B4N9"_s << u"DIR/a.pdf"_s << u"打ち間違いがあります"_s << u"code #40b1b 6b4n9"_s << QString();
        QTest::newRow("U, then mistyped") << u"#40B1U-6B4N9"_s << u"DIR/a.pdf"_s << u"使えない文字があります"_s << u"code #40B1B-7B4N9"_s << u"打ち間違い"_s;
        QTest::newRow("too short, then no code") << u"#40B1B"_s << u"DIR/a.pdf"_s << u"文字の数が合いません"_s << u"code "_s << QString();
        QTest::newRow("later version") << u"#80B1B-6B4NH"_s << u"DIR/a.pdf"_s << u"新しい版"_s << u"file DIR/b.pdf"_s << u"新しい版"_s;
        QTest::newRow("sheet 5 of 3") << u"#6JV1B-6B4N0-G8V"_s << u"DIR/a.pdf"_s << u"プリントはありません"_s << u"printer"_s << u"プリントはありません"_s;
        QTest::newRow("no file, then one typed") << QString() << QString() << u"保存するPDFファイルを選んでください。"_s << u"file DIR/a"_s << QString();
        QTest::newRow("no file, then the printer") << QString() << QString() << u"保存するPDFファイルを選んでください。"_s << u"printer"_s << QString();
        QTest::newRow("no such folder") << QString() << u"DIR/none/a.pdf"_s << u"フォルダ「DIR/none」がありません。"_s << u"file DIR/sub/a.pdf"_s << QString();
        QTest::newRow("a folder") << QString() << u"DIR/sub"_s << u"「DIR/sub」はフォルダです。"_s << u"code #40B1B-7B4N9"_s << u"「DIR/sub」はフォルダです。"_s;
    }

    // Nothing is made and nothing typed is lost; the message stays while its cause does.
    void saysWhyUntilTheCauseGoes()
    {
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(QString, change);
        QFETCH(QString, after);
        TClassSetDialog dialog(nullptr, [](QWidget *, const QString &, const QString &) { return QString(); }, m_dir.filePath(u"わり算.pdf"_s), true);
        child<QLineEdit>(&dialog, "EditCode")->setText(code);
        child<QLineEdit>(&dialog, "EditFile")->setText(inDir(file));
        create(dialog);
        const auto *said = child<QLabel>(&dialog, "LabelError");
        QVERIFY2(said->text().contains(inDir(error)) && dialog.result() == QDialog::Rejected, qPrintable(said->text()));
        QCOMPARE(child<QLineEdit>(&dialog, "EditCode")->text() + child<QLineEdit>(&dialog, "EditFile")->text(), code + inDir(file));
        if (change == u"printer"_s)
            child<QRadioButton>(&dialog, "RadioButtonPrinter")->setChecked(true);
        else
            child<QLineEdit>(&dialog, change.startsWith(u"code"_s) ? "EditCode" : "EditFile")->setText(inDir(change.mid(5)));
        QVERIFY2(after.isEmpty() ? said->text().isEmpty() : said->text().contains(inDir(after)), qPrintable(said->text()));
    }

    void typedFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("existing"); // a file there: "" none, "replace" or "keep" it
        QTest::addColumn<QString>("made");     // the file the set goes to; empty: the dialog stays
        QTest::newRow("without .pdf") << u"DIR/sub/set"_s << QString() << u"DIR/sub/set.pdf"_s;
        QTest::newRow("in the suggested folder") << u" set.PDF "_s << QString() << u"DIR/set.PDF"_s;
        QTest::newRow("existing, replaced") << u"DIR/old.pdf"_s << u"replace"_s << u"DIR/old.pdf"_s;
        QTest::newRow("existing, kept") << u"DIR/old.pdf"_s << u"keep"_s << QString();
    }

    void typedFile()
    {
        QFETCH(QString, typed);
        QFETCH(QString, existing);
        QFETCH(QString, made);
        QFile old(m_dir.filePath(u"old.pdf"_s));
        QVERIFY(existing.isEmpty() || (old.open(QIODevice::WriteOnly) && old.write("old") == 3));
        old.close();
        QString asked;
        if (!existing.isEmpty())
            whenBoxShows(this, [&](QMessageBox *box) { asked = box->text(); box->button(existing == u"keep"_s ? QMessageBox::No : QMessageBox::Yes)->click(); });
        TClassSetDialog dialog(nullptr, {}, m_dir.filePath(u"わり算.pdf"_s), true);
        child<QLineEdit>(&dialog, "EditFile")->setText(inDir(typed));
        create(dialog);
        QCOMPARE(asked.contains(u"置き換えますか"_s), !existing.isEmpty());
        QCOMPARE(dialog.result() == QDialog::Accepted ? dialog.request().fileName : QString(), inDir(made));
    }

    void remembers_data()
    {
        QTest::addColumn<QString>("before");      // the set made before: "" none, "sub" into DIR/sub, "sub gone"
        QTest::addColumn<bool>("windowAnswers");  // 解答も印刷 on the window
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("folder");      // where the file chooser opens
        QTest::newRow("first time: 10, the window's answers") << QString() << false << 10 << false << u"DIR"_s;
        QTest::newRow("7 without answers into sub") << u"sub"_s << true << 7 << false << u"DIR/sub"_s;
        QTest::newRow("its folder since removed") << u"sub gone"_s << true << 7 << false << u"DIR"_s;
    }

    void remembers()
    {
        QFETCH(QString, before);
        QFETCH(bool, windowAnswers);
        QFETCH(int, count);
        QFETCH(bool, answers);
        QFETCH(QString, folder);
        const QString suggested = m_dir.filePath(u"わり算.pdf"_s);
        QTemporaryDir sub(m_dir.filePath(u"subXXXXXX"_s));
        if (!before.isEmpty()) {
            TClassSetDialog made(nullptr, [&](QWidget *, const QString &, const QString &) { return sub.filePath(u"x.pdf"_s); }, suggested, true);
            child<QSpinBox>(&made, "SpinBoxCount")->setValue(7);
            child<QCheckBox>(&made, "CheckBoxAnswers")->setChecked(false);
            create(made);
            QCOMPARE(made.result(), QDialog::Accepted);
        }
        if (before.endsWith(u"gone"_s))
            sub.remove();
        QString opened;
        TClassSetDialog dialog(nullptr, [&](QWidget *, const QString &, const QString &file) { opened = QFileInfo(file).path(); return QString(); }, suggested, windowAnswers);
        QCOMPARE(child<QSpinBox>(&dialog, "SpinBoxCount")->value(), count);
        QCOMPARE(child<QCheckBox>(&dialog, "CheckBoxAnswers")->isChecked(), answers);
        create(dialog);
        QCOMPARE(opened, folder == u"DIR/sub"_s ? sub.path() : m_dir.path());
    }
};

QTEST_MAIN(TestClassSetDialog)
#include "tst_class_set_dialog.moc"
