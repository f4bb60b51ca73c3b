#include "server/SheetQuery.h"

#include "app/CommandLine.h"

#include <QRegularExpression>

#include <algorithm>

namespace divisheet {

using namespace Qt::Literals::StringLiterals;

namespace {

// How a parameter becomes an argument: a value goes with its option, a switch given as 1
// adds it, and a shown-by-default choice given as 0 adds its --no- option.
enum class Kind { Value, Switch, OffSwitch };

struct Parameter
{
    QString name;
    QString option;
    Kind kind;
};

// Every option that says which sheets to make, named without its dashes: frames=0 for --no-frames.
const std::vector<Parameter> &parameterTable()
{
    static const std::vector<Parameter> table = [] {
        std::vector<Parameter> parameters;
        for (const auto &[option, takesValue] : sheetOptionNames()) {
            const bool off = option.startsWith(u"--no-");
            parameters.push_back(
                {option.mid(off ? 5 : 2), option, takesValue ? Kind::Value : off ? Kind::OffSwitch : Kind::Switch});
        }
        return parameters;
    }();
    return table;
}

// The parameter's words for an option in the command line's message: frames=0 for --no-frames.
QString parameterWords(const QString &option)
{
    for (const Parameter &p : parameterTable()) {
        if (p.option == option)
            return p.kind == Kind::OffSwitch ? p.name + u"=0"_s : p.name;
    }
    return option;
}

SheetQuery refused(const QString &parameter, const QString &error)
{
    SheetQuery query;
    query.parameter = parameter;
    query.error = error;
    return query;
}

// The command line's verdict on the arguments, its option names turned into parameters.
SheetQuery judged(SheetQuery query)
{
    QList<QByteArray> argv{"divisheet", "--pdf", "sheets.pdf"};
    for (const QString &argument : std::as_const(query.arguments))
        argv << argument.toUtf8();
    const CommandLineResult result = parseCommandLine(argv);
    if (result.ok())
        return query;
    static const QRegularExpression option(u"--[a-z0-9-]+"_s);
    QString text = result.error;
    text.remove(u"; see --help"_s);
    const QString first = option.match(text).captured();
    QString words;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : option.globalMatch(text)) {
        words += text.mid(from, m.capturedStart() - from) + parameterWords(m.captured());
        from = m.capturedEnd();
    }
    words += text.mid(from);
    return refused(parameterWords(first).section(u'=', 0, 0), words);
}

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

} // namespace

SheetQuery readSheetQuery(const std::vector<std::pair<QString, QString>> &items)
{
    SheetQuery query;
    QStringList seen;
    for (const auto &[name, value] : items) {
        const auto p = std::find_if(parameterTable().begin(), parameterTable().end(),
                                    [&name](const Parameter &known) { return known.name == name; });
        if (p == parameterTable().end())
            return refused(name, u"unknown parameter; use %1"_s.arg(sheetParameterNames().join(u", ")));
        if (seen.contains(name))
            return refused(name, u"the parameter is given twice"_s);
        seen << name;
        if (hasControlCharacter(value))
            return refused(name, u"the value has a control character"_s);
        if (p->kind == Kind::Value) {
            // With "=", a value that starts with "--" stays a value.
            query.arguments << p->option + u'=' + value;
        } else if (value != u"0" && value != u"1") {
            return refused(name, u"%1=%2: use 1 (on) or 0 (off)"_s.arg(name, value));
        } else if ((p->kind == Kind::Switch) == (value == u"1")) {
            query.arguments << p->option;
        }
    }
    return judged(query);
}

QString queryErrorText(const SheetQuery &query, bool japanese)
{
    if (!japanese)
        return u"%1: %2"_s.arg(query.parameter, query.error);
    if (query.error.startsWith(u"unknown parameter"))
        return u"パラメーター「%1」はありません（%2）"_s.arg(query.parameter, query.error);
    return u"パラメーター「%1」の値は使えません（%2）"_s.arg(query.parameter, query.error);
}

bool prefersJapanese(const QByteArray &acceptLanguage)
{
    QByteArray best;
    double bestWeight = 0;
    for (const QByteArray &range : acceptLanguage.split(',')) {
        const QList<QByteArray> parts = range.split(';');
        double weight = 1;
        for (const QByteArray &parameter : parts.mid(1)) {
            const QByteArray trimmed = parameter.trimmed();
            if (trimmed.startsWith("q="))
                weight = trimmed.mid(2).toDouble();
        }
        if (weight > bestWeight) {
            bestWeight = weight;
            best = parts.first().trimmed().toLower();
        }
    }
    return best == "ja" || best.startsWith("ja-");
}

QStringList sheetParameterNames()
{
    QStringList names;
    for (const Parameter &p : parameterTable())
        names << p.name;
    return names;
}

} // namespace divisheet
