#pragma once

#include "model/chunk_memory.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace korvix {

// Where a list gets the raw memory for its chunks of nodes. Returns nullptr (or throws
// std::bad_alloc) when memory is exhausted. Tests swap in a failing one.
using ChunkAllocator = void* (*)(std::size_t bytes);

inline void* defaultChunkAllocator(std::size_t bytes) {
    return ::operator new(bytes);
}

template <typename Node>
concept DoublyLinkedNode = requires(Node n) {
    { n.next } -> std::convertible_to<Node*>;
    { n.prev } -> std::convertible_to<Node*>;
};

// The one list mechanism of the program: a linked list of fixed-size nodes that come from
// a pool of chunks. The graphics database, the wire-frame store, the Z-level list, the
// crossing list and the tool shape list are all instances of it.
//
// Links stay explicit (`prev`/`next` in the node) because filters and editing commands
// relink records in place. Nodes never move in memory once allocated. Node payloads must
// be trivially destructible; a new node is value-initialised (all fields zero).
//
// Memory exhaustion never escapes: createFirst and append return false and change nothing.
template <typename Node> class NodeList {
    static_assert(std::is_trivially_destructible_v<Node>, "list nodes are released wholesale");

public:
    static constexpr bool kDoublyLinked = DoublyLinkedNode<Node>;

    NodeList() = default;
    explicit NodeList(ChunkAllocator allocator, std::size_t firstChunkNodes = 64)
        : m_allocator(allocator), m_nextChunkNodes(std::max<std::size_t>(1, firstChunkNodes)),
          m_firstChunkNodes(m_nextChunkNodes) {}
    NodeList(const NodeList&) = delete;
    NodeList& operator=(const NodeList&) = delete;
    NodeList(NodeList&& other) noexcept { takeFrom(other); }
    NodeList& operator=(NodeList&& other) noexcept {
        if (this != &other) {
            freeAll();
            takeFrom(other);
        }
        return *this;
    }
    ~NodeList() { releaseChunks(); }

    Node* head() const { return m_head; }
    bool allocated() const { return m_allocated; }
    // Goes up whenever a node is allocated or given back, or the list is replaced or
    // relinked here: an index of node pointers taken at one revision is sound while it stays.
    std::uint64_t revision() const { return m_revision; }

    // Allocates one node, makes it the head and marks the list allocated.
    bool createFirst() {
        Node* node = allocateNode();
        if (node == nullptr)
            return false;
        m_head = node;
        m_allocated = true;
        return true;
    }

    // Allocates a node and links it after `current` (the tail), then makes `current` refer
    // to it.
    bool append(Node*& current) {
        Node* node = allocateNode();
        if (node == nullptr)
            return false;
        current->next = node;
        if constexpr (kDoublyLinked)
            node->prev = current;
        current = node;
        return true;
    }

    // Releases every node. Harmless on a list that is not allocated.
    void freeAll() {
        ++m_revision;
        if (!m_allocated)
            return;
        m_allocated = false;
        m_head = nullptr;
        releaseChunks();
    }

    // The last node and the number of nodes; (head, 0) when the list is not allocated.
    std::pair<Node*, std::size_t> lastAndCount() const {
        if (!m_allocated)
            return {m_head, 0};
        Node* last = m_head;
        std::size_t count = 1;
        while (last->next != nullptr) {
            last = last->next;
            ++count;
        }
        return {last, count};
    }

    // Takes over every node of `other` and links them after `tail`, the last node of this
    // list (null when this list is not allocated: `other`'s first node becomes the head).
    // No node moves and none is copied: the chunks change owner, so this costs as little for
    // millions of nodes as for one. `other` is left empty. Both lists must give their chunks
    // back the same way (the default allocator, or allocators of ::operator new memory).
    // False, with both lists as they were, when the chunk table cannot grow.
    bool spliceAfter(Node* tail, NodeList& other) {
        if (!other.m_allocated || &other == this)
            return true;
        try {
            m_chunks.reserve(m_chunks.size() + other.m_chunks.size());
        } catch (const std::bad_alloc&) {
            return false;
        }
        // Neither list may show a revision an index of the other was taken at.
        m_revision = std::max(m_revision, other.m_revision) + 1;
        other.m_revision = m_revision + 1;
        Node* const first = other.m_head;
        if (tail == nullptr) {
            freeAll();
            m_head = first;
            m_allocated = true;
        } else {
            tail->next = first;
            if constexpr (kDoublyLinked)
                first->prev = tail;
        }
        m_chunks.insert(m_chunks.end(), other.m_chunks.begin(), other.m_chunks.end());
        m_reservedBytes += other.m_reservedBytes;
        while (other.m_freeNodes != nullptr) {
            Node* const node = other.m_freeNodes;
            other.m_freeNodes = node->next;
            release(node);
        }
        // New nodes come from whichever current chunk has more room left; the rest of the
        // other one stays unused until the list is freed.
        if (other.m_capacity - other.m_used > m_capacity - m_used) {
            m_chunkBase = other.m_chunkBase;
            m_capacity = other.m_capacity;
            m_used = other.m_used;
        }
        m_nextChunkNodes = std::max(m_nextChunkNodes, other.m_nextChunkNodes);
        other.m_chunks.clear();
        other.m_head = nullptr;
        other.m_allocated = false;
        other.m_chunkBase = nullptr;
        other.m_capacity = 0;
        other.m_used = 0;
        other.m_reservedBytes = 0;
        other.m_nextChunkNodes = other.m_firstChunkNodes;
        return true;
    }

    // Returns a node that the caller has already unlinked to the pool for reuse. Unlinking
    // the head is the caller's job too (see setHead).
    void release(Node* node) {
        ++m_revision;
        node->next = m_freeNodes;
        m_freeNodes = node;
    }

    // For commands that relink the list in place and end up with a different first node.
    void setHead(Node* node) {
        ++m_revision;
        m_head = node;
        m_allocated = node != nullptr;
    }

    // Rebuilds the list in ascending order of key(node); nodes with equal keys keep their
    // order. Used for the crossings of a move with the trimming polygon.
    template <typename KeyFn> void sortByKey(KeyFn key) {
        if (!m_allocated)
            return;
        std::vector<Node*> nodes;
        for (Node* n = m_head; n != nullptr; n = n->next)
            nodes.push_back(n);
        std::stable_sort(nodes.begin(), nodes.end(),
                         [&](const Node* a, const Node* b) { return key(*a) < key(*b); });
        Node* previous = nullptr;
        for (Node* n : nodes) {
            if constexpr (kDoublyLinked)
                n->prev = previous;
            if (previous != nullptr)
                previous->next = n;
            previous = n;
        }
        previous->next = nullptr;
        m_head = nodes.front();
        ++m_revision;
    }

    // Bytes held by the pool (for the memory benchmarks).
    std::size_t reservedBytes() const { return m_reservedBytes; }

private:
    Node* allocateNode() {
        ++m_revision;
        void* slot = nullptr;
        if (m_freeNodes != nullptr) {
            slot = m_freeNodes;
            m_freeNodes = m_freeNodes->next;
        } else {
            if (m_used == m_capacity && !addChunk())
                return nullptr;
            slot = m_chunkBase + m_used * sizeof(Node);
            ++m_used;
        }
        return ::new (slot) Node{};
    }

    bool addChunk() {
        const std::size_t nodes = m_nextChunkNodes;
        const std::size_t bytes = nodes * sizeof(Node);
        // Big chunks of the default allocator come from huge-page memory (chunk_memory.h).
        const bool large = m_allocator == &defaultChunkAllocator && bytes >= kLargeChunkBytes;
        void* memory = nullptr;
        try {
            if (m_chunks.size() == m_chunks.capacity())
                m_chunks.reserve(m_chunks.size() * 2 + 8);
            memory = large ? allocateLargeChunk(bytes) : m_allocator(bytes);
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (memory == nullptr)
            return false;
        m_chunks.push_back({memory, large ? bytes : 0}); // cannot throw: capacity reserved
        m_chunkBase = static_cast<std::byte*>(memory);
        m_capacity = nodes;
        m_used = 0;
        m_reservedBytes += nodes * sizeof(Node);
        m_nextChunkNodes = std::min<std::size_t>(nodes * 2, kMaxChunkNodes);
        return true;
    }

    void releaseChunks() {
        for (const Chunk& chunk : m_chunks) {
            if (chunk.largeBytes != 0)
                releaseLargeChunk(chunk.memory, chunk.largeBytes);
            else
                ::operator delete(chunk.memory);
        }
        m_chunks.clear();
        m_chunkBase = nullptr;
        m_capacity = 0;
        m_used = 0;
        m_freeNodes = nullptr;
        m_reservedBytes = 0;
        m_nextChunkNodes = m_firstChunkNodes;
    }

    void takeFrom(NodeList& other) {
        // Neither list may show a revision an index of the other was taken at.
        m_revision = std::max(m_revision, other.m_revision) + 1;
        other.m_revision = m_revision + 1;
        m_allocator = other.m_allocator;
        m_head = std::exchange(other.m_head, nullptr);
        m_allocated = std::exchange(other.m_allocated, false);
        m_chunks = std::move(other.m_chunks);
        other.m_chunks.clear();
        m_chunkBase = std::exchange(other.m_chunkBase, nullptr);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_used = std::exchange(other.m_used, 0);
        m_freeNodes = std::exchange(other.m_freeNodes, nullptr);
        m_reservedBytes = std::exchange(other.m_reservedBytes, 0);
        m_firstChunkNodes = other.m_firstChunkNodes;
        m_nextChunkNodes = std::exchange(other.m_nextChunkNodes, other.m_firstChunkNodes);
    }

    // Chunks grow geometrically so that small lists stay small, up to about 32 MiB, so that
    // big ones cost few allocations and can live in huge pages.
    static constexpr std::size_t kMaxChunkNodes =
        std::max<std::size_t>(16384, (std::size_t{32} << 20) / sizeof(Node));

    struct Chunk {
        void* memory;
        std::size_t largeBytes; // 0 when the memory came from m_allocator
    };

    ChunkAllocator m_allocator = &defaultChunkAllocator;
    Node* m_head = nullptr;
    bool m_allocated = false;
    std::vector<Chunk> m_chunks;
    std::byte* m_chunkBase = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;
    Node* m_freeNodes = nullptr;
    std::size_t m_reservedBytes = 0;
    std::size_t m_nextChunkNodes = 64;
    std::size_t m_firstChunkNodes = 64;
    std::uint64_t m_revision = 0;
};

} // namespace korvix
