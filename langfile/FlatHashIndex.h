#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Open-addressing table of (hash, number) pairs with linear probing. The caller keeps the
// keys; an equality callback on a stored number tells whether it names the key looked for.
// A key assigned again hides its earlier number, which removal uncovers (the last duplicate
// wins until it goes). Numbers that replace others must grow until clear(), as they do when
// a list is indexed from the front. Removal shifts entries back rather than leaving
// tombstones, so probing stays short.
class FlatHashIndex {
public:
    static constexpr uint32_t None = UINT32_MAX;

    void clear() {
        m_slots.clear();
        m_hidden.clear();
        m_count = 0;
    }

    // The number of entries, one per distinct key.
    size_t size() const { return m_count; }

    // Makes room for count entries without further growth.
    void reserve(size_t count) {
        size_t capacity = 8;
        while (capacity * 3 < count * 4) {
            capacity *= 2;
        }
        if (capacity > m_slots.size()) {
            rehash(capacity);
        }
    }

    template <class Equal> uint32_t find(uint32_t hash, Equal&& equal) const {
        if (m_slots.empty()) {
            return None;
        }
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.number == None) {
                return None;
            }
            if (slot.hash == hash && equal(slot.number)) {
                return slot.number;
            }
        }
    }

    // Points the key at number, replacing the entry of an equal key.
    template <class Equal> void assign(uint32_t hash, uint32_t number, Equal&& equal) {
        if ((m_count + 1) * 4 > m_slots.size() * 3) {
            rehash(m_slots.empty() ? 8 : m_slots.size() * 2);
        }
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.number == None) {
                slot = {hash, number};
                ++m_count;
                return;
            }
            if (slot.hash == hash && equal(slot.number)) {
                m_hidden.emplace_back(number, slot.number);
                slot.number = number;
                return;
            }
        }
    }

    // Removes the entry holding number, or points it at the number that number hid. The
    // number must not be assigned again.
    void remove(uint32_t hash, uint32_t number) {
        Slot* slot = slotOf(hash, number);
        if (!slot) {
            return;
        }
        const auto hidden = std::lower_bound(m_hidden.begin(), m_hidden.end(), std::make_pair(number, uint32_t(0)));
        if (hidden != m_hidden.end() && hidden->first == number) {
            slot->number = hidden->second;
        } else {
            erase(slot);
        }
    }

private:
    struct Slot {
        uint32_t hash;
        uint32_t number;
    };

    void erase(Slot* found) {
        const size_t mask = m_slots.size() - 1;
        size_t hole = size_t(found - m_slots.data());
        // Backward-shift deletion keeps every remaining entry reachable from its home slot.
        for (size_t next = (hole + 1) & mask; m_slots[next].number != None; next = (next + 1) & mask) {
            const size_t home = m_slots[next].hash & mask;
            const bool movable = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
            if (movable) {
                m_slots[hole] = m_slots[next];
                hole = next;
            }
        }
        m_slots[hole].number = None;
        --m_count;
    }

    Slot* slotOf(uint32_t hash, uint32_t number) {
        if (m_slots.empty()) {
            return nullptr;
        }
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask; m_slots[i].number != None; i = (i + 1) & mask) {
            if (m_slots[i].number == number) {
                return &m_slots[i];
            }
        }
        return nullptr;
    }

    void rehash(size_t capacity) {
        std::vector<Slot> old(capacity, Slot{0, None});
        old.swap(m_slots);
        const size_t mask = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.number == None) {
                continue;
            }
            size_t i = slot.hash & mask;
            while (m_slots[i].number != None) {
                i = (i + 1) & mask;
            }
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    // (number, the number it hid) in ascending order; entries of removed numbers stay until clear().
    std::vector<std::pair<uint32_t, uint32_t>> m_hidden;
    size_t m_count = 0;
};
