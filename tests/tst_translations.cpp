// Qt's own dialogs speak the user's language: under a Japanese locale the application
// prepared as the program prepares it shows Qt's standard buttons in Japanese.
#include "app/Application.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void qtDialogButtonsInJapanese_data()
    {
        QTest::addColumn<QDialogButtonBox::StandardButton>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Cancel") << QDialogButtonBox::Cancel << QStringLiteral("キャンセル");
        QTest::newRow("Yes") << QDialogButtonBox::Yes << QStringLiteral("はい");
    }
    void qtDialogButtonsInJapanese()
    {
        QFETCH(QDialogButtonBox::StandardButton, button);
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
            QSKIP("Qt's Japanese translations (qt6-translations-l10n) are not installed");
        QCOMPARE(QLocale::system().language(), QLocale::Japanese);
        prepareApplication(*qApp);
        QDialogButtonBox box(button);
        QTEST(box.button(button)->text().remove(u'&').section(u'(', 0, 0), "text");
    }
};

int main(int argc, char **argv)
{
    // The user's locale, as a Japanese desktop sets it, before Qt reads it.
    qputenv("LC_ALL", "ja_JP.UTF-8");
    qputenv("LANG", "ja_JP.UTF-8");
    QApplication app(argc, argv);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
