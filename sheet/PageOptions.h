#pragma once

#include <QString>

// What a teacher may change about the page beyond the kind of problem: numbers beside
// the figures, a score box, a title of their own, and a fuller page. Every option off
// leaves the page as the program has always made it.
namespace divisheet {

// The own title's limit, in characters as a reader counts them.
inline constexpr int kTitleMaxLength = 40;

struct PageOptions
{
    bool numbered = false;
    bool scoreBox = false;
    QString title; // one line of at most kTitleMaxLength characters; empty: no own title
    bool more = false;
    // A fuller page as sheet codes of the first version made it: the grid for twice the
    // standard count whatever the catalogue holds, and six problems from a random catalogue.
    // Set only by reading such a code, so that it makes its sheet again.
    bool firstCodeMore = false;

    bool hasTitle() const { return !title.isEmpty(); }
    bool isDefault() const { return *this == PageOptions{}; }
    friend bool operator==(const PageOptions &, const PageOptions &) = default;
};

struct FittedTitle
{
    QString text;
    bool cut = false; // the input was longer than kTitleMaxLength characters
};

// Makes `text` fit the title line: line breaks and other control characters become
// spaces, and what lies beyond kTitleMaxLength characters is cut off. Characters are
// counted as they are read: a base letter with its combining marks, or a character
// outside the basic plane, counts once and is never split.
FittedTitle fitTitle(const QString &text);

} // namespace divisheet
