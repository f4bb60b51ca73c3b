#include "sheet/FocusedCatalogue.h"

#include "sheet/ProblemDraw.h"
#include "sheet/ProblemFocus.h"
#include "sheet/SheetMaker.h"
#include "figures/FrameFigureGeometry.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>
#include <utility>

namespace divisheet {

namespace {

// What was worked out for the settings asked for last, so that the next sheet of the same
// settings finds it; a handful is enough for a window, a class set or one request.
template <typename Value>
class RecentResults
{
public:
    explicit RecentResults(std::size_t kept = 8) : m_kept(kept) {}

    template <typename Make>
    Value get(const ProblemSettings &settings, Make &&make)
    {
        const std::lock_guard lock(m_mutex);
        for (const auto &[key, value] : m_entries) {
            if (key == settings)
                return value;
        }
        if (m_entries.size() == m_kept)
            m_entries.erase(m_entries.begin());
        m_entries.emplace_back(settings, make());
        return m_entries.back().second;
    }

private:
    std::size_t m_kept;
    std::mutex m_mutex;
    std::vector<std::pair<ProblemSettings, Value>> m_entries;
};

// How often a random part's draw has the focus, from a sample drawn with a fixed seed so that
// every run decides alike: until kProbeHits problems have it, or kProbeTries were drawn.
struct FocusRate
{
    qint64 tries = 0;
    qint64 hits = 0;
};
constexpr qint64 kProbeTries = 200'000;
constexpr qint64 kProbeHits = 64;
constexpr quint32 kProbeSeed = 1;
// A draw gives up after this many times the draws one problem with the focus takes on
// average: the chance that a focus the sample found is not found in them is below e^-200.
constexpr qint64 kTriesPerFind = 200;
constexpr qint64 kMinTries = 20'000;
// As the unfocused random catalogue: a repeat is drawn again, a few times at most.
constexpr int kMaxRedraws = 100;

// The smallest and the largest member of a pattern.
std::pair<qint32, qint32> patternRange(const DigitPattern &pattern)
{
    qint32 largest = pattern.base;
    for (const DigitPlace &place : pattern.places)
        largest += place.weight * std::max(place.count - 1, 0);
    return {pattern.base, largest};
}

// One problem of a random part, each problem of the class as likely as any other. The class's
// own draw takes each divisor equally often, although a larger divisor has more remainders; so
// this one keeps a divisor d with the chance (d - 1) / (largest - 1), which weighs each divisor
// by its number of problems.
Problem drawEvenly(const ProblemSettings &part, TRandom &rng)
{
    const qint32 largest = patternRange(*digitPattern(part.divisor)).second;
    for (;;) {
        const Problem p = detail::drawRandomProblem(part, rng);
        if (qint32(rng.random(quint32(largest - 1))) < p.divisor - 1)
            return p;
    }
}

FocusRate focusRate(const ProblemSettings &part)
{
    static RecentResults<FocusRate> rates;
    return rates.get(part, [&part] {
        TRandom rng(kProbeSeed);
        FocusRate rate;
        while (rate.tries < kProbeTries && rate.hits < kProbeHits) {
            ++rate.tries;
            if (hasFocus(drawEvenly(part, rng), part.focus))
                ++rate.hits;
        }
        return rate;
    });
}

struct WorkedProblem
{
    Problem problem;
    WorkingTags tags;
};

// Every problem of an enumerated part's classes with its tags under the focus's estimate,
// kept, so that each focus on the same classes reads them rather than working every division
// again (choosing a focus in the dialog tries each choice). The largest classes take 3 MiB.
std::shared_ptr<const std::vector<WorkedProblem>> workedCatalogue(const ProblemSettings &part)
{
    ProblemSettings classes = part;
    classes.focus = PracticeFocus{};
    classes.focus.estimate = part.focus.estimate;
    static RecentResults<std::shared_ptr<const std::vector<WorkedProblem>>> worked(4);
    return worked.get(classes, [&classes] {
        auto list = std::make_shared<std::vector<WorkedProblem>>();
        TRandom unused; // an enumerated catalogue draws nothing
        forEachCatalogueProblem(classes, unused, [&classes, &list](const Problem &p) {
            list->push_back({p, workingTags(p, classes.focus.estimate)});
        });
        return std::shared_ptr<const std::vector<WorkedProblem>>(std::move(list));
    });
}

bool oneDigitDivisor(const ProblemSettings &settings)
{
    return settings.divisor == DivisorClass::Fixed || settings.divisor == DivisorClass::D1_9;
}

// Whether a random part's dividends, which run from the smallest quotient times the smallest
// divisor plus 1 to the largest times the largest plus the largest remainder, can have the
// focus's digit count.
bool reachesDividendDigits(const ProblemSettings &part)
{
    const int digits = part.focus.dividendDigits;
    if (digits == 0)
        return true;
    const auto [quotientLow, quotientHigh] = patternRange(digitPattern(part.quotient));
    const auto [divisorLow, divisorHigh] = patternRange(*digitPattern(part.divisor));
    return decimalLength(quotientLow * divisorLow + 1) <= digits
        && digits <= decimalLength(quotientHigh * divisorHigh + divisorHigh - 1);
}

// Whether a random part's quotients can have the focus's 0: its pattern fixes where the zeros
// of a quotient stand, so that either every quotient has one after its first digit or none.
bool reachesQuotientZeros(const ProblemSettings &part)
{
    if (part.focus.zeroInQuotient == Presence::Either)
        return true;
    const bool wanted = part.focus.zeroInQuotient == Presence::Always;
    const std::vector<qint32> quotients = detail::patternMembers(digitPattern(part.quotient));
    return std::any_of(quotients.begin(), quotients.end(), [wanted](qint32 q) {
        return QString::number(q).mid(1).contains(u'0') == wanted;
    });
}

// Whether a random part's divisors can need a correction: a divisor that is a multiple of its
// highest place (40, 700) is its own rounding, so every estimate with it is right.
bool reachesCorrections(const ProblemSettings &part)
{
    if (part.focus.corrections == CorrectionFocus::Any || part.focus.corrections == CorrectionFocus::None)
        return true;
    const std::vector<qint32> divisors = detail::patternMembers(*digitPattern(part.divisor));
    return std::any_of(divisors.begin(), divisors.end(), [](qint32 d) {
        qint32 unit = 1;
        for (int place = 1; place < decimalLength(d); ++place)
            unit *= 10;
        return d % unit != 0;
    });
}

bool partIsEmpty(const ProblemSettings &part)
{
    if (!part.focus.picks())
        return false;
    // Sampling would take long to give up on what the classes settle at once.
    if (isRandomCatalogue(part))
        return !reachesDividendDigits(part) || !reachesQuotientZeros(part) || !reachesCorrections(part)
            || focusRate(part).hits == 0;
    return focusedCatalogue(part)->empty();
}

std::vector<Problem> drawFocusedRandomCatalogue(const ProblemSettings &part, TRandom &rng, int count)
{
    const bool different = count > randomCatalogueSize;
    count = std::max(count, randomCatalogueSize);
    std::vector<Problem> drawn;
    std::unordered_set<qint64> keys;
    while (int(drawn.size()) < count) {
        std::optional<Problem> p = drawFocusedProblem(part, rng);
        for (int tries = 1; p && different && tries < kMaxRedraws && keys.contains(problemKey(*p)); ++tries)
            p = drawFocusedProblem(part, rng);
        if (!p)
            break;
        keys.insert(problemKey(*p));
        drawn.push_back(*p);
    }
    return drawn;
}

} // namespace

FocusFault focusFault(const ProblemSettings &settings)
{
    const PracticeFocus &focus = settings.focus;
    if (focus.zeroInQuotient == Presence::Always && settings.quotient == QuotientClass::Q1_9)
        return FocusFault::ZeroInOneDigitQuotient;
    if (focus.corrections != CorrectionFocus::Any && oneDigitDivisor(settings))
        return FocusFault::CorrectionsOneDigitDivisor;
    if (focus.dividendDigits < 0 || focus.dividendDigits > 5)
        return FocusFault::DividendDigits;
    const bool fixedOne = settings.divisor == DivisorClass::Fixed && settings.fixedDivisor == 1;
    if (focus.mixedRemainder && (!settings.withRemainder || fixedOne))
        return FocusFault::MixedWithoutRemainders;
    // Settings that make no sheet at all say so themselves (settingsProblem()).
    if (!settingsProblem(settings).isEmpty())
        return FocusFault::None;
    for (const ProblemSettings &part : catalogueParts(settings)) {
        if (partIsEmpty(part))
            return FocusFault::NoProblem;
    }
    return FocusFault::None;
}

QString focusProblem(const ProblemSettings &settings)
{
    switch (focusFault(settings)) {
    case FocusFault::None: return {};
    case FocusFault::ZeroInOneDigitQuotient:
        return QStringLiteral("a quotient of 1..9 has one digit, so it has no 0 after its first");
    case FocusFault::CorrectionsOneDigitDivisor:
        return QStringLiteral("a divisor of one digit is divided without an estimate to correct");
    case FocusFault::DividendDigits:
        return QStringLiteral("a dividend has 1 to 5 digits, not %1").arg(settings.focus.dividendDigits);
    case FocusFault::MixedWithoutRemainders:
        return QStringLiteral("mixed remainders need problems with a remainder, and these settings have none");
    case FocusFault::NoProblem:
        return settings.focus.mixedRemainder
                   ? QStringLiteral("no problem of these settings has that focus both with and without a remainder")
                   : QStringLiteral("no problem of these settings has that focus");
    }
    return {};
}

QString focusFaultWords(FocusFault fault)
{
    switch (fault) {
    case FocusFault::None: return {};
    case FocusFault::ZeroInOneDigitQuotient: return QStringLiteral("商が1けたなので0はたちません");
    case FocusFault::CorrectionsOneDigitDivisor: return QStringLiteral("わる数が1けたなので仮商を修正しません");
    case FocusFault::DividendDigits: return QStringLiteral("わられる数は1けたから5けたまでです");
    case FocusFault::MixedWithoutRemainders: return QStringLiteral("余りのある問題がありません");
    case FocusFault::NoProblem: return QStringLiteral("この設定には合う問題がありません");
    }
    return {};
}

std::vector<ProblemSettings> catalogueParts(const ProblemSettings &settings)
{
    ProblemSettings part = settings;
    part.focus.mixedRemainder = false;
    if (!settings.focus.mixedRemainder)
        return {part};
    ProblemSettings without = part;
    without.withRemainder = false;
    part.withRemainder = true;
    return {without, part};
}

std::shared_ptr<const std::vector<Problem>> focusedCatalogue(const ProblemSettings &part)
{
    Q_ASSERT_X(!isRandomCatalogue(part), "focusedCatalogue", "a random catalogue is drawn, not listed");
    static RecentResults<std::shared_ptr<const std::vector<Problem>>> catalogues;
    return catalogues.get(part, [&part] {
        auto picked = std::make_shared<std::vector<Problem>>();
        if (!part.focus.picks()) { // mixing alone takes every problem of a part
            TRandom unused;
            *picked = buildCatalogue(part, unused);
            return std::shared_ptr<const std::vector<Problem>>(std::move(picked));
        }
        for (const WorkedProblem &worked : *workedCatalogue(part)) {
            if (hasFocus(worked.tags, part.focus))
                picked->push_back(worked.problem);
        }
        return std::shared_ptr<const std::vector<Problem>>(std::move(picked));
    });
}

std::optional<Problem> drawFocusedProblem(const ProblemSettings &part, TRandom &rng)
{
    if (!part.focus.picks())
        return detail::drawRandomProblem(part, rng);
    const FocusRate rate = focusRate(part);
    if (rate.hits == 0)
        return std::nullopt;
    const qint64 limit = std::max(kMinTries, kTriesPerFind * rate.tries / rate.hits);
    for (qint64 tries = 0; tries < limit; ++tries) {
        const Problem p = drawEvenly(part, rng);
        if (hasFocus(p, part.focus))
            return p;
    }
    return std::nullopt;
}

std::vector<Problem> focusedSheetCatalogue(const ProblemSettings &settings, TRandom &rng, int randomCount)
{
    // Settings whose catalogue is drawn at random are drawn at random in both parts when mixing:
    // the listed part too would otherwise bring its tens of thousands of problems to every sheet.
    const bool drawn = isRandomCatalogue(settings);
    const int count = std::max(randomCount, randomCatalogueSize);
    std::vector<Problem> catalogue;
    for (const ProblemSettings &part : catalogueParts(settings)) {
        std::vector<Problem> problems;
        if (isRandomCatalogue(part)) {
            problems = drawFocusedRandomCatalogue(part, rng, randomCount);
        } else if (drawn) {
            std::vector<Problem> listed = *focusedCatalogue(part);
            problems = takeDrawn(listed, drawPositions(int(listed.size()), count, rng));
        } else {
            const auto listed = focusedCatalogue(part);
            problems.assign(listed->begin(), listed->end());
        }
        catalogue.insert(catalogue.end(), problems.begin(), problems.end());
    }
    return catalogue;
}

int focusedSheetCatalogueSize(const ProblemSettings &settings, int randomCount)
{
    const int count = std::max(randomCount, randomCatalogueSize);
    int size = 0;
    for (const ProblemSettings &part : catalogueParts(settings)) {
        const int listed = isRandomCatalogue(part) ? count : int(focusedCatalogue(part)->size());
        size += isRandomCatalogue(settings) ? std::min(listed, count) : listed;
    }
    return size;
}

qint64 focusedProblemTotal(const ProblemSettings &settings)
{
    qint64 total = 0;
    for (const ProblemSettings &part : catalogueParts(settings)) {
        if (!isRandomCatalogue(part)) {
            total += qint64(focusedCatalogue(part)->size());
        } else if (!part.focus.picks()) {
            total += problemTotal(part);
        } else {
            const FocusRate rate = focusRate(part);
            total += rate.hits == 0 ? 0 : std::max<qint64>(1, problemTotal(part) / rate.tries * rate.hits);
        }
    }
    return total;
}

} // namespace divisheet
