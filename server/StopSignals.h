#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace divisheet {

// SIGTERM and SIGINT as a Qt signal: the handler only writes the signal's number into a pipe
// (all a signal handler may safely do), and the event loop reads it.
class TStopSignals : public QObject
{
    Q_OBJECT

public:
    explicit TStopSignals(QObject *parent = nullptr);
    ~TStopSignals() override;

signals:
    void stopRequested(int signal);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace divisheet
