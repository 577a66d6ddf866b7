#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

namespace brookhum {

inline constexpr int SlotCount = 10;        // directory slots and file slots, numbered 1..10
inline constexpr int FilesPerDirectory = 20; // at most this many files of a directory take part

// A fixed array indexed by int counting from First, so that slot k is [k]
// and no code converts between signed numbers and unsigned indices.
template <typename T, int Size, int First>
class NumberedArray {
public:
    static constexpr int first = First;
    static constexpr int last = First + Size - 1;

    T &operator[](int n)
    {
        Q_ASSERT(n >= first && n <= last);
        return m_items[static_cast<std::size_t>(n - First)];
    }
    const T &operator[](int n) const
    {
        Q_ASSERT(n >= first && n <= last);
        return m_items[static_cast<std::size_t>(n - First)];
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    friend bool operator==(const NumberedArray &, const NumberedArray &) = default;

private:
    std::array<T, static_cast<std::size_t>(Size)> m_items{};
};

// One entry for each slot: slot k at [k].
template <typename T>
using SlotArray = NumberedArray<T, SlotCount, 1>;

// The files a directory slot takes part with: the first at [0].
template <typename T>
using FileArray = NumberedArray<T, FilesPerDirectory, 0>;

// The two families of slots.
enum class SlotKind { Directory, File };

} // namespace brookhum
