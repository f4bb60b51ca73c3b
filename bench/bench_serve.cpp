// divisheet serve on loopback: 200 one-sheet PDFs with answers at 8 at a time and 20 class
// sets of 30 sheets at 4 at a time, every answer checked and counted, the throughput per
// core against `divisheet --pdf` run as often one after another; a full queue answered 503;
// a worker killed in the middle of its request fails that request alone.

#include "Harness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace divisheet::bench {

namespace {

const QString program = QStringLiteral(DIVISHEET_EXECUTABLE);

struct Answer
{
    int status = 0;
    QByteArray body;
    bool retryAfter = false;
};

// A server process on a free loopback port, stopped with SIGTERM at the end.
class Server
{
public:
    explicit Server(int workers)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(program, {QStringLiteral("serve"), QStringLiteral("--listen"),
                                  QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("--workers"),
                                  QString::number(workers)});
        while (m_process.waitForReadyRead(10000) && !m_process.readAllStandardError().contains("serving")) {}
    }
    ~Server()
    {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        m_process.waitForFinished(60000);
    }
    qint64 pid() const { return m_process.processId(); }
    QString url(const QString &target) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(target); }

    quint16 port = 0;

private:
    QProcess m_process;
};

// The targets fetched with `atATime` requests in flight, each on a connection of its own.
std::vector<Answer> fetchAll(const Server &server, const QStringList &targets, int atATime,
                             const std::function<void(int)> &started = {})
{
    std::vector<Answer> answers(std::size_t(targets.size()));
    std::vector<std::unique_ptr<QNetworkAccessManager>> managers;
    int next = 0, done = 0;
    QEventLoop loop;
    std::function<void(QNetworkAccessManager *)> launch = [&](QNetworkAccessManager *manager) {
        if (next >= targets.size())
            return;
        const int index = next++;
        QNetworkReply *reply = manager->get(QNetworkRequest(QUrl(server.url(targets[index]))));
        QObject::connect(reply, &QNetworkReply::finished, manager, [&, reply, index, manager] {
            answers[std::size_t(index)] = {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                                           reply->readAll(), reply->hasRawHeader("Retry-After")};
            reply->deleteLater();
            if (++done == targets.size())
                loop.quit();
            launch(manager);
        });
        if (started)
            started(index);
    };
    for (int k = 0; k < atATime; ++k) {
        managers.push_back(std::make_unique<QNetworkAccessManager>());
        launch(managers.back().get());
    }
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    loop.exec();
    return answers;
}

// A whole PDF of `pages` pages.
bool isPdf(const Answer &answer, int pages)
{
    const qsizetype pageCount = answer.body.count("/Type /Page\n");
    return answer.status == 200 && answer.body.startsWith("%PDF-") && answer.body.trimmed().endsWith("%%EOF")
        && pageCount == pages;
}

void loadRun(Report &report, const Server &server, const QString &target, int requests, int atATime, int pages,
             const std::string &label)
{
    QElapsedTimer clock;
    clock.start();
    const std::vector<Answer> answers = fetchAll(server, QStringList(requests, target), atATime);
    const double ms = double(clock.elapsed());
    const long good = std::count_if(answers.begin(), answers.end(), [pages](const Answer &a) { return isPdf(a, pages); });
    report.add(summarise(label, {ms}));
    report.note(label + ": " + std::to_string(good) + " of " + std::to_string(requests) + " answered with a whole PDF of "
                + std::to_string(pages) + " pages" + (good == requests ? "" : "  WARNING: some lost or wrong"));
}

void serveBenchmark(Report &report, const Options &)
{
    const int cores = std::max(1, QThread::idealThreadCount());
    {
        Server server(cores);
        loadRun(report, server, QStringLiteral("/api/sheets.pdf?answers=1"), 200, 8, 2,
                "serve: 200 one-sheet PDFs with answers, 8 at a time");
        loadRun(report, server, QStringLiteral("/api/sheets.pdf?sheets=30&divisor=11..99&quotient=11..99"), 20, 4, 60,
                "serve: 20 class sets of 30 sheets, 4 at a time");
    }
    QTemporaryDir dir;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i) {
        if (QProcess::execute(program, {QStringLiteral("--pdf"), dir.filePath(QStringLiteral("one.pdf")),
                                        QStringLiteral("--force")}) != 0)
            std::printf("  WARNING: divisheet --pdf failed\n");
    }
    const std::string cli = "divisheet --pdf: 200 one-sheet PDFs, one after another";
    report.add(summarise(cli, {double(clock.elapsed())}));
    const double serveRate = 200.0 / report.median("serve: 200 one-sheet PDFs with answers, 8 at a time") / cores;
    const double cliRate = 200.0 / report.median(cli);
    report.addRatio("served PDFs per core-second / divisheet --pdf's", serveRate / cliRate);
    report.note("cores: " + std::to_string(cores) + "; served " + std::to_string(int(serveRate * 1000)) +
                " PDFs per core-second, divisheet --pdf " + std::to_string(int(cliRate * 1000)) + " per second");

    // One worker, a queue of 64: of 80 slow requests at once, the 15 beyond are answered 503 at once.
    {
        Server server(1);
        const std::vector<Answer> answers = fetchAll(server, QStringList(80, QStringLiteral("/api/sheets.pdf?sheets=100")), 80);
        const long busy = std::count_if(answers.begin(), answers.end(), [](const Answer &a) { return a.status == 503 && a.retryAfter; });
        const long made = std::count_if(answers.begin(), answers.end(), [](const Answer &a) { return a.status == 200; });
        const long late = std::count_if(answers.begin(), answers.end(), [](const Answer &a) { return a.status == 504; });
        report.note("full queue: " + std::to_string(busy) + " of 80 answered 503 with Retry-After (expected 15), "
                    + std::to_string(made) + " PDFs made, " + std::to_string(late) + " answered 504 after 30 s, "
                    + std::to_string(80 - busy - made - late) + " other (expected 0)");
    }
    // A worker killed mid-request: that request fails, the next ones are made.
    {
        Server server(1);
        QStringList targets(4, QStringLiteral("/api/sheets.pdf?answers=1"));
        targets.prepend(QStringLiteral("/api/sheets.pdf?sheets=100"));
        const std::vector<Answer> answers = fetchAll(server, targets, 1, [&server](int index) {
            if (index != 0)
                return;
            QTimer::singleShot(400, [&server] {
                QProcess::execute(QStringLiteral("pkill"), {QStringLiteral("-KILL"), QStringLiteral("-P"), QString::number(server.pid())});
            });
        });
        std::string statuses;
        for (const Answer &a : answers)
            statuses += std::to_string(a.status) + " ";
        report.note("worker killed in the first request: statuses " + statuses + "(expected 500 then 200 200 200 200)");
    }
    report.note("target: every request answered with a whole PDF. Each request starts a worker process, which");
    report.note("pays the program's start-up as divisheet --pdf does; the ratio above compares the two per core");
}

const Registration serveRegistration("serve", "divisheet serve on loopback: load, a full queue, a killed worker",
                                     serveBenchmark);

} // namespace
} // namespace divisheet::bench
