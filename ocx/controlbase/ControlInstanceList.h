// The process-wide list of live controls, newest first. Hover tracking and the animation timers find
// their control through it. Every operation takes LibraryLock itself; a caller that walks the list
// holds LibraryLock for the whole walk.
#pragma once

namespace plyx {
class IQvBase;
}

struct ControlInstanceNode {
    plyx::IQvBase* control;
    ControlInstanceNode* next;
    ControlInstanceNode* prev;
};

class ControlInstanceList {
public:
    // Puts a new node for `control` at the head; null when out of memory (the control is then not
    // listed, which only hides it from the lookups).
    static ControlInstanceNode* Add(plyx::IQvBase* control);
    // Unlinks and frees the node; nothing for null.
    static void Remove(ControlInstanceNode* node);

    // The newest node; walk with `next` while holding LibraryLock.
    static ControlInstanceNode* Head();
    // True when `control` is listed (under LibraryLock).
    static bool Contains(const plyx::IQvBase* control);
    // The number of listed controls (under LibraryLock).
    static int Count();
};
