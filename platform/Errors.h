#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An error that ends the handler it is raised in; the error boundary shows its text
// to the user and the program goes on (see ErrorBoundary.h).
class EDivisheetError : public std::exception
{
public:
    explicit EDivisheetError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that should have been a decimal integer.
class EConvertError : public EDivisheetError
{
public:
    using EDivisheetError::EDivisheetError;
};

// The printer could not be used (none installed, no spooler, an invalid choice).
class EPrinterError : public EDivisheetError
{
public:
    using EDivisheetError::EDivisheetError;
};

// A file could not be written: `fileName` is the file, `reason` the system's words.
class EFileError : public EDivisheetError
{
public:
    EFileError(QString fileName, QString reason)
        : EDivisheetError(QStringLiteral("ファイル「%1」を保存できません。(%2)").arg(fileName, reason)),
          m_fileName(std::move(fileName)), m_reason(std::move(reason))
    {
    }

    const QString &fileName() const { return m_fileName; }
    const QString &reason() const { return m_reason; }

private:
    QString m_fileName;
    QString m_reason;
};

// A name that a file is not written to, so as not to destroy what stands there: an entry
// that is to be kept (any file or link, even a dangling one), a folder, or something that
// is not a regular file at all (a device, a FIFO, a socket).
class EFileTaken : public EFileError
{
public:
    enum class Kind { Exists, Folder, Special };

    EFileTaken(QString fileName, Kind kind) : EFileError(std::move(fileName), reasonOf(kind)), m_kind(kind) {}

    Kind kind() const { return m_kind; }

private:
    static QString reasonOf(Kind kind)
    {
        switch (kind) {
        case Kind::Exists:
            return QStringLiteral("同じ名前のファイルがあります");
        case Kind::Folder:
            return QStringLiteral("フォルダーです");
        case Kind::Special:
            break;
        }
        return QStringLiteral("通常のファイルではありません");
    }

    Kind m_kind;
};
