#include "FlatHashIndex.h"
#include "TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

#include <map>
#include <vector>

// The index against a plain map of stacks, with hashes folded onto a few values so that
// tags collide, probe runs wrap around the table and removals shift long runs back.
class FlatHashIndexTest : public QObject {
    Q_OBJECT

private slots:
    void matchesMapOfStacks_data() {
        QTest::addColumn<quint32>("run");
        QTest::addColumn<quint32>("hashMask");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("preload"); // numbers put in through resetFor first
        QTest::addColumn<bool>("filled"); // preloaded in one fill, every fifth number left out
        QTest::newRow("one hash") << 1u << 0u << 40 << 0 << false;
        QTest::newRow("four hashes") << 2u << 0xC0000003u << 200 << 0 << false;
        QTest::newRow("low bits only") << 3u << 0xFFu << 3000 << 0 << false;
        QTest::newRow("high bits only") << 4u << 0xFF000000u << 3000 << 0 << false;
        QTest::newRow("full hashes") << 5u << 0xFFFFFFFFu << 5000 << 0 << false;
        QTest::newRow("preloaded, few hashes") << 6u << 0x80000001u << 300 << 100 << false;
        QTest::newRow("preloaded, full hashes") << 7u << 0xFFFFFFFFu << 5000 << 4000 << false;
        QTest::newRow("filled, one hash") << 8u << 0u << 30 << 60 << true;
        QTest::newRow("filled, few hashes") << 9u << 0x80000001u << 300 << 100 << true;
        QTest::newRow("filled, full hashes") << 10u << 0xFFFFFFFFu << 5000 << 4000 << true;
    }

    void matchesMapOfStacks() {
        QFETCH(quint32, run);
        QFETCH(quint32, hashMask);
        QFETCH(int, keys);
        QFETCH(int, preload);
        QFETCH(bool, filled);
        QRandomGenerator random(run);
        std::vector<int> keyOf;                       // by number
        std::map<int, std::vector<uint32_t>> visible; // by key, the last number on top
        const auto hashOfKey = [&](int key) { return (uint32_t(key) * 0x9E3779B1u ^ 0x5bd1e995u) & hashMask; };
        const auto hashOf = [&](uint32_t number) { return hashOfKey(keyOf[number]); };
        FlatHashIndex index;

        const auto assign = [&](int key) {
            const uint32_t number = uint32_t(keyOf.size());
            keyOf.push_back(key);
            index.assign(
                hashOfKey(key), number, [&](uint32_t other) { return keyOf[other] == key; }, hashOf);
            visible[key].push_back(number);
        };
        index.resetFor(size_t(preload));
        if (filled) {
            std::vector<uint32_t> hashes;
            for (int i = 0; i < preload; ++i) {
                keyOf.push_back(random.bounded(keys));
                hashes.push_back(hashOf(uint32_t(i)));
                if (i % 5 != 4) {
                    visible[keyOf.back()].push_back(uint32_t(i));
                }
            }
            index.fill(
                hashes.data(), uint32_t(preload), [](uint32_t number) { return number % 5 != 4; },
                [&](uint32_t number, uint32_t other) { return keyOf[number] == keyOf[other]; });
        } else {
            for (int i = 0; i < preload; ++i) {
                assign(random.bounded(keys));
            }
        }
        for (int step = 0; step < 4 * keys; ++step) {
            const int key = random.bounded(keys);
            const uint32_t found = index.find(hashOfKey(key), [&](uint32_t other) { return keyOf[other] == key; });
            auto& stack = visible[key];
            QCOMPARE(found, stack.empty() ? FlatHashIndex::None : stack.back());
            if (random.bounded(3) == 0 && !stack.empty()) {
                index.remove(hashOfKey(key), stack.back(), hashOf);
                stack.pop_back();
            } else if (random.bounded(2) == 0) {
                assign(key);
            }
        }
        size_t distinct = 0;
        for (const auto& [key, stack] : visible) {
            const uint32_t found =
                index.find(hashOfKey(key), [&, k = key](uint32_t other) { return keyOf[other] == k; });
            QCOMPARE(found, stack.empty() ? FlatHashIndex::None : stack.back());
            distinct += stack.empty() ? 0 : 1;
        }
        QCOMPARE(index.size(), distinct);
    }
};

TOLVANE_TEST(FlatHashIndexTest)
#include "FlatHashIndexTest.moc"
