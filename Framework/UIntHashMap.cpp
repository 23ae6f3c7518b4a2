#include "UIntHashMap.h"

#include "Module.h"

#include <cstring>

UIntHashMap::UIntHashMap(int blockSize)
    : blockSize_(blockSize > 0 ? blockSize : 10)
{
}

UIntHashMap::~UIntHashMap()
{
    RemoveAll();
}

UIntHashMap::Node* UIntHashMap::Find(UINT key) const
{
    if (buckets_ == nullptr)
        return nullptr;
    for (Node* node = buckets_[BucketOf(key)]; node != nullptr; node = node->next) {
        if (node->key == key)
            return node;
    }
    return nullptr;
}

UINT_PTR* UIntHashMap::ValueAt(UINT key)
{
    if (Node* found = Find(key))
        return &found->value;

    if (buckets_ == nullptr) {
        buckets_ = static_cast<Node**>(Module::Allocate(sizeof(Node*) * BucketCount));
        if (buckets_ == nullptr)
            return nullptr;
        std::memset(buckets_, 0, sizeof(Node*) * BucketCount);
    }
    if (freeNodes_ == nullptr) {
        auto* block = static_cast<Block*>(
            Module::Allocate(sizeof(Block) + sizeof(Node) * static_cast<std::size_t>(blockSize_)));
        if (block == nullptr)
            return nullptr;
        block->next = blocks_;
        blocks_ = block;
        // Pushed from the last to the first, so the block's first node is taken first.
        Node* nodes = reinterpret_cast<Node*>(block + 1);
        for (int i = blockSize_ - 1; i >= 0; --i) {
            nodes[i].next = freeNodes_;
            freeNodes_ = &nodes[i];
        }
    }
    Node* node = freeNodes_;
    freeNodes_ = node->next;
    ++count_;
    node->key = key;
    node->bucket = BucketOf(key);
    node->value = 0;
    node->next = buckets_[node->bucket];
    buckets_[node->bucket] = node;
    return &node->value;
}

bool UIntHashMap::Lookup(UINT key, UINT_PTR* value) const
{
    const Node* node = Find(key);
    if (node == nullptr)
        return false;
    if (value != nullptr)
        *value = node->value;
    return true;
}

bool UIntHashMap::RemoveKey(UINT key)
{
    if (buckets_ == nullptr)
        return false;
    for (Node** link = &buckets_[BucketOf(key)]; *link != nullptr; link = &(*link)->next) {
        Node* node = *link;
        if (node->key != key)
            continue;
        *link = node->next;
        node->next = freeNodes_;
        freeNodes_ = node;
        if (--count_ == 0)
            RemoveAll();
        return true;
    }
    return false;
}

void UIntHashMap::RemoveAll()
{
    Module::Free(buckets_);
    buckets_ = nullptr;
    while (blocks_ != nullptr) {
        Block* next = blocks_->next;
        Module::Free(blocks_);
        blocks_ = next;
    }
    freeNodes_ = nullptr;
    count_ = 0;
}

int UIntHashMap::KeysInBucket(UINT bucket, UINT* keys, int capacity) const
{
    if (buckets_ == nullptr || bucket >= BucketCount)
        return 0;
    int length = 0;
    for (const Node* node = buckets_[bucket]; node != nullptr; node = node->next) {
        if (keys != nullptr && length < capacity)
            keys[length] = node->key;
        ++length;
    }
    return length;
}
