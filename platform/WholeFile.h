#pragma once

#include <QString>

#include <memory>

class QIODevice;

// A file written whole or not at all: it is written where its name does not show (a file
// without a name, or a temporary name beside the chosen one) and takes the chosen name
// only when commit() succeeds. A failure, a file never committed, or a SIGINT, SIGTERM or
// SIGHUP while it is written leaves nothing behind and what stood at the name as it was.
class TWholeFile
{
public:
    // What the file may replace at its name. Links are never followed: a link is an
    // entry of its own, even when it dangles or loops.
    enum class Existing {
        Keep,    // nothing: the name must still be free when the file is complete
        Replace, // a regular file (keeping its permissions) or a link; never a folder,
                 // a device, a FIFO or a socket
    };

    TWholeFile(const QString &fileName, Existing existing);
    ~TWholeFile();

    // Raises EFileTaken when what stands at `fileName` now may not be replaced.
    static void checkName(const QString &fileName, Existing existing);

    // The device to write to, open; raises EFileError (EFileTaken when the name may not
    // be replaced).
    QIODevice *open();
    // Puts the written file at its name; raises EFileError when that fails, EFileTaken
    // when the name was taken meanwhile. Nothing is left behind then.
    void commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
