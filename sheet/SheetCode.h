#pragma once

#include "sheet/PageOptions.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "sheet/SheetMaker.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace divisheet {


// Everything that makes one sheet again: a sheet of the window (its two seeds) or sheet k of
// a class set of `setSize` sheets (the set's seed).
struct SheetRecipe
{
    enum class Kind { Window, ClassSet };

    ProblemSettings settings;
    bool framesShown = true;
    bool answersIncluded = true;
    PageOptions page; // the code carries numbered, scoreBox and more; the title is free text and stays out

    Kind kind = Kind::Window;
    SheetSeeds seeds;     // Kind::Window
    quint32 setSeed = 0;  // Kind::ClassSet
    int setIndex = 1;     // Kind::ClassSet: k, 1 .. setSize
    int setSize = 1;      // Kind::ClassSet: N, 1 .. 100

    friend bool operator==(const SheetRecipe &, const SheetRecipe &) = default;
};

// Seeds a code can hold: the clock's seeds are below 86,400,000, which fits in 27 bits.
inline constexpr quint32 sheetCodeSeedLimit = 1u << 27;

// The sheet's problems in the order of its cells.
std::vector<Problem> recipeProblems(const SheetRecipe &recipe);

// The code of a recipe, "#" and 10 to 16 symbols (up to 18 for a sheet with a practice
// focus) of 0-9 and A-Z less I, L, O, U, in groups of five joined by "-" while the whole
// stays within 16 characters. Empty when the recipe cannot be coded: settings without a
// sheet (settingsProblem(), focusProblem()), a seed at or above sheetCodeSeedLimit, or a set
// index or size outside 1 .. 100 or k > N.
QString encodeSheetCode(const SheetRecipe &recipe);

// Why a code gives no sheet, for a message in the reader's language.
enum class SheetCodeError {
    None,
    Character,   // a character that is not in the alphabet
    Length,      // too few or too many symbols
    Mistyped,    // a check symbol or a length that does not match: a typo
    LaterVersion,
    NoSuchSheet, // a class, a combination or a set's sheet that does not exist
};

// The recipe of a code, or an error text (English, for the command line) and its kind
// that say what is wrong: a malformed code (a character that is not in the alphabet, a
// wrong length, a check symbol that does not match: a typo) or an unknown one (a later
// version, a combination that does not exist). Accepts the code with or without "#", in
// either case, with "-" and spaces anywhere, and I, L as 1 and O as 0.
struct SheetCodeResult
{
    std::optional<SheetRecipe> recipe;
    QString error;
    SheetCodeError kind = SheetCodeError::None;
};
SheetCodeResult decodeSheetCode(const QString &text);

} // namespace divisheet
