#include "ControlInstanceList.h"

#include "LibraryLock.h"

#include <new>

namespace {
ControlInstanceNode* g_head = nullptr;
}

ControlInstanceNode* ControlInstanceList::Add(plyx::IQvBase* control)
{
    ControlInstanceNode* node = new (std::nothrow) ControlInstanceNode{control, nullptr, nullptr};
    if (node == nullptr)
        return nullptr;
    LibraryLock::Scope lock;
    node->next = g_head;
    if (g_head != nullptr)
        g_head->prev = node;
    g_head = node;
    return node;
}

void ControlInstanceList::Remove(ControlInstanceNode* node)
{
    if (node == nullptr)
        return;
    {
        LibraryLock::Scope lock;
        if (node->prev != nullptr)
            node->prev->next = node->next;
        else
            g_head = node->next;
        if (node->next != nullptr)
            node->next->prev = node->prev;
    }
    delete node;
}

ControlInstanceNode* ControlInstanceList::Head()
{
    return g_head;
}

bool ControlInstanceList::Contains(const plyx::IQvBase* control)
{
    LibraryLock::Scope lock;
    for (ControlInstanceNode* node = g_head; node != nullptr; node = node->next)
        if (node->control == control)
            return true;
    return false;
}

int ControlInstanceList::Count()
{
    LibraryLock::Scope lock;
    int count = 0;
    for (ControlInstanceNode* node = g_head; node != nullptr; node = node->next)
        ++count;
    return count;
}
