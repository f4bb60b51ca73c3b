#include "sheet/ClassSet.h"

#include "sheet/FocusedCatalogue.h"
#include "sheet/PageLayout.h"
#include "sheet/ProblemDraw.h"
#include "platform/Random.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_set>

namespace divisheet {

namespace {

// A draw that keeps giving a problem or a sheet already used gives up after this many tries
// (only a catalogue with very few problems can come near it) and keeps the last one drawn.
constexpr int maxRedraws = 100;

// Puts the items in an order drawn uniformly at random.
template<typename T>
void shuffle(std::vector<T> &items, TRandom &rng)
{
    const int n = int(items.size());
    items = takeDrawn(items, drawPositions(n, n, rng));
}

std::vector<Problem> enumeratedCatalogue(const ProblemSettings &settings)
{
    if (settings.focus.picks())
        return *focusedCatalogue(settings);
    TRandom unused; // an enumerated catalogue draws nothing
    return buildCatalogue(settings, unused);
}

class EnumeratedSet
{
public:
    EnumeratedSet(const ProblemSettings &settings, int count)
        : m_catalogue(enumeratedCatalogue(settings)), m_count(count)
    {
        m_pool.resize(m_catalogue.size());
        std::iota(m_pool.begin(), m_pool.end(), 0);
    }

    std::vector<Problem> next(TRandom &rng)
    {
        std::vector<int> sheet;
        if (int(m_pool.size()) < m_count) {
            // The round through the catalogue ends: the rest of it first, then the remainder
            // from a new round, in which the problems already on this sheet wait for a later
            // sheet. Every round uses every problem once, so no problem comes up more than
            // once more than another.
            sheet = takeDrawn(m_pool, drawPositions(int(m_pool.size()), int(m_pool.size()), rng));
            std::vector<bool> onSheet(m_catalogue.size());
            for (const int i : sheet)
                onSheet[std::size_t(i)] = true;
            std::vector<int> available;
            for (int i = 0; i < int(m_catalogue.size()); ++i) {
                if (!onSheet[std::size_t(i)])
                    available.push_back(i);
            }
            const std::vector<int> more =
                takeDrawn(available, drawPositions(int(available.size()), m_count - int(sheet.size()), rng));
            m_pool = available;
            m_pool.insert(m_pool.end(), sheet.begin(), sheet.end());
            std::sort(m_pool.begin(), m_pool.end()); // catalogue order
            sheet.insert(sheet.end(), more.begin(), more.end());
            shuffle(sheet, rng);
        } else {
            sheet = takeDrawn(m_pool, drawPositions(int(m_pool.size()), m_count, rng));
        }
        std::vector<Problem> problems;
        problems.reserve(sheet.size());
        for (const int i : sheet)
            problems.push_back(m_catalogue[std::size_t(i)]);
        return problems;
    }

    // Sheets are drawn again from the pool as it was before them.
    std::vector<int> pool() const { return m_pool; }
    void restore(std::vector<int> pool) { m_pool = std::move(pool); }

private:
    std::vector<Problem> m_catalogue;
    int m_count;
    std::vector<int> m_pool; // indices into m_catalogue, in catalogue order
};

class RandomSet
{
public:
    RandomSet(const ProblemSettings &settings, int count, int catalogueSize)
        : m_settings(settings), m_count(count), m_catalogueSize(catalogueSize)
    {
    }

    std::vector<Problem> next(TRandom &rng)
    {
        const int catalogueSize = m_catalogueSize;
        std::vector<Problem> catalogue;
        std::unordered_set<qint64> inCatalogue;
        for (int i = 0; i < catalogueSize; ++i) {
            std::optional<Problem> p = draw(rng);
            for (int tries = 1; p && tries < maxRedraws && (m_used.contains(problemKey(*p))
                                                            || inCatalogue.contains(problemKey(*p)));
                 ++tries)
                p = draw(rng);
            if (!p)
                break;
            inCatalogue.insert(problemKey(*p));
            catalogue.push_back(*p);
        }
        std::vector<Problem> sheet = takeDrawn(catalogue, drawPositions(int(catalogue.size()), m_count, rng));
        for (const Problem &p : sheet)
            m_used.insert(problemKey(p));
        return sheet;
    }

    // Every problem of a random set is new, so no sheet equals another: nothing to restore.
    int pool() const { return 0; }
    void restore(int) {}

private:
    std::optional<Problem> draw(TRandom &rng) const
    {
        if (!m_settings.focus.picks())
            return detail::drawRandomProblem(m_settings, rng);
        return drawFocusedProblem(m_settings, rng);
    }

    ProblemSettings m_settings;
    int m_count;
    int m_catalogueSize;
    std::unordered_set<qint64> m_used;
};

// Mixed remainders: each sheet takes half its problems from a set of the problems without a
// remainder and half from a set of those with one, so that each part keeps its own promise
// of no repeats, and puts them in places drawn at random.
template<typename WithRemainder>
class MixedSet
{
public:
    MixedSet(EnumeratedSet without, WithRemainder with) : m_without(std::move(without)), m_with(std::move(with)) {}

    std::vector<Problem> next(TRandom &rng)
    {
        std::vector<Problem> sheet = m_without.next(rng);
        const std::vector<Problem> more = m_with.next(rng);
        sheet.insert(sheet.end(), more.begin(), more.end());
        shuffle(sheet, rng);
        return sheet;
    }

    auto pool() const { return std::make_pair(m_without.pool(), m_with.pool()); }
    void restore(const std::pair<std::vector<int>, decltype(std::declval<WithRemainder>().pool())> &pool)
    {
        m_without.restore(pool.first);
        m_with.restore(pool.second);
    }

private:
    EnumeratedSet m_without;
    WithRemainder m_with;
};

template<typename Set>
std::vector<std::vector<Problem>> drawSheets(Set set, quint32 setSeed, int count)
{
    TRandom rng(setSeed);
    std::vector<std::vector<Problem>> sheets;
    sheets.reserve(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        const auto before = set.pool();
        std::vector<Problem> sheet = set.next(rng);
        for (int tries = 1; tries < maxRedraws
             && std::find(sheets.begin(), sheets.end(), sheet) != sheets.end();
             ++tries) {
            set.restore(before);
            sheet = set.next(rng);
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

} // namespace

std::vector<std::vector<Problem>> classSetSheets(const ProblemSettings &settings, quint32 setSeed,
                                                 int count, const PageOptions &page)
{
    count = std::clamp(count, 0, maxClassSetSize);
    const int perSheet = sheetProblemCount(settings, page);
    if (settings.focus.mixedRemainder) {
        const std::vector<ProblemSettings> parts = catalogueParts(settings);
        EnumeratedSet without(parts.front(), perSheet - perSheet / 2);
        if (isRandomCatalogue(parts.back())) {
            RandomSet with(parts.back(), perSheet / 2, randomCatalogueCount(settings, page));
            return drawSheets(MixedSet(std::move(without), std::move(with)), setSeed, count);
        }
        return drawSheets(MixedSet(std::move(without), EnumeratedSet(parts.back(), perSheet / 2)), setSeed, count);
    }
    if (isRandomCatalogue(settings))
        return drawSheets(RandomSet(settings, perSheet, randomCatalogueCount(settings, page)), setSeed, count);
    return drawSheets(EnumeratedSet(settings, perSheet), setSeed, count);
}

std::vector<Problem> classSetSheet(const ProblemSettings &settings, quint32 setSeed, int k,
                                   const PageOptions &page)
{
    if (k < 1 || k > maxClassSetSize)
        return {};
    return classSetSheets(settings, setSeed, k, page).back();
}

} // namespace divisheet
