#pragma once

// What the printing tests share: the CUPS test queue that scripts/start-cups.sh sets up,
// and the outside tools that read printed jobs back.

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace printtest {

inline const QString queueName = QStringLiteral("divisheet-test");
inline const QString queueFolder = QStringLiteral("/var/spool/divisheet-test");
inline const QString pageLog = QStringLiteral("/var/log/cups/page_log");
inline const QString noPrinterText = QStringLiteral("印刷できるプリンタがありません。プリンタを確認してください。");

inline bool haveTool(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

// Standard output of `program`; its exit code in *exitCode (-1 if it crashed).
inline QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString readText(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

struct PdfInfo
{
    bool ok = false;
    int pages = 0;
    QString pageSize; // "842 x 595 pts"
    QString pageRotation;
    QString title;
    QString creator;
};

inline PdfInfo pdfInfo(const QString &file)
{
    int code = -1;
    const QString out = run(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file}, &code);
    PdfInfo info;
    info.ok = code == 0;
    for (const QString &line : out.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QString key = line.left(colon);
        const QString value = line.mid(colon + 1).trimmed();
        if (key == u"Pages")
            info.pages = value.toInt();
        else if (key == u"Page size")
            info.pageSize = value.section(u' ', 0, 3); // drop "(A4)"
        else if (key == u"Page rot")
            info.pageRotation = value;
        else if (key == u"Title")
            info.title = value;
        else if (key == u"Creator")
            info.creator = value;
    }
    return info;
}

// The pages as pdfinfo reads them, "<count> x <size>, rotated <rotation>": one upright
// landscape A4 page is "1 x 842 x 595 pts, rotated 0". Empty where pdfinfo failed.
inline QString pagesOf(const PdfInfo &info)
{
    if (!info.ok)
        return {};
    return QStringLiteral("%1 x %2, rotated %3").arg(info.pages).arg(info.pageSize, info.pageRotation);
}

// Runs this test program again in `folder` with the environment variable
// DIVISHEET_NO_PRINTER_CHILD set to `marker` and the spooler address pointing nowhere, so
// that the child finds no printer (the address takes effect only in a fresh process). The
// child inherits the rest of this process's environment, the test platform included.
// Returns whether the child finished; the caller reads its exit code and output.
inline bool runNoPrinterChild(QProcess &child, const QString &folder, const QString &marker)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DIVISHEET_NO_PRINTER_CHILD"), marker);
    env.insert(QStringLiteral("CUPS_SERVER"), QDir(folder).filePath(QStringLiteral("no-such-spooler.sock")));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(folder);
    child.start(QCoreApplication::applicationFilePath(), {});
    return child.waitForFinished(60000);
}

} // namespace printtest
