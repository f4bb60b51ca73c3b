#include "sheet/Sheet.h"

#include "sheet/ClassSet.h"

namespace divisheet {

namespace {

Sheet sheetOf(const SheetRecipe &recipe, std::vector<Problem> problems)
{
    return {recipe.settings, recipe.page, recipe.framesShown, recipe.answersIncluded, std::move(problems), recipe};
}

} // namespace

SheetRequest codeRequest(const SheetRecipe &code, const QString &title)
{
    SheetRequest request;
    request.recipe = code;
    request.recipe.page.title = title;
    return request;
}

SheetRequest classSetRequest(const ProblemSettings &settings, const PageOptions &page, bool framesShown,
                             bool answersIncluded, quint32 setSeed, int count)
{
    SheetRequest request;
    request.newSetSize = count;
    request.recipe.settings = settings;
    request.recipe.page = page;
    request.recipe.framesShown = framesShown;
    request.recipe.answersIncluded = answersIncluded;
    request.recipe.kind = SheetRecipe::Kind::ClassSet;
    request.recipe.setSeed = setSeed;
    return request;
}

std::vector<Sheet> makeSheets(const SheetRequest &request)
{
    if (request.newSetSize <= 0)
        return {sheetOf(request.recipe, recipeProblems(request.recipe))};
    const SheetRecipe &base = request.recipe;
    std::vector<std::vector<Problem>> problems = classSetSheets(base.settings, base.setSeed, request.newSetSize, base.page);
    std::vector<Sheet> sheets;
    sheets.reserve(problems.size());
    for (std::size_t k = 0; k < problems.size(); ++k) {
        SheetRecipe recipe = base;
        recipe.kind = SheetRecipe::Kind::ClassSet;
        recipe.setIndex = int(k) + 1;
        recipe.setSize = int(problems.size());
        sheets.push_back(sheetOf(recipe, std::move(problems[k])));
    }
    return sheets;
}

QString settingsLine(const QString &frame, const QString &divisor, const QString &quotient, const QString &remainder,
                     const PracticeFocus &focus)
{
    const QString line = QStringLiteral("枠線:") + frame + QStringLiteral(" ,割る数:") + divisor
        + QStringLiteral(" ,答:") + quotient + QStringLiteral(" ,余り:") + remainder;
    return focus.isSet() ? line + QStringLiteral(" ,ねらい:") + focusWords(focus) : line;
}

QString settingsLine(const Sheet &sheet)
{
    const ProblemSettings &s = sheet.settings;
    return settingsLine(sheet.framesShown ? QStringLiteral("表示") : QStringLiteral("非表示"),
                        divisorCaption(s.divisor, s.fixedDivisor), quotientCaption(s.quotient),
                        s.withRemainder ? QStringLiteral("あり(&X)") : QStringLiteral("なし"), s.focus);
}

QString shortSheetNote(const Sheet &sheet)
{
    const int holds = sheetProblemCount(sheet.settings, sheet.page);
    if (!sheet.settings.focus.isSet() || int(sheet.problems.size()) >= holds)
        return {};
    return QStringLiteral("only %1 problems of these settings have that focus, so a sheet has %1 of its %2 places filled")
        .arg(sheet.problems.size())
        .arg(holds);
}

QString sheetCodeText(const std::optional<SheetRecipe> &recipe)
{
    const QString code = recipe ? encodeSheetCode(*recipe) : QString();
    if (code.isEmpty() || recipe->kind != SheetRecipe::Kind::ClassSet)
        return code;
    return code + QStringLiteral("  %1/%2").arg(recipe->setIndex).arg(recipe->setSize);
}

QString pdfFileName(const QString &code)
{
    QString name = QStringLiteral("わり算");
    if (!code.isEmpty())
        name += u'-' + QString(code).remove(u'#');
    return name + QStringLiteral(".pdf");
}

} // namespace divisheet
