#pragma once

#include <QImage>

namespace divisheet {

struct Sheet;

// The word that makes the program a worker of the server: `divisheet --serve-job pdf|png OUT
// ARGS...` makes the sheets of `divisheet --pdf OUT ARGS...` and writes them to OUT, the PDF
// exactly as --pdf does or the first problems page as a PNG picture, then prints the first
// sheet's code on stdout. Exit status as for --pdf. The server starts it for each request, so
// that a fault in making one request's sheets ends that worker and not the server.
inline constexpr char kServeJobSwitch[] = "--serve-job";
inline constexpr int kPreviewWidth = 1000;

int runServeJob(int argc, char *argv[]);

// The problems page of `sheet` as a picture `width` pixels wide, white where nothing is drawn.
QImage previewImage(const Sheet &sheet, int width);

} // namespace divisheet
