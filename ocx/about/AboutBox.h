// The library's about box, which every control shows for its AboutBox method, and the keyboard
// accelerators a caption's mnemonics give a container.
#pragma once
#include <windows.h>
#include <ocidl.h>

class OleControl;

namespace plyx {

// Shows the about box modally. With a control, the dialog comes from the control's resource module,
// is owned by the control's top-level container window and the container's frame is told a modal
// dialog runs; without one, from the library's own module, owned by the foreground window of this
// process (if any).
void ShowAboutBox(OleControl* control);

// Fills `info` (size, a new accelerator table for every mnemonic of the ANSI caption, the entry count
// and `flags`) and answers TRUE; answers FALSE and leaves `info` alone when the caption has no
// mnemonic or the table cannot be made. The table belongs to the receiver of `info`.
BOOL BuildCaptionAccelerators(CONTROLINFO* info, const char* caption, DWORD flags);

} // namespace plyx
