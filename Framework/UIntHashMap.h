// A hash map keyed by unsigned 32-bit values holding pointer-sized values, with nodes taken from
// blocks so that a busy map does not allocate per entry.
#pragma once
#include <windows.h>

class UIntHashMap {
public:
    static constexpr UINT BucketCount = 17;

    explicit UIntHashMap(int blockSize);
    ~UIntHashMap();
    UIntHashMap(const UIntHashMap&) = delete;
    UIntHashMap& operator=(const UIntHashMap&) = delete;

    // The value slot of the key, inserted with value 0 when absent; null when out of memory.
    UINT_PTR* ValueAt(UINT key);
    bool Lookup(UINT key, UINT_PTR* value) const;
    bool RemoveKey(UINT key);
    void RemoveAll();

    int Count() const { return count_; }
    // The bucket a key falls into.
    static UINT BucketOf(UINT key) { return (key >> 4) % BucketCount; }
    // True while the bucket array is allocated (from the first insertion until the map is empty again).
    bool HasBuckets() const { return buckets_ != nullptr; }
    // The keys of one bucket's chain, newest first, into `keys` (at most `capacity`); the chain length.
    int KeysInBucket(UINT bucket, UINT* keys, int capacity) const;

private:
    struct Node {
        Node* next;
        UINT bucket;
        UINT key;
        UINT_PTR value;
    };
    struct Block {
        Block* next;
        // blockSize nodes follow.
    };

    Node* Find(UINT key) const;

    Node** buckets_ = nullptr;
    int count_ = 0;
    Node* freeNodes_ = nullptr;
    Block* blocks_ = nullptr;
    int blockSize_;
};
