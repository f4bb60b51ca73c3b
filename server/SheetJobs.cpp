#include "server/SheetJobs.h"

#include "server/ServeJob.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace divisheet {

using namespace Qt::Literals::StringLiterals;

struct TSheetJobs::Job
{
    Kind kind;
    QStringList arguments;
    Done done;
    QTimer deadline;
    std::unique_ptr<QTemporaryDir> folder; // goes after the worker that writes into it
    std::unique_ptr<QProcess> worker;
    bool finished = false;
};

TSheetJobs::TSheetJobs(int workers, int queueLimit, std::chrono::milliseconds timeout, QObject *parent)
    : QObject(parent), m_workers(std::max(1, workers)), m_queueLimit(queueLimit), m_timeout(timeout)
{
}

TSheetJobs::~TSheetJobs()
{
    for (const auto *jobs : {&m_running, &m_reaping}) {
        for (const std::shared_ptr<Job> &job : *jobs) {
            if (!job->worker)
                continue;
            job->worker->disconnect(this);
            job->worker->kill();
            job->worker->waitForFinished(5000);
        }
    }
}

bool TSheetJobs::submit(Kind kind, const QStringList &arguments, Done done)
{
    if (int(m_running.size()) >= m_workers && int(m_waiting.size()) >= m_queueLimit)
        return false;
    auto job = std::make_shared<Job>();
    job->kind = kind;
    job->arguments = arguments;
    job->done = std::move(done);
    job->deadline.setSingleShot(true);
    connect(&job->deadline, &QTimer::timeout, this, [this, weak = std::weak_ptr<Job>(job)] {
        if (const std::shared_ptr<Job> late = weak.lock())
            finish(late, {JobResult::Outcome::TimedOut, {}, {}, u"not done within %1 s"_s.arg(m_timeout.count() / 1000)});
    });
    job->deadline.start(m_timeout);
    m_waiting.push_back(job);
    startWaiting();
    return true;
}

int TSheetJobs::inHand() const
{
    return int(m_running.size() + m_waiting.size());
}

void TSheetJobs::startWaiting()
{
    while (int(m_running.size()) < m_workers && !m_waiting.empty()) {
        const std::shared_ptr<Job> job = m_waiting.front();
        m_waiting.pop_front();
        m_running.push_back(job);
        start(job);
    }
}

void TSheetJobs::start(const std::shared_ptr<Job> &job)
{
    // QTemporaryDir makes its folder readable by its owner alone; no name in it comes from a request.
    job->folder = std::make_unique<QTemporaryDir>();
    if (!job->folder->isValid()) {
        finish(job, {JobResult::Outcome::Failed, {}, {}, u"no temporary folder: "_s + job->folder->errorString()});
        return;
    }
    const QString output = job->folder->filePath(job->kind == Kind::Pdf ? u"sheets.pdf"_s : u"preview.png"_s);
    job->worker = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, job->folder->path()); // Qt wants one of mode 0700
    job->worker->setProcessEnvironment(environment);
    job->worker->setWorkingDirectory(job->folder->path());
    job->worker->setStandardInputFile(QProcess::nullDevice());
    connect(job->worker.get(), &QProcess::finished, this,
            [this, weak = std::weak_ptr<Job>(job), output](int status, QProcess::ExitStatus exit) {
        const std::shared_ptr<Job> job = weak.lock();
        if (!job)
            return;
        const QString said = QString::fromUtf8(job->worker->readAllStandardError()).trimmed();
        QFile file(output);
        if (exit == QProcess::NormalExit && status == 0 && file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            const QString code = QString::fromUtf8(job->worker->readAllStandardOutput()).trimmed();
            finish(job, {JobResult::Outcome::Done, job->kind == Kind::Pdf ? withoutCreationDate(bytes) : bytes, code, said});
        } else if (exit == QProcess::NormalExit && status == 2) {
            finish(job, {JobResult::Outcome::Refused, {}, {}, said});
        } else {
            const QString how = exit == QProcess::CrashExit ? u"the worker died"_s : u"the worker ended with status %1"_s.arg(status);
            finish(job, {JobResult::Outcome::Failed, {}, {}, said.isEmpty() ? how : how + u": "_s + said});
        }
    });
    connect(job->worker.get(), &QProcess::errorOccurred, this, [this, weak = std::weak_ptr<Job>(job)](QProcess::ProcessError error) {
        const std::shared_ptr<Job> job = weak.lock();
        if (job && error == QProcess::FailedToStart)
            finish(job, {JobResult::Outcome::Failed, {}, {}, u"the worker did not start: "_s + job->worker->errorString()});
    });
    job->worker->start(QCoreApplication::applicationFilePath(),
                       QStringList{QString::fromLatin1(kServeJobSwitch), job->kind == Kind::Pdf ? u"pdf"_s : u"png"_s, output}
                           + job->arguments);
}

void TSheetJobs::finish(const std::shared_ptr<Job> &job, const JobResult &result)
{
    if (job->finished)
        return;
    job->finished = true;
    job->deadline.stop();
    std::erase(m_waiting, job);
    std::erase(m_running, job);
    if (job->worker && job->worker->state() != QProcess::NotRunning) {
        // Killed, the worker is reaped in the background; its folder goes with it.
        job->worker->disconnect(this);
        job->worker->kill();
        m_reaping.push_back(job);
        connect(job->worker.get(), &QProcess::finished, this, [this, weak = std::weak_ptr<Job>(job)] {
            if (const std::shared_ptr<Job> reaped = weak.lock()) {
                std::erase(m_reaping, reaped);
                QMetaObject::invokeMethod(this, [reaped] {}, Qt::QueuedConnection);
            }
        });
    } else {
        job->folder.reset();
    }
    const Done done = std::move(job->done);
    // The job's timer or worker may be the sender whose signal is on the stack: the job goes
    // when the event loop next runs.
    QMetaObject::invokeMethod(this, [job] {}, Qt::QueuedConnection);
    done(result);
    startWaiting();
    if (inHand() == 0)
        emit idle();
}

QByteArray withoutCreationDate(QByteArray pdf)
{
    static const QByteArray key = "/CreationDate (";
    const qsizetype at = pdf.indexOf(key);
    const qsizetype end = at < 0 ? -1 : pdf.indexOf(')', at + key.size());
    if (end > at)
        pdf.replace(at, end + 1 - at, QByteArray(end + 1 - at, ' '));
    return pdf;
}

} // namespace divisheet
