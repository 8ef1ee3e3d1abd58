#include "model/chunk_memory.h"
#include "model/move_record.h"
#include "model/node_list.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

TEST(ChunkMemory, LargeChunksAreWritableAndAlignedForHugePages) {
    const std::size_t bytes = kLargeChunkBytes + 12345;
    void* chunk = allocateLargeChunk(bytes);
    ASSERT_NE(chunk, nullptr);
#if defined(__linux__)
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(chunk) % (std::size_t{2} << 20), 0u);
#endif
    std::memset(chunk, 0x5A, bytes);
    EXPECT_EQ(static_cast<unsigned char*>(chunk)[bytes - 1], 0x5A);
    releaseLargeChunk(chunk, bytes);
}

TEST(ChunkMemory, ABigListKeepsItsLinksAcrossLargeChunks) {
    NodeList<MoveRecord> list;
    constexpr int kNodes = 300000; // well past the first chunk of huge-page memory
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(list.createFirst());
        MoveRecord* tail = list.head();
        for (int i = 1; i < kNodes; ++i) {
            ASSERT_TRUE(list.append(tail));
            EXPECT_EQ(tail->kind, 0); // value-initialised
            tail->sequence = i;
        }
        EXPECT_GE(list.reservedBytes(), kNodes * sizeof(MoveRecord));
        int expected = 0;
        const MoveRecord* previous = nullptr;
        for (const MoveRecord* r = list.head(); r != nullptr; r = r->next) {
            ASSERT_EQ(r->sequence, expected++);
            ASSERT_EQ(r->prev, previous);
            previous = r;
        }
        EXPECT_EQ(expected, kNodes);
        list.freeAll();
        EXPECT_EQ(list.reservedBytes(), 0u);
    }
}

} // namespace
} // namespace korvix::test
