// The automation errors raised by the library's own code: an HRESULT 0x800A0000 plus the error number,
// and the id of the string resource that describes it.
#pragma once
#include <windows.h>

struct ControlError {
    HRESULT hr;
    UINT stringId;
};

namespace ControlErrorCodes {

constexpr ControlError InvalidPropertyValue{static_cast<HRESULT>(0x800A017C), 10380};
constexpr ControlError PropertyUnavailableAtDesignTime{static_cast<HRESULT>(0x800A018A), 10501};
constexpr ControlError BevelWidth0To30{static_cast<HRESULT>(0x800A7532), 40002};
constexpr ControlError BorderWidth0To30{static_cast<HRESULT>(0x800A7533), 40003};
constexpr ControlError BevelWidth0To10{static_cast<HRESULT>(0x800A7534), 40004};
constexpr ControlError GroupNumber0To99{static_cast<HRESULT>(0x800A7535), 40005};
constexpr ControlError FloodPercent0To100{static_cast<HRESULT>(0x800A7536), 40006};
constexpr ControlError BackStyleTransparentAtRunTime{static_cast<HRESULT>(0x800A7539), 1006};

// Texts of the string table without an error of their own.
constexpr UINT InvalidPropertyArrayIndexText = 10381;
constexpr UINT PropertyIsReadOnlyText = 10500;

} // namespace ControlErrorCodes
