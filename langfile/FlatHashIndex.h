#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Open-addressing table of (hash, number) pairs with linear probing. The caller keeps the
// keys; an equality callback on a stored number tells whether it names the key looked for.
// There is no removal: callers rebuild, which keeps probing free of tombstones.
class FlatHashIndex {
public:
    static constexpr uint32_t None = UINT32_MAX;

    void clear() {
        m_slots.clear();
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
                slot.number = number;
                return;
            }
        }
    }

    // Removes the entry holding number, then shifts every greater number down by one, as
    // happens when an element is taken out of the numbered list.
    void eraseNumber(uint32_t hash, uint32_t number) {
        if (m_slots.empty()) {
            return;
        }
        const size_t mask = m_slots.size() - 1;
        size_t hole = hash & mask;
        while (m_slots[hole].number != number) {
            if (m_slots[hole].number == None) {
                renumberAbove(number);
                return;
            }
            hole = (hole + 1) & mask;
        }
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
        renumberAbove(number);
    }

private:
    void renumberAbove(uint32_t number) {
        for (Slot& slot : m_slots) {
            if (slot.number != None && slot.number > number) {
                --slot.number;
            }
        }
    }

    struct Slot {
        uint32_t hash;
        uint32_t number;
    };

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
    size_t m_count = 0;
};
