#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

// Numbered byte strings kept once each: the explorer's game states. The bytes lie one after the
// other in large blocks that never move, found through an open-addressing table of state
// numbers, so a state costs its own bytes, its start and a few bytes of table, with no node,
// pointer or allocation of its own.
class StateStore {
public:
    StateStore() { m_table.assign(kFirstSlots, kEmpty); }

    std::int32_t size() const { return static_cast<std::int32_t>(m_starts.size()); }

    // The bytes of state `id` (0 <= id < size()); valid as long as the store.
    std::string_view at(std::int32_t id) const {
        const Start &s = m_starts[static_cast<size_t>(id)];
        return std::string_view(m_blocks[s.block].get() + s.offset, s.length);
    }

    // The number of `bytes`, or -1 when they are not kept.
    std::int32_t find(std::string_view bytes) const {
        for (size_t slot = hash(bytes) & mask();; slot = (slot + 1) & mask()) {
            const std::int32_t id = m_table[slot];
            if (id == kEmpty || at(id) == bytes)
                return id;
        }
    }

    // Keeps `bytes` as state size() unless `full` says no: returns {number, added}; the number is
    // -1 when the bytes are new and `full()` is true.
    template <class Full> std::pair<std::int32_t, bool> add(std::string_view bytes, Full &&full) {
        size_t slot = hash(bytes) & mask();
        for (;; slot = (slot + 1) & mask()) {
            const std::int32_t id = m_table[slot];
            if (id == kEmpty)
                break;
            if (at(id) == bytes)
                return {id, false};
        }
        if (full())
            return {-1, false};
        const std::int32_t id = size();
        m_starts.push_back(place(bytes));
        m_table[slot] = id;
        // Three quarters full at most: the table costs 5 to 11 bytes a state.
        if (4 * static_cast<size_t>(size()) > 3 * m_table.size())
            grow();
        return {id, true};
    }

private:
    static constexpr std::int32_t kEmpty = -1;
    static constexpr size_t kFirstSlots = 1024;
    static constexpr size_t kBlockBytes = 1 << 16;

    struct Start {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t length;
    };

    size_t mask() const { return m_table.size() - 1; }
    static size_t hash(std::string_view bytes) {
        // FNV-1a, then mixed so that the low bits the table uses depend on every byte.
        std::uint64_t h = 1469598103934665603ull;
        for (const char c : bytes)
            h = (h ^ static_cast<std::uint8_t>(c)) * 1099511628211ull;
        h ^= h >> 29;
        h *= 0xbf58476d1ce4e5b9ull;
        h ^= h >> 32;
        return static_cast<size_t>(h);
    }
    Start place(std::string_view bytes) {
        if (m_blocks.empty() || m_used + bytes.size() > kBlockBytes) {
            // A state never spans two blocks; a state longer than a block has one of its own.
            m_blocks.push_back(std::make_unique<char[]>(std::max(kBlockBytes, bytes.size())));
            m_used = 0;
        }
        const Start s{static_cast<std::uint32_t>(m_blocks.size() - 1),
                      static_cast<std::uint32_t>(m_used), static_cast<std::uint32_t>(bytes.size())};
        std::memcpy(m_blocks.back().get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
        return s;
    }
    void grow() {
        std::vector<std::int32_t> table(m_table.size() * 2, kEmpty);
        m_table.swap(table);
        table = std::vector<std::int32_t>(); // the old table goes before the states are placed
        for (std::int32_t id = 0; id < size(); ++id) {
            size_t slot = hash(at(id)) & mask();
            while (m_table[slot] != kEmpty)
                slot = (slot + 1) & mask();
            m_table[slot] = id;
        }
    }

    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_used = 0; // bytes used in the last block
    std::vector<Start> m_starts;
    std::vector<std::int32_t> m_table;
};
