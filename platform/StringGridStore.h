#pragma once

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <limits>
#include <type_traits>
#include <unordered_map>
#include <vector>

// The cells of a string grid: text addressed by column and row, stored sparsely. A cell
// may be written and read at any column and row, also beyond the grid's column and row
// counts; an unwritten cell reads as empty text. The counts are the grid's business,
// not the store's: changing them neither clears nor moves a cell.
//
// Whole-number cells are kept as numbers and turned into text when read, so that a
// catalogue of 90,000 problems (450,000 cells) is written in a few milliseconds.
// Columns are held through an index, so that taking one column out of the middle of
// tens of thousands moves a few hundred kilobytes, not every cell.
class TStringGridStore
{
public:
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // The same as setCell(col, row, QString::number(value)), without making the text.
    void setCellNumber(int col, int row, qint32 value);

    // Copies the cells of every column from `first` to `last`, in ascending order, one
    // column to the left; column `last` keeps its cells. Rows are copied as far as
    // either column holds any.
    void shiftColumnsLeft(int first, int last);

    // Forgets every cell.
    void clear();

    // One more than the highest column that holds a cell.
    int columnExtent() const;

private:
    // A growable array of plain values. It grows with realloc(), which for large blocks
    // remaps the pages it has instead of copying them: touching fresh memory is what
    // costs most when 90,000 columns are appended. clear() keeps the memory for the
    // next catalogue.
    template <typename T>
    class Array
    {
        static_assert(std::is_trivially_copyable_v<T>);

    public:
        Array() = default;
        Array(const Array &other) { append(other); }
        Array &operator=(const Array &other)
        {
            if (this != &other) {
                m_size = 0;
                append(other);
            }
            return *this;
        }
        ~Array() { std::free(m_data); }

        size_t size() const { return m_size; }
        T *data() { return m_data; }
        T &operator[](size_t i) { return m_data[i]; }
        const T &operator[](size_t i) const { return m_data[i]; }
        T &back() { return m_data[m_size - 1]; }

        void clear() { m_size = 0; }
        void push_back(const T &value)
        {
            if (m_size == m_capacity)
                reserve(m_size + 1);
            m_data[m_size++] = value;
        }
        void resize(size_t size, const T &fill)
        {
            reserve(size);
            for (size_t i = m_size; i < size; ++i)
                m_data[i] = fill;
            m_size = size;
        }
        void reserve(size_t wanted)
        {
            if (wanted <= m_capacity)
                return;
            const size_t capacity = std::max({wanted, m_capacity * 2, size_t(1024)});
            void *data = std::realloc(static_cast<void *>(m_data), capacity * sizeof(T));
            if (!data)
                throw std::bad_alloc();
            m_data = static_cast<T *>(data);
            m_capacity = capacity;
        }

    private:
        void append(const Array &other)
        {
            reserve(m_size + other.m_size);
            if (other.m_size > 0)
                std::memcpy(static_cast<void *>(m_data + m_size), other.m_data, other.m_size * sizeof(T));
            m_size += other.m_size;
        }

        T *m_data = nullptr;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

    // Rows 0 .. kNearRows - 1 of a column are held in the column itself (the grids of
    // this program have five rows), rows below in m_text.
    static constexpr int kNearRows = 5;
    // Two values mark a near cell that holds no number; the rare numbers that are
    // these values themselves are kept as text.
    static constexpr qint32 kEmpty = std::numeric_limits<qint32>::min();
    static constexpr qint32 kText = std::numeric_limits<qint32>::min() + 1;

    struct Column {
        qint32 value[kNearRows];
    };

    static quint64 key(qint32 slot, int row) { return (quint64(quint32(slot)) << 32) | quint32(row); }

    qint32 slotForWriting(int col);
    qint32 newSlot();
    void freeSlot(qint32 slot);
    void eraseText(qint32 slot);
    void copySlot(qint32 from, qint32 to);
    void eraseCell(int col, int row);
    // Keeps `text` as the text of cell (col, row), whatever it looks like.
    void storeText(int col, int row, const QString &text);
    int farRows(qint32 slot) const;

    Array<qint32> m_index;      // column -> slot in m_columns, -1 for none
    Array<Column> m_columns;    // slots, reused through m_free
    std::vector<qint32> m_free;
    std::unordered_map<quint64, QString> m_text; // text cells and every far-row cell
    std::unordered_map<qint32, int> m_farRows;   // slot -> one more than its highest far row
};
