#include "server/ServeMain.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "server/ServeJob.h"
#include "server/SheetServer.h"
#include "server/StopSignals.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstring>

namespace divisheet {

int runProgram(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], kServeJobSwitch) == 0)
        return runServeJob(argc, argv);
    return runDivisheet(argc, argv, runServer);
}

int runServer(int &argc, char *argv[], const CommandLineOptions &options)
{
    // The server draws nothing itself: its workers do, each with an application of its own.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Divisheet"));
    const int workers = options.workers > 0 ? options.workers : std::max(1, QThread::idealThreadCount());
    TStopSignals stopSignals;
    TSheetServer server(workers);
    QString error;
    if (!server.listenOn(QHostAddress(options.listenAddress), quint16(options.listenPort), &error)) {
        std::fprintf(stderr, "divisheet: cannot listen on %s:%d: %s\n", qPrintable(options.listenAddress),
                     options.listenPort, qPrintable(error));
        return 1;
    }
    const QString shown = options.listenAddress.contains(u':') ? u'[' + options.listenAddress + u']' : options.listenAddress;
    std::fprintf(stderr, "divisheet: serving http://%s:%d/ with %d workers\n", qPrintable(shown), options.listenPort,
                 workers);
    QObject::connect(&stopSignals, &TStopSignals::stopRequested, &server, [&server](int signal) {
        std::fprintf(stderr, "divisheet: signal %d: answering the requests in hand, then stopping\n", signal);
        server.stop();
    });
    QObject::connect(&server, &TSheetServer::drained, &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace divisheet
