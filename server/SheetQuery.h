#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace divisheet {

// A request's query parameters as the command line's arguments: divisor=10..90 is
// --divisor=10..90, remainder=1 is --remainder, frames=0 is --no-frames. The command line's
// parser then judges them, so the rules and their words are the same in both places.
struct SheetQuery
{
    QStringList arguments;  // for `divisheet --pdf FILE ...`
    QString parameter;      // the parameter at fault, as the request named it
    QString error;          // English: what is wrong with it
    bool ok() const { return error.isEmpty(); }
};

// The parameters in the order of the request (names and values decoded), translated and
// checked by parseCommandLine(): an unknown or repeated parameter, a switch that is not 1 or
// 0, a control character, or anything the command line refuses is an error naming the
// parameter.
SheetQuery readSheetQuery(const std::vector<std::pair<QString, QString>> &items);

// The text of a refusal for a reader who prefers Japanese or not: it names the parameter.
QString queryErrorText(const SheetQuery &query, bool japanese);

// Whether an Accept-Language header prefers Japanese: its language of the highest weight
// (the first of equal weights) is ja or a kind of it.
bool prefersJapanese(const QByteArray &acceptLanguage);

// The parameters of the page's switches and values, for the web page's form.
QStringList sheetParameterNames();

} // namespace divisheet
