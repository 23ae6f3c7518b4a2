// The accelerators of a caption: every "&x" of it (a doubled "&&" is a literal ampersand) becomes Alt
// plus the key of x, and for a letter Alt+Shift too, so that the container hands either to the control.
#include "AboutBox.h"

#include <vector>

namespace plyx {

namespace {

// A caption this long converts on the stack; longer ones take the heap.
constexpr size_t StackCaptionBytes = 120;
constexpr WORD AcceleratorCommand = 1;

std::vector<char> MnemonicsOf(const char* caption)
{
    std::vector<char> mnemonics;
    if (caption == nullptr)
        return mnemonics;
    const size_t length = lstrlenA(caption);
    char onStack[StackCaptionBytes + 1];
    std::vector<char> onHeap;
    char* text = onStack;
    if (length > StackCaptionBytes) {
        onHeap.resize(length + 1);
        text = onHeap.data();
    }
    CopyMemory(text, caption, length + 1);
    CharUpperA(text);
    for (char* at = text; *at != '\0'; at = CharNextA(at)) {
        if (*at != '&')
            continue;
        char* next = CharNextA(at);
        if (*next == '\0')
            break;
        if (*next != '&')
            mnemonics.push_back(*next);
        // "&&" gives nothing, and the second ampersand starts nothing either.
        at = next;
    }
    return mnemonics;
}

} // namespace

BOOL BuildCaptionAccelerators(CONTROLINFO* info, const char* caption, DWORD flags)
{
    if (info == nullptr)
        return FALSE;
    std::vector<ACCEL> entries;
    for (char mnemonic : MnemonicsOf(caption)) {
        const SHORT key = VkKeyScanA(mnemonic);
        // A character no key of the keyboard types cannot be an accelerator.
        if (key == -1)
            continue;
        const WORD virtualKey = LOBYTE(key);
        if (mnemonic >= 'A' && mnemonic <= 'Z') {
            entries.push_back({FVIRTKEY | FALT, virtualKey, AcceleratorCommand});
            entries.push_back({FVIRTKEY | FALT | FSHIFT, virtualKey, AcceleratorCommand});
        } else {
            const BYTE shift = (key & 0x100) ? FSHIFT : 0;
            entries.push_back({static_cast<BYTE>(FVIRTKEY | FALT | shift), virtualKey, AcceleratorCommand});
        }
    }
    if (entries.empty())
        return FALSE;
    HACCEL table = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
    if (table == nullptr)
        return FALSE;
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = table;
    info->cAccel = static_cast<USHORT>(entries.size());
    info->dwFlags = flags;
    return TRUE;
}

} // namespace plyx
