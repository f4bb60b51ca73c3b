#include "sheet/SheetCode.h"

#include "sheet/ClassSet.h"
#include "sheet/FocusedCatalogue.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

namespace divisheet {

namespace {

// Crockford's base-32 symbols: the digits and the capitals less I, L, O and U, which are
// easily taken for 1, 1, 0 and V when read aloud or copied by hand.
constexpr char symbols[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
// Version 2 marks a fuller page whose grid and random catalogue follow what its catalogue
// holds; a fuller page of version 1 keeps the first version's grid. Every other sheet is
// written as version 1, so its code is the same as it always was. Version 3 marks a sheet with
// a practice focus, which it carries after the page's fields.
constexpr int firstVersion = 1;
constexpr int fullerPageVersion = 2;
constexpr int focusVersion = 3;
constexpr int seedBits = 27;
constexpr int deltaBits = 10; // a window's draw follows its catalogue within 1023 ms
constexpr int minSymbols = 6;
constexpr int maxSymbols = 18; // 16 without a focus
constexpr int groupSize = 5;
constexpr int fixedDivisorCodes = 9; // divisor field 0..8: fixed 1..9, then the eight classes

// Symbols as elements of GF(32) modulo x^5 + x^2 + 1; the check symbol is the sum of
// alpha^(i+1) x symbol i. Distinct non-zero weights catch every single wrong symbol and
// every swap of two different symbols, the check symbol included.
int timesAlpha(int x)
{
    x <<= 1;
    return (x & 32) ? x ^ 0b100101 : x;
}

int gfMultiply(int a, int b)
{
    int product = 0;
    for (; b; b >>= 1, a = timesAlpha(a)) {
        if (b & 1)
            product ^= a;
    }
    return product;
}

int checkSymbol(const std::vector<int> &data)
{
    int check = 0;
    int weight = 2; // alpha
    for (const int v : data) {
        check ^= gfMultiply(weight, v);
        weight = timesAlpha(weight);
    }
    return check;
}

class BitWriter
{
public:
    void put(quint32 value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i)
            m_bits.push_back((value >> i) & 1u);
    }
    std::vector<int> symbols() const
    {
        std::vector<int> out;
        for (std::size_t i = 0; i < m_bits.size(); i += 5) {
            int v = 0;
            for (std::size_t j = i; j < i + 5; ++j)
                v = v << 1 | (j < m_bits.size() ? m_bits[j] : 0);
            out.push_back(v);
        }
        return out;
    }

private:
    std::vector<int> m_bits;
};

class BitReader
{
public:
    explicit BitReader(const std::vector<int> &symbols)
    {
        for (const int v : symbols) {
            for (int i = 4; i >= 0; --i)
                m_bits.push_back((v >> i) & 1);
        }
    }
    quint32 take(int bits)
    {
        // Reading past the end counts too, so a code that is too short shows in used().
        quint32 value = 0;
        for (int i = 0; i < bits; ++i) {
            value = value << 1 | (m_at < m_bits.size() ? quint32(m_bits[m_at]) : 0u);
            ++m_at;
        }
        return value;
    }
    std::size_t used() const { return m_at; }
    bool restIsZero() const
    {
        for (std::size_t i = m_at; i < m_bits.size(); ++i) {
            if (m_bits[i])
                return false;
        }
        return true;
    }

private:
    std::vector<int> m_bits;
    std::size_t m_at = 0;
};

int indexOf(QuotientClass q)
{
    return int(std::find(std::begin(allQuotientClasses), std::end(allQuotientClasses), q)
               - std::begin(allQuotientClasses));
}

int divisorField(const ProblemSettings &s)
{
    if (s.divisor == DivisorClass::Fixed)
        return s.fixedDivisor - 1;
    return fixedDivisorCodes - 1
        + int(std::find(std::begin(allDivisorClasses), std::end(allDivisorClasses), s.divisor)
              - std::begin(allDivisorClasses));
}

bool fitsSeed(quint32 seed)
{
    return seed < sheetCodeSeedLimit;
}

void putFocus(BitWriter &w, const PracticeFocus &focus)
{
    w.put(quint32(focus.zeroInQuotient), 2);
    w.put(quint32(focus.lateStart), 2);
    w.put(quint32(focus.corrections), 3);
    w.put(quint32(focus.estimate), 1);
    w.put(focus.mixedRemainder, 1);
    w.put(quint32(focus.dividendDigits), 3);
}

// The focus of a code, or none where a field holds a value no choice has.
std::optional<PracticeFocus> takeFocus(BitReader &in)
{
    const quint32 zero = in.take(2), late = in.take(2), corrections = in.take(3), estimate = in.take(1);
    const bool mixed = in.take(1);
    const quint32 digits = in.take(3);
    if (zero > quint32(Presence::Never) || late > quint32(Presence::Never)
        || corrections > quint32(CorrectionFocus::FromNine) || digits > 5)
        return std::nullopt;
    return PracticeFocus{Presence(zero), Presence(late), CorrectionFocus(corrections), Estimate(estimate), mixed,
                         int(digits)};
}

SheetCodeResult failed(SheetCodeError kind, const QString &why)
{
    const bool malformed = kind == SheetCodeError::Character || kind == SheetCodeError::Length
                           || kind == SheetCodeError::Mistyped;
    const QString text = malformed ? QStringLiteral("malformed sheet code: %1")
                                   : QStringLiteral("unknown sheet code: %1");
    return {{}, text.arg(why), kind};
}

} // namespace

std::vector<Problem> recipeProblems(const SheetRecipe &recipe)
{
    if (recipe.kind == SheetRecipe::Kind::ClassSet)
        return classSetSheet(recipe.settings, recipe.setSeed, recipe.setIndex, recipe.page);
    return makeSheet(recipe.settings, recipe.seeds, recipe.page);
}

QString encodeSheetCode(const SheetRecipe &r)
{
    if (!settingsProblem(r.settings).isEmpty() || focusFault(r.settings) != FocusFault::None)
        return {};
    const bool focused = r.settings.focus.isSet();
    BitWriter w;
    w.put(focused ? focusVersion : r.page.more && !r.page.firstCodeMore ? fullerPageVersion : firstVersion, 3);
    w.put(r.kind == SheetRecipe::Kind::ClassSet, 1);
    w.put(quint32(indexOf(r.settings.quotient)), 3);
    w.put(quint32(divisorField(r.settings)), 5);
    w.put(r.settings.withRemainder, 1);
    w.put(r.framesShown, 1);
    w.put(r.answersIncluded, 1);
    w.put(r.page.numbered, 1);
    w.put(r.page.scoreBox, 1);
    w.put(r.page.more, 1);
    if (focused)
        putFocus(w, r.settings.focus);
    if (r.kind == SheetRecipe::Kind::ClassSet) {
        if (!fitsSeed(r.setSeed) || r.setSize < 1 || r.setSize > maxClassSetSize || r.setIndex < 1
            || r.setIndex > r.setSize)
            return {};
        w.put(r.setSeed, seedBits);
        w.put(quint32(r.setSize - 1), 7);
        w.put(quint32(r.setIndex - 1), 7);
    } else {
        const bool random = isRandomCatalogue(r.settings);
        const quint32 delta = r.seeds.drawSeed - r.seeds.catalogueSeed;
        const bool near = random && r.seeds.drawSeed >= r.seeds.catalogueSeed && delta < (1u << deltaBits);
        if ((random && !fitsSeed(r.seeds.catalogueSeed)) || (!near && !fitsSeed(r.seeds.drawSeed)))
            return {};
        if (random) {
            w.put(r.seeds.catalogueSeed, seedBits);
            w.put(near, 1);
        }
        if (near)
            w.put(delta, deltaBits);
        else
            w.put(r.seeds.drawSeed, seedBits);
    }
    std::vector<int> data = w.symbols();
    data.push_back(checkSymbol(data));

    const bool grouped = data.size() + (data.size() - 1) / groupSize <= std::size_t(maxSymbols);
    QString code = QStringLiteral("#");
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (grouped && i > 0 && i % groupSize == 0)
            code += QLatin1Char('-');
        code += QLatin1Char(symbols[data[i]]);
    }
    return code;
}

namespace {

// The symbols of a typed code with its check symbol taken off, or why it is malformed.
SheetCodeResult readSymbols(const QString &text, std::vector<int> &data)
{
    QString body = text.trimmed();
    if (body.startsWith(QLatin1Char('#')))
        body.remove(0, 1);
    for (const QChar c : body) {
        if (c == QLatin1Char('-') || c == QLatin1Char(' '))
            continue;
        const char upper = c.toUpper().toLatin1();
        const char read = upper == 'I' || upper == 'L' ? '1' : upper == 'O' ? '0' : upper;
        const char *at = read ? std::strchr(symbols, read) : nullptr;
        if (!at)
            return failed(SheetCodeError::Character,
                          QStringLiteral("'%1' is not one of its characters").arg(c));
        data.push_back(int(at - symbols));
    }
    if (data.size() < std::size_t(minSymbols) || data.size() > std::size_t(maxSymbols)) {
        return failed(SheetCodeError::Length,
                      QStringLiteral("it has %1 characters, a code has %2 to %3")
                          .arg(data.size())
                          .arg(minSymbols)
                          .arg(maxSymbols));
    }
    const int check = data.back();
    data.pop_back();
    if (checkSymbol(data) != check)
        return failed(SheetCodeError::Mistyped,
                      QStringLiteral("its check character does not match (a typing error?)"));
    return {};
}

} // namespace

SheetCodeResult decodeSheetCode(const QString &text)
{
    std::vector<int> data;
    if (SheetCodeResult malformed = readSymbols(text, data); malformed.kind != SheetCodeError::None)
        return malformed;
    BitReader in(data);
    const quint32 v = in.take(3);
    if (v < firstVersion || v > focusVersion)
        return failed(SheetCodeError::LaterVersion, QStringLiteral("version %1, this program reads versions %2 to %3")
                                                        .arg(v).arg(firstVersion).arg(focusVersion));
    SheetRecipe r;
    r.kind = in.take(1) ? SheetRecipe::Kind::ClassSet : SheetRecipe::Kind::Window;
    const quint32 quotient = in.take(3);
    const quint32 divisor = in.take(5);
    if (quotient >= std::size(allQuotientClasses)
        || divisor >= fixedDivisorCodes + std::size(allDivisorClasses) - 1)
        return failed(SheetCodeError::NoSuchSheet,
                      QStringLiteral("its quotient or divisor class does not exist"));
    r.settings.quotient = allQuotientClasses[quotient];
    r.settings.divisor = divisor < fixedDivisorCodes ? DivisorClass::Fixed
                                                     : allDivisorClasses[divisor - fixedDivisorCodes + 1];
    r.settings.fixedDivisor = divisor < fixedDivisorCodes ? int(divisor) + 1 : 2;
    r.settings.withRemainder = in.take(1);
    r.framesShown = in.take(1);
    r.answersIncluded = in.take(1);
    r.page.numbered = in.take(1);
    r.page.scoreBox = in.take(1);
    r.page.more = in.take(1);
    r.page.firstCodeMore = r.page.more && v == firstVersion;
    if (v == fullerPageVersion && !r.page.more)
        return failed(SheetCodeError::LaterVersion, QStringLiteral("version %1 is for fuller pages only").arg(v));
    if (v == focusVersion) {
        const std::optional<PracticeFocus> focus = takeFocus(in);
        if (!focus || !focus->isSet())
            return failed(SheetCodeError::NoSuchSheet, QStringLiteral("its practice focus does not exist"));
        r.settings.focus = *focus;
    }
    if (const QString problem = settingsProblem(r.settings); !problem.isEmpty())
        return failed(SheetCodeError::NoSuchSheet, problem);
    if (const QString problem = focusProblem(r.settings); !problem.isEmpty())
        return failed(SheetCodeError::NoSuchSheet, problem);

    if (r.kind == SheetRecipe::Kind::ClassSet) {
        r.setSeed = in.take(seedBits);
        r.setSize = int(in.take(7)) + 1;
        r.setIndex = int(in.take(7)) + 1;
    } else if (isRandomCatalogue(r.settings)) {
        r.seeds.catalogueSeed = in.take(seedBits);
        const bool near = in.take(1);
        r.seeds.drawSeed = near ? r.seeds.catalogueSeed + in.take(deltaBits) : in.take(seedBits);
    } else {
        r.seeds.drawSeed = in.take(seedBits);
    }
    // The fields decide the length: the data ends in fewer than five zero bits of padding.
    if ((in.used() + 4) / 5 != data.size() || !in.restIsZero())
        return failed(SheetCodeError::Mistyped, QStringLiteral("its length does not match its contents"));
    if (r.kind == SheetRecipe::Kind::ClassSet && (r.setSize > maxClassSetSize || r.setIndex > r.setSize))
        return failed(
            SheetCodeError::NoSuchSheet,
            QStringLiteral("sheet %1 of a set of %2 does not exist").arg(r.setIndex).arg(r.setSize));
    return {r, {}};
}

} // namespace divisheet
