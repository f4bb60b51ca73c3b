#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>

namespace divisheet {

// What a worker made of a request: the file's bytes and the first sheet's code, or why not.
struct JobResult
{
    enum class Outcome { Done, Refused, Failed, TimedOut };

    Outcome outcome = Outcome::Failed;
    QByteArray body;    // Done: the PDF or PNG
    QString code;       // Done: the first sheet's code, "#..."
    QString message;    // otherwise: what went wrong, for the log or the reader
};

// Requests' sheets made off the event loop by worker processes of the program itself
// (`--serve-job`), at most `workers` at once and `queueLimit` waiting; each in a private
// folder (mode 0700) removed when it is done. A request not answered within `timeout` of its
// arrival ends as TimedOut, its worker killed. A worker that dies fails its request alone.
class TSheetJobs : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Pdf, Png };
    using Done = std::function<void(const JobResult &)>;

    TSheetJobs(int workers, int queueLimit, std::chrono::milliseconds timeout, QObject *parent = nullptr);
    ~TSheetJobs() override;

    // Queues the sheets of `divisheet --pdf FILE arguments`; `done` hears of them once, later,
    // from the event loop. False, and `done` is never called, when the queue is full.
    bool submit(Kind kind, const QStringList &arguments, Done done);
    // Requests running or waiting.
    int inHand() const;

signals:
    // The last request in hand has been answered.
    void idle();

private:
    struct Job;
    void startWaiting();
    void start(const std::shared_ptr<Job> &job);
    void finish(const std::shared_ptr<Job> &job, const JobResult &result);

    int m_workers;
    int m_queueLimit;
    std::chrono::milliseconds m_timeout;
    std::deque<std::shared_ptr<Job>> m_waiting;
    std::deque<std::shared_ptr<Job>> m_running;
    std::deque<std::shared_ptr<Job>> m_reaping; // killed workers not yet gone
};

// `pdf` without its creation date, the one thing that differs between two files of the same
// sheets; the date's place becomes blanks, so every offset in the file stays right.
QByteArray withoutCreationDate(QByteArray pdf);

} // namespace divisheet
