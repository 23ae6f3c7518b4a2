// The program's entry. Until the main menu is hosted here, the program reads the item file of the
// current folder once, as every window that loads it does, and reports a file it cannot read.
#include <windows.h>

#include "items/ItemFile.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (korvane::CheckItemFileReadable() == korvane::ItemFileStatus::Ok)
        return 0;
    MessageBoxA(nullptr, korvane::kItemFileErrorText, korvane::kErrorConditionTitle, MB_OK | MB_ICONHAND);
    return 1;
}
