#pragma once

#include <cstddef>

namespace korvix {

// Memory for the big chunks of node pools. A toolpath of millions of records fills hundreds
// of megabytes in one go; where the system offers huge pages, the chunk is backed by them,
// so that the memory arrives in a few hundred steps instead of a few hundred thousand
// (first-touch page faults cost more than the reading itself). Elsewhere it is plain heap.
//
// Chunks of at least kLargeChunkBytes take this path.
inline constexpr std::size_t kLargeChunkBytes = std::size_t{4} << 20;

// nullptr when memory is exhausted.
void* allocateLargeChunk(std::size_t bytes);
// `bytes` must be the size given to allocateLargeChunk.
void releaseLargeChunk(void* chunk, std::size_t bytes);

} // namespace korvix
