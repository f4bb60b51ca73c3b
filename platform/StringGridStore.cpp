#include "platform/StringGridStore.h"

#include <algorithm>
#include <limits>

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
    const Column &column = m_columns[size_t(slot)];
    if (row < kNearRows) {
        switch (column.kind[row]) {
        case Empty: return {};
        case Number: return QString::number(column.value[row]);
        case Text: break;
        }
    } else if (row >= column.farRows) {
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
    const qint32 slot = slotForWriting(col);
    Column &column = m_columns[size_t(slot)];
    if (row < kNearRows)
        column.kind[row] = Text;
    else
        column.farRows = std::max(column.farRows, row + 1);
    m_text[key(slot, row)] = text;
}

void TStringGridStore::setCellNumber(int col, int row, qint32 value)
{
    if (col < 0 || row < 0)
        return;
    if (row >= kNearRows) {
        const qint32 slot = slotForWriting(col);
        Column &column = m_columns[size_t(slot)];
        column.farRows = std::max(column.farRows, row + 1);
        m_text[key(slot, row)] = QString::number(value);
        return;
    }
    const qint32 slot = slotForWriting(col);
    Column &column = m_columns[size_t(slot)];
    if (column.kind[row] == Text)
        m_text.erase(key(slot, row));
    column.kind[row] = Number;
    column.value[row] = value;
}

void TStringGridStore::eraseCell(int col, int row)
{
    if (size_t(col) >= m_index.size() || m_index[size_t(col)] < 0)
        return;
    const qint32 slot = m_index[size_t(col)];
    Column &column = m_columns[size_t(slot)];
    if (row < kNearRows) {
        if (column.kind[row] == Text)
            m_text.erase(key(slot, row));
        column.kind[row] = Empty;
    } else if (row < column.farRows) {
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

    // Column first - 1 is overwritten: its cells go, its slot is kept for reuse.
    const qint32 dropped = m_index[size_t(first - 1)];
    if (last < size) {
        // Move the indices, not the cells; column `last` then shares its slot with
        // column last - 1 and gets its own copy.
        std::move(m_index.begin() + first, m_index.begin() + last + 1, m_index.begin() + first - 1);
        const qint32 shared = m_index[size_t(last)];
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
        std::move(m_index.begin() + first, m_index.end(), m_index.begin() + first - 1);
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
}

int TStringGridStore::columnExtent() const
{
    for (size_t col = m_index.size(); col-- > 0;) {
        const qint32 slot = m_index[col];
        if (slot < 0)
            continue;
        const Column &column = m_columns[size_t(slot)];
        for (int row = 0; row < kNearRows; ++row) {
            if (column.kind[row] != Empty)
                return int(col) + 1;
        }
        for (int row = kNearRows; row < column.farRows; ++row) {
            if (m_text.count(key(slot, row)))
                return int(col) + 1;
        }
    }
    return 0;
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
    if (!m_free.empty()) {
        const qint32 slot = m_free.back();
        m_free.pop_back();
        m_columns[size_t(slot)] = Column();
        return slot;
    }
    m_columns.emplace_back();
    return qint32(m_columns.size() - 1);
}

void TStringGridStore::freeSlot(qint32 slot)
{
    eraseText(slot);
    m_columns[size_t(slot)] = Column();
    m_free.push_back(slot);
}

void TStringGridStore::eraseText(qint32 slot)
{
    const Column &column = m_columns[size_t(slot)];
    for (int row = 0; row < kNearRows; ++row) {
        if (column.kind[row] == Text)
            m_text.erase(key(slot, row));
    }
    for (int row = kNearRows; row < column.farRows; ++row)
        m_text.erase(key(slot, row));
}

void TStringGridStore::copySlot(qint32 from, qint32 to)
{
    // `to` holds no text entries (the caller erased them).
    m_columns[size_t(to)] = m_columns[size_t(from)];
    const Column &column = m_columns[size_t(from)];
    for (int row = 0; row < kNearRows; ++row) {
        if (column.kind[row] == Text)
            m_text[key(to, row)] = m_text.at(key(from, row));
    }
    for (int row = kNearRows; row < column.farRows; ++row) {
        const auto it = m_text.find(key(from, row));
        if (it != m_text.end())
            m_text[key(to, row)] = it->second;
    }
}
