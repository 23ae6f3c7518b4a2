// A device context for the device an OLE target-device description names.
#pragma once
#include <windows.h>
#include <objidl.h>

// A DC for the target device, or for the display when none is given; null when it cannot be made.
// The caller deletes it with DeleteDC.
HDC CreateTargetDC(const DVTARGETDEVICE* targetDevice);
