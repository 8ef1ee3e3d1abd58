#include "model/graphics_database.h"
#include "model/list_payloads.h"

#include <gtest/gtest.h>
#include <new>
#include <vector>

namespace korvix {
namespace {

template <typename Node> std::vector<Node*> walk(const NodeList<Node>& list) {
    std::vector<Node*> nodes;
    for (Node* n = list.head(); n != nullptr; n = n->next)
        nodes.push_back(n);
    return nodes;
}

// Builds a list of `count` nodes and checks links both ways where the node has them.
template <typename Node> void buildAndCheck(NodeList<Node>& list, int count) {
    ASSERT_TRUE(list.createFirst());
    Node* current = list.head();
    for (int i = 1; i < count; ++i)
        ASSERT_TRUE(list.append(current));
    const auto [last, n] = list.lastAndCount();
    EXPECT_EQ(n, static_cast<std::size_t>(count));
    EXPECT_EQ(last, current);
    const std::vector<Node*> nodes = walk(list);
    ASSERT_EQ(nodes.size(), static_cast<std::size_t>(count));
    if constexpr (NodeList<Node>::kDoublyLinked) {
        EXPECT_EQ(nodes.front()->prev, nullptr);
        for (std::size_t i = 1; i < nodes.size(); ++i)
            EXPECT_EQ(nodes[i]->prev, nodes[i - 1]);
    }
}

template <typename T> class EveryListKind : public ::testing::Test {};
using ListKinds = ::testing::Types<MoveRecord, WireframePoint, ZLevel, Crossing, ToolShapePoint>;
TYPED_TEST_SUITE(EveryListKind, ListKinds);

TYPED_TEST(EveryListKind, AppendCountFreeAndFreeAgain) {
    NodeList<TypeParam> list;
    EXPECT_FALSE(list.allocated());
    EXPECT_EQ(list.lastAndCount().second, 0u);
    EXPECT_EQ(list.lastAndCount().first, nullptr);

    // Enough nodes to span several pool chunks.
    buildAndCheck(list, 5000);
    list.freeAll();
    EXPECT_FALSE(list.allocated());
    EXPECT_EQ(list.head(), nullptr);
    list.freeAll(); // harmless when repeated
    EXPECT_EQ(list.lastAndCount().second, 0u);

    // The list is usable again after being freed.
    buildAndCheck(list, 3);
}

TEST(NodeList, NewNodesStartZeroedEvenWhenReused) {
    NodeList<MoveRecord> list;
    ASSERT_TRUE(list.createFirst());
    MoveRecord* current = list.head();
    ASSERT_TRUE(list.append(current));
    current->x = 5;
    current->color = 0xFF;
    // Unlink the tail and give it back to the pool; the next append reuses its memory.
    MoveRecord* tail = current;
    current = tail->prev;
    current->next = nullptr;
    list.release(tail);
    ASSERT_TRUE(list.append(current));
    EXPECT_EQ(current, tail);
    EXPECT_EQ(current->x, 0.0f);
    EXPECT_EQ(current->color, 0u);
    EXPECT_EQ(current->next, nullptr);
}

TEST(NodeList, MovedListKeepsItsNodes) {
    NodeList<MoveRecord> built;
    ASSERT_TRUE(built.createFirst());
    MoveRecord* current = built.head();
    ASSERT_TRUE(built.append(current));
    current->x = 7;
    NodeList<MoveRecord> target;
    target = std::move(built);
    EXPECT_FALSE(built.allocated());
    EXPECT_EQ(target.lastAndCount().second, 2u);
    EXPECT_EQ(target.lastAndCount().first->x, 7.0f);
}

// An allocator that runs out of memory after a set number of chunks.
int g_chunksLeft = 0;
void* limitedAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        throw std::bad_alloc();
    return ::operator new(bytes);
}
void* nullAllocator(std::size_t) {
    return nullptr;
}

TEST(NodeList, MemoryExhaustionIsAFalseResultAndChangesNothing) {
    g_chunksLeft = 0;
    NodeList<MoveRecord> empty(&limitedAllocator, 4);
    EXPECT_FALSE(empty.createFirst());
    EXPECT_FALSE(empty.allocated());

    g_chunksLeft = 1; // one chunk of 4 nodes, then nothing
    NodeList<MoveRecord> list(&limitedAllocator, 4);
    ASSERT_TRUE(list.createFirst());
    MoveRecord* current = list.head();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(list.append(current));
    MoveRecord* tail = current;
    EXPECT_FALSE(list.append(current));
    EXPECT_EQ(current, tail);
    EXPECT_EQ(tail->next, nullptr);
    EXPECT_EQ(list.lastAndCount().second, 4u);
    list.freeAll();

    NodeList<WireframePoint> nothing(&nullAllocator, 4);
    EXPECT_FALSE(nothing.createFirst());
}

TEST(CrossingList, SortByKeyIsStableAndRelinks) {
    CrossingList list;
    const float keys[] = {3.0f, 1.0f, 2.0f, 1.0f, 0.5f};
    ASSERT_TRUE(list.createFirst());
    Crossing* current = list.head();
    current->distance = keys[0];
    current->x = 0;
    for (int i = 1; i < 5; ++i) {
        ASSERT_TRUE(list.append(current));
        current->distance = keys[i];
        current->x = static_cast<float>(i); // remembers the original position
    }
    sortByKey(list);
    std::vector<float> distances, origins;
    Crossing* previous = nullptr;
    for (Crossing* c = list.head(); c != nullptr; c = c->next) {
        EXPECT_EQ(c->prev, previous);
        previous = c;
        distances.push_back(c->distance);
        origins.push_back(c->x);
    }
    EXPECT_EQ(distances, (std::vector<float>{0.5f, 1.0f, 1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(origins, (std::vector<float>{4, 1, 3, 2, 0})); // the earlier 1.0 first
    EXPECT_EQ(list.lastAndCount().first->distance, 3.0f);
}

TEST(MoveRecord, FitsTheMemoryBudget) {
    // The reader's memory target is 96 bytes of resident memory per stored record.
    EXPECT_LE(sizeof(MoveRecord), 88u);
}

} // namespace
} // namespace korvix
