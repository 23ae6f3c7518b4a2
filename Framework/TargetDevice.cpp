#include "TargetDevice.h"

#include "AnsiString.h"

#include <cstddef>
#include <algorithm>
#include <cstring>
#include <new>

namespace {

// The wide text at an offset of the description, as ANSI; empty when the offset is 0.
AnsiString TextAt(const DVTARGETDEVICE* device, WORD offset)
{
    AnsiString text;
    if (offset != 0)
        text.AssignWide(reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(device) + offset));
    return text;
}

void WideNameToAnsi(const WCHAR (&from)[CCHDEVICENAME], BYTE (&to)[CCHDEVICENAME])
{
    WCHAR name[CCHDEVICENAME + 1] = {};
    std::memcpy(name, from, sizeof(from));
    std::memset(to, 0, sizeof(to));
    WideCharToMultiByte(CP_ACP, 0, name, -1, reinterpret_cast<char*>(to), CCHDEVICENAME, nullptr, nullptr);
}

// The ANSI form of a wide device mode, with the driver's private bytes after it; null when out of memory.
DEVMODEA* ToAnsiDeviceMode(const DEVMODEW* wide)
{
    const size_t size = sizeof(DEVMODEA) + wide->dmDriverExtra;
    auto* ansi = static_cast<DEVMODEA*>(::operator new(size, std::nothrow));
    if (ansi == nullptr)
        return nullptr;
    std::memset(ansi, 0, size);
    WideNameToAnsi(wide->dmDeviceName, ansi->dmDeviceName);
    // The fields between the two names have the same layout in both forms.
    std::memcpy(&ansi->dmSpecVersion, &wide->dmSpecVersion,
                offsetof(DEVMODEW, dmFormName) - offsetof(DEVMODEW, dmSpecVersion));
    WideNameToAnsi(wide->dmFormName, ansi->dmFormName);
    // So do the fields after the form name, as far as the wide form has them.
    const size_t tailStart = offsetof(DEVMODEW, dmLogPixels);
    if (wide->dmSize > tailStart) {
        const size_t tail = std::min<size_t>(wide->dmSize - tailStart, sizeof(DEVMODEA) - offsetof(DEVMODEA, dmLogPixels));
        std::memcpy(&ansi->dmLogPixels, &wide->dmLogPixels, tail);
    }
    ansi->dmSize = sizeof(DEVMODEA);
    ansi->dmDriverExtra = wide->dmDriverExtra;
    std::memcpy(reinterpret_cast<BYTE*>(ansi) + sizeof(DEVMODEA), reinterpret_cast<const BYTE*>(wide) + wide->dmSize,
                wide->dmDriverExtra);
    return ansi;
}

} // namespace

HDC CreateTargetDC(const DVTARGETDEVICE* targetDevice)
{
    if (targetDevice == nullptr)
        return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const AnsiString driver = TextAt(targetDevice, targetDevice->tdDriverNameOffset);
    const AnsiString device = TextAt(targetDevice, targetDevice->tdDeviceNameOffset);
    const AnsiString port = TextAt(targetDevice, targetDevice->tdPortNameOffset);
    DEVMODEA* deviceMode = nullptr;
    if (targetDevice->tdExtDevmodeOffset != 0) {
        deviceMode = ToAnsiDeviceMode(reinterpret_cast<const DEVMODEW*>(
            reinterpret_cast<const BYTE*>(targetDevice) + targetDevice->tdExtDevmodeOffset));
        if (deviceMode == nullptr)
            return nullptr;
    }
    HDC dc = CreateDCA(driver.IsEmpty() ? nullptr : driver.Text(), device.IsEmpty() ? nullptr : device.Text(),
                       port.IsEmpty() ? nullptr : port.Text(), deviceMode);
    ::operator delete(deviceMode);
    return dc;
}
