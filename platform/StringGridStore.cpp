#include "platform/StringGridStore.h"

namespace {

// The number `text` denotes if QString::number() of that number gives back exactly
// `text` (no sign "+", no leading zeros, no "-0"), so that keeping the number instead
// of the text can never change what the cell reads as.
bool canonicalInteger(const QString &text, qint32 &result)
{
    const qsizetype n = text.size();
    if (n == 0 || n > 11)
        return false;
    qsizetype i = 0;
    const bool negative = text[0] == u'-';
    if (negative)
        i = 1;
    if (i == n)
        return false;
    if (text[i] == u'0' && (n - i > 1 || negative))
        return false;
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return false;
    result = qint32(value);
    return true;
}

} // namespace

QString TStringGridStore::cell(int col, int row) const
{
    if (col < 0 || row < 0 || size_t(col) >= m_index.size())
        return {};
    const qint32 slot = m_index[size_t(col)];
    if (slot < 0)
        return {};
    if (row < kNearRows) {
        const qint32 value = m_columns[size_t(slot)].value[row];
        if (value == kEmpty)
            return {};
        if (value != kText)
            return QString::number(value);
    } else if (row >= farRows(slot)) {
        return {};
    }
    const auto it = m_text.find(key(slot, row));
    return it == m_text.end() ? QString() : it->second;
}

void TStringGridStore::setCell(int col, int row, const QString &text)
{
    if (col < 0 || row < 0)
        return;
    qint32 number;
    if (canonicalInteger(text, number)) {
        setCellNumber(col, row, number);
        return;
    }
    if (text.isEmpty()) {
        eraseCell(col, row);
        return;
    }
    storeText(col, row, text);
}

void TStringGridStore::storeText(int col, int row, const QString &text)
{
    const qint32 slot = slotForWriting(col);
    if (row < kNearRows) {
        m_columns[size_t(slot)].value[row] = kText;
    } else {
        int &rows = m_farRows[slot];
        rows = std::max(rows, row + 1);
    }
    m_text[key(slot, row)] = text;
}

void TStringGridStore::setCellNumber(int col, int row, qint32 value)
{
    if (col < 0 || row < 0)
        return;
    if (row >= kNearRows || value == kEmpty || value == kText) {
        // Far rows, and the two values that mark a near cell as empty or as text, are
        // kept as text.
        storeText(col, row, QString::number(value));
        return;
    }
    // The common case, kept short: a number in one of the first rows.
    qint32 &cell = m_columns[size_t(slotForWriting(col))].value[row];
    if (cell == kText)
        m_text.erase(key(m_index[size_t(col)], row));
    cell = value;
}

void TStringGridStore::eraseCell(int col, int row)
{
    if (size_t(col) >= m_index.size() || m_index[size_t(col)] < 0)
        return;
    const qint32 slot = m_index[size_t(col)];
    if (row < kNearRows) {
        qint32 &cell = m_columns[size_t(slot)].value[row];
        if (cell == kText)
            m_text.erase(key(slot, row));
        cell = kEmpty;
    } else if (row < farRows(slot)) {
        m_text.erase(key(slot, row));
    }
}

void TStringGridStore::shiftColumnsLeft(int first, int last)
{
    first = std::max(first, 1); // there is no column left of column 0
    if (last < first)
        return;
    const int size = int(m_index.size());
    if (first - 1 >= size)
        return; // every column involved is empty and stays so

    qint32 *index = m_index.data();
    // Column first - 1 is overwritten: its cells go, its slot is kept for reuse.
    const qint32 dropped = index[first - 1];
    if (last < size) {
        // Move the indices, not the cells; column `last` then shares its slot with
        // column last - 1 and gets its own copy.
        std::memmove(index + first - 1, index + first, size_t(last - first + 1) * sizeof(qint32));
        const qint32 shared = index[last];
        if (shared < 0) {
            if (dropped >= 0)
                freeSlot(dropped);
            return;
        }
        qint32 copy = dropped;
        if (copy < 0)
            copy = newSlot();
        else
            eraseText(copy);
        copySlot(shared, copy);
        m_index[size_t(last)] = copy;
    } else {
        // Columns from `size` on hold nothing: everything from `first` up to the end
        // moves left and the last stored column becomes empty.
        std::memmove(index + first - 1, index + first, size_t(size - first) * sizeof(qint32));
        m_index.back() = -1;
        if (dropped >= 0)
            freeSlot(dropped);
    }
}

void TStringGridStore::clear()
{
    m_index.clear();
    m_columns.clear();
    m_free.clear();
    m_text.clear();
    m_farRows.clear();
}

int TStringGridStore::columnExtent() const
{
    for (size_t col = m_index.size(); col-- > 0;) {
        const qint32 slot = m_index[col];
        if (slot < 0)
            continue;
        for (const qint32 value : m_columns[size_t(slot)].value) {
            if (value != kEmpty)
                return int(col) + 1;
        }
        const int rows = farRows(slot);
        for (int row = kNearRows; row < rows; ++row) {
            if (m_text.count(key(slot, row)))
                return int(col) + 1;
        }
    }
    return 0;
}

int TStringGridStore::farRows(qint32 slot) const
{
    if (m_farRows.empty())
        return 0;
    const auto it = m_farRows.find(slot);
    return it == m_farRows.end() ? 0 : it->second;
}

qint32 TStringGridStore::slotForWriting(int col)
{
    if (size_t(col) >= m_index.size())
        m_index.resize(size_t(col) + 1, -1); // geometric growth: appending is cheap
    qint32 &slot = m_index[size_t(col)];
    if (slot < 0)
        slot = newSlot();
    return slot;
}

qint32 TStringGridStore::newSlot()
{
    const Column empty = {{kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}};
    if (!m_free.empty()) {
        const qint32 slot = m_free.back();
        m_free.pop_back();
        m_columns[size_t(slot)] = empty;
        return slot;
    }
    m_columns.push_back(empty);
    return qint32(m_columns.size() - 1);
}

void TStringGridStore::freeSlot(qint32 slot)
{
    eraseText(slot);
    m_free.push_back(slot);
}

void TStringGridStore::eraseText(qint32 slot)
{
    Column &column = m_columns[size_t(slot)];
    for (int row = 0; row < kNearRows; ++row) {
        if (column.value[row] == kText)
            m_text.erase(key(slot, row));
        column.value[row] = kEmpty;
    }
    const int rows = farRows(slot);
    for (int row = kNearRows; row < rows; ++row)
        m_text.erase(key(slot, row));
    if (rows > 0)
        m_farRows.erase(slot);
}

void TStringGridStore::copySlot(qint32 from, qint32 to)
{
    // `to` holds nothing (the caller erased it).
    m_columns[size_t(to)] = m_columns[size_t(from)];
    for (int row = 0; row < kNearRows; ++row) {
        if (m_columns[size_t(from)].value[row] == kText)
            m_text[key(to, row)] = m_text.at(key(from, row));
    }
    const int rows = farRows(from);
    if (rows == 0)
        return;
    m_farRows[to] = rows;
    for (int row = kNearRows; row < rows; ++row) {
        const auto it = m_text.find(key(from, row));
        if (it != m_text.end())
            m_text[key(to, row)] = it->second;
    }
}
