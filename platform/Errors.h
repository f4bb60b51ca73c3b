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
