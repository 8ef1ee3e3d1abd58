#include "model/chunk_memory.h"

#include <new>

#if defined(__linux__)
#include <cstdint>
#include <sys/mman.h>
#endif

namespace korvix {

#if defined(__linux__)

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t value, std::size_t unit) {
    return (value + unit - 1) / unit * unit;
}

} // namespace

// Anonymous memory aligned to a huge page and marked for huge pages: the kernel then backs
// the whole chunk with them as it is touched (when transparent huge pages are enabled at
// all; otherwise it is ordinary memory).
void* allocateLargeChunk(std::size_t bytes) {
    const std::size_t size = roundUp(bytes, kHugePage);
    const std::size_t reserve = size + kHugePage;
    void* mapped =
        mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = roundUp(start, kHugePage);
    if (aligned > start)
        munmap(mapped, aligned - start);
    const std::uintptr_t end = start + reserve;
    if (end > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    void* chunk = reinterpret_cast<void*>(aligned);
    madvise(chunk, size, MADV_HUGEPAGE);
    return chunk;
}

void releaseLargeChunk(void* chunk, std::size_t bytes) {
    if (chunk != nullptr)
        munmap(chunk, roundUp(bytes, kHugePage));
}

#else

void* allocateLargeChunk(std::size_t bytes) {
    return ::operator new(bytes, std::nothrow);
}

void releaseLargeChunk(void* chunk, std::size_t) {
    ::operator delete(chunk);
}

#endif

} // namespace korvix
