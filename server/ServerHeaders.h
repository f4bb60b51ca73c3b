#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace divisheet {

// The headers of every response: nothing the page loads comes from elsewhere, and no
// browser reads a body as another type than the one it is sent as.
inline QList<QPair<QByteArray, QByteArray>> commonHeaders()
{
    return {{"Content-Security-Policy", "default-src 'self'"}, {"X-Content-Type-Options", "nosniff"}};
}

} // namespace divisheet
