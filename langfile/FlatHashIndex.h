#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Open-addressing table of numbers with linear probing, four bytes a slot: the low bits hold
// the number plus one (0 marks a free slot), the bits above it as many bits of the key's hash,
// which turn away nearly every other key without a look at it. The caller keeps the keys: an
// equality callback on a stored number tells whether it names the key looked for, and a hash
// callback gives a stored number's full hash when slots move.
// A key assigned again hides its earlier number, which removal uncovers (the last duplicate
// wins until it goes). Numbers that replace others must grow until clear(), as they do when
// a list is indexed from the front. Removal shifts entries back rather than leaving
// tombstones, so probing stays short.
class FlatHashIndex {
public:
    static constexpr uint32_t None = UINT32_MAX;

    void clear() {
        m_slots = {};
        m_hidden = {};
        m_count = 0;
        m_numberBits = 0;
    }

    // The number of entries, one per distinct key.
    size_t size() const { return m_count; }
    // Whether a key has hidden another since the table was last emptied: until then each key
    // has one number.
    bool hidesAny() const { return !m_hidden.empty(); }
    // Bytes held, for the memory figures of the benchmarks.
    size_t capacityBytes() const {
        return m_slots.capacity() * sizeof(uint32_t) + m_hidden.capacity() * sizeof(m_hidden[0]);
    }

    // Starts empty with room for count entries numbered below count, without further growth;
    // memory it already holds is reused, so that one table can check many small lists in cache.
    void resetFor(size_t count) {
        m_hidden.clear();
        m_count = 0;
        m_numberBits = bitsFor(count);
        m_slots.assign(capacityFor(count), 0);
    }

    // Fills a table just made by resetFor(count), as assign would for each number below count
    // that indexed(number) accepts, in ascending order, under hashes[number]; equal(number,
    // other) tells whether both name the same key. Loading spends most of its time here, so the
    // table's figures are worked out once and growth is never checked for.
    template <class Indexed, class Equal>
    void fill(const uint32_t* hashes, uint32_t count, Indexed&& indexed, Equal&& equal) {
        const uint32_t numberMask = maskOf(m_numberBits);
        const uint32_t tagShift = m_numberBits >= 32 ? 0 : m_numberBits;
        const uint32_t tagMask = m_numberBits >= 32 ? 0 : UINT32_MAX;
        const size_t size = m_slots.size();
        uint32_t* table = m_slots.data();
        for (uint32_t number = 0; number < count; ++number) {
            if (!indexed(number)) {
                continue;
            }
            const uint32_t hash = hashes[number];
            const uint32_t tag = (hash << tagShift) & tagMask;
            for (size_t i = home(hash);; i = i + 1 == size ? 0 : i + 1) {
                const uint32_t slot = table[i];
                if (slot == 0) {
                    table[i] = tag | (number + 1);
                    ++m_count;
                    break;
                }
                if ((slot & ~numberMask) == tag && equal(number, (slot & numberMask) - 1)) {
                    m_hidden.emplace_back(number, (slot & numberMask) - 1);
                    table[i] = tag | (number + 1);
                    break;
                }
            }
        }
    }

    template <class Equal> uint32_t find(uint32_t hash, Equal&& equal) const {
        if (m_slots.empty()) {
            return None;
        }
        const uint32_t tag = tagOf(hash);
        const uint32_t numberMask = maskOf(m_numberBits);
        for (size_t i = home(hash);; i = next(i)) {
            const uint32_t slot = m_slots[i];
            if (slot == 0) {
                return None;
            }
            if ((slot & ~numberMask) == tag && equal((slot & numberMask) - 1)) {
                return (slot & numberMask) - 1;
            }
        }
    }

    // Points the key at number, replacing the entry of an equal key.
    template <class Equal, class HashOf> void assign(uint32_t hash, uint32_t number, Equal&& equal, HashOf&& hashOf) {
        if (number >= maskOf(m_numberBits) || (m_count + 1) * 4 > m_slots.size() * 3) {
            rebuild(std::max<size_t>(m_count + 1, number + 1), hashOf);
        }
        const uint32_t numberMask = maskOf(m_numberBits);
        const uint32_t tag = tagOf(hash);
        for (size_t i = home(hash);; i = next(i)) {
            uint32_t& slot = m_slots[i];
            if (slot == 0) {
                slot = tag | (number + 1);
                ++m_count;
                return;
            }
            if ((slot & ~numberMask) == tag && equal((slot & numberMask) - 1)) {
                m_hidden.emplace_back(number, (slot & numberMask) - 1);
                slot = tag | (number + 1);
                return;
            }
        }
    }

    // Removes the entry holding number, or points it at the number that number hid. The
    // number must not be assigned again.
    template <class HashOf> void remove(uint32_t hash, uint32_t number, HashOf&& hashOf) {
        const size_t found = slotOf(hash, number);
        if (found == m_slots.size()) {
            return;
        }
        const auto hidden = std::lower_bound(m_hidden.begin(), m_hidden.end(), std::make_pair(number, uint32_t(0)));
        if (hidden != m_hidden.end() && hidden->first == number) {
            m_slots[found] = tagOf(hash) | (hidden->second + 1);
        } else {
            erase(found, hashOf);
        }
    }

private:
    static uint32_t maskOf(uint32_t bits) { return bits >= 32 ? UINT32_MAX : (uint32_t(1) << bits) - 1; }
    // Numbers up to count, and None - 1 kept free so that number + 1 never wraps.
    static uint32_t bitsFor(size_t count) {
        uint32_t bits = 1;
        while (bits < 32 && maskOf(bits) <= count) {
            ++bits;
        }
        return bits;
    }
    // At most three slots in four taken; any size, so that a loaded section gets just that.
    static size_t capacityFor(size_t count) { return std::max<size_t>(4, count + count / 3 + 1); }

    // The hash's high bits choose the home slot (a multiply instead of a modulo), its low bits
    // make the tag.
    size_t home(uint32_t hash) const { return size_t((uint64_t(hash) * m_slots.size()) >> 32); }
    size_t next(size_t i) const { return i + 1 == m_slots.size() ? 0 : i + 1; }
    uint32_t tagOf(uint32_t hash) const { return m_numberBits >= 32 ? 0 : hash << m_numberBits; }

    size_t slotOf(uint32_t hash, uint32_t number) const {
        if (m_slots.empty()) {
            return 0;
        }
        const uint32_t numberMask = maskOf(m_numberBits);
        for (size_t i = home(hash); m_slots[i] != 0; i = next(i)) {
            if ((m_slots[i] & numberMask) == number + 1) {
                return i;
            }
        }
        return m_slots.size();
    }

    // Backward-shift deletion keeps every remaining entry reachable from its home slot.
    template <class HashOf> void erase(size_t hole, HashOf&& hashOf) {
        const uint32_t numberMask = maskOf(m_numberBits);
        for (size_t i = next(hole); m_slots[i] != 0; i = next(i)) {
            const size_t at = home(hashOf((m_slots[i] & numberMask) - 1));
            const bool movable = hole <= i ? (at <= hole || at > i) : (at <= hole && at > i);
            if (movable) {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole] = 0;
        --m_count;
    }

    // Room for count entries and numbers below twice count, with every slot recomputed.
    template <class HashOf> void rebuild(size_t count, HashOf&& hashOf) {
        const uint32_t oldMask = maskOf(m_numberBits);
        std::vector<uint32_t> old(capacityFor(2 * count), 0);
        old.swap(m_slots);
        m_numberBits = bitsFor(2 * count);
        for (const uint32_t slot : old) {
            if (slot == 0) {
                continue;
            }
            const uint32_t number = (slot & oldMask) - 1;
            const uint32_t hash = hashOf(number);
            size_t i = home(hash);
            while (m_slots[i] != 0) {
                i = next(i);
            }
            m_slots[i] = tagOf(hash) | (number + 1);
        }
    }

    std::vector<uint32_t> m_slots;
    // (number, the number it hid) in ascending order; entries of removed numbers stay until clear().
    std::vector<std::pair<uint32_t, uint32_t>> m_hidden;
    uint32_t m_count = 0;
    uint32_t m_numberBits = 0;
};
