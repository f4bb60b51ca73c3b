#include "sheet/PageOptions.h"

#include <QTextBoundaryFinder>

namespace divisheet {

FittedTitle fitTitle(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = u' ';
    }

    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, line);
    int count = 0;
    for (qsizetype end = characters.toNextBoundary(); end != -1; end = characters.toNextBoundary()) {
        if (++count == kTitleMaxLength)
            return {line.left(end), end < line.size()};
    }
    return {line, false};
}

} // namespace divisheet
