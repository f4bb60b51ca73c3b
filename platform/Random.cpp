#include "platform/Random.h"

#include <QDateTime>

TRandom &TRandom::global()
{
    static TRandom instance;
    return instance;
}

quint32 TRandom::seedFromTimeOfDay(int hour, int minute, int second, int millisecond)
{
    return quint32(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

void TRandom::randomize()
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    m_seed = seedFromTimeOfDay(now.hour(), now.minute(), now.second(), now.msec());
}

quint32 TRandom::clockSeed()
{
    TRandom &random = global();
    random.randomize();
    return random.seed();
}

quint32 TRandom::random(quint32 n)
{
    m_seed = m_seed * 134775813u + 1u; // wraps modulo 2^32
    return quint32((quint64(n) * quint64(m_seed)) >> 32);
}
