#include "CommonStateBlock.h"

#include <cstddef>
#include <cstring>

#define COMMON_OFFSET(field) static_cast<DWORD>(offsetof(CommonStateBlock, field))

PropertyTableRow CommonPropertyTable[] = {
    {L"Font3D", COMMON_OFFSET(font3D), 0, VT_I2, 1},
    {L"MousePointer", COMMON_OFFSET(mousePointer), 0, VT_I2, 1},
    {L"CaptionStyle", COMMON_OFFSET(captionStyle), 0, VT_I2, 1},
    {L"MarqueeDirection", COMMON_OFFSET(marqueeDirection), 0, VT_I2, 1},
    {L"MarqueeStyle", COMMON_OFFSET(marqueeStyle), 0, VT_I2, 1},
    {L"OLEDropMode", COMMON_OFFSET(oleDropMode), 0, VT_I2, 1},
    {L"ForeColor", COMMON_OFFSET(foreColor), DefaultForeColor, VT_I4, 4},
    {L"BackColor", COMMON_OFFSET(backColor), DefaultBackColor, VT_I4, 4},
    {L"PictureMaskColor", COMMON_OFFSET(pictureMaskColor), DefaultPictureMaskColor, VT_I4, 4},
    {L"PictureAnimationDelay", COMMON_OFFSET(pictureAnimationDelay), DefaultPictureAnimationDelay, VT_I2, 2},
    {L"MarqueeDelay", COMMON_OFFSET(marqueeDelay), DefaultMarqueeDelay, VT_I2, 2},
    {L"PictureFrames", COMMON_OFFSET(pictureFrames), 0, VT_I2, 2},
    {L"MarqueeScrollAmount", COMMON_OFFSET(marqueeScrollAmount), DefaultMarqueeScrollAmount, VT_I2, 2},
    {L"BackStyle", COMMON_OFFSET(backStyle), 0, VT_I2, 1},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

namespace {

// The values a put accepts for each ranged field; a loaded value outside them takes the default.
struct FieldRange {
    DWORD offset;
    DWORD size;
    DWORD lowest;
    DWORD highest;
    DWORD alsoAllowed;  // one more value outside the range (the custom mouse pointer)
    DWORD defaultValue;
};

constexpr DWORD NoOther = 0xFFFFFFFF;
constexpr DWORD Largest = 32767;

const FieldRange CommonRanges[] = {
    {COMMON_OFFSET(font3D), 1, 0, 5, NoOther, 0},
    {COMMON_OFFSET(mousePointer), 1, 0, 15, 99, 0},
    {COMMON_OFFSET(captionStyle), 1, 0, 1, NoOther, 0},
    {COMMON_OFFSET(marqueeDirection), 1, 0, 3, NoOther, 0},
    {COMMON_OFFSET(marqueeStyle), 1, 0, 4, NoOther, 0},
    {COMMON_OFFSET(oleDropMode), 1, 0, 2, NoOther, 0},
    {COMMON_OFFSET(backStyle), 1, 0, 1, NoOther, 0},
    {COMMON_OFFSET(pictureAnimationDelay), 2, 0, Largest, NoOther, DefaultPictureAnimationDelay},
    {COMMON_OFFSET(marqueeDelay), 2, 0, Largest, NoOther, DefaultMarqueeDelay},
    {COMMON_OFFSET(marqueeScrollAmount), 2, 1, Largest, NoOther, DefaultMarqueeScrollAmount},
    {COMMON_OFFSET(pictureFrames), 2, 0, Largest, NoOther, 0},
};

} // namespace

int ValidateCommonBlock(CommonStateBlock* block)
{
    int replaced = 0;
    BYTE* bytes = reinterpret_cast<BYTE*>(block);
    for (const FieldRange& range : CommonRanges) {
        DWORD value = 0;
        std::memcpy(&value, bytes + range.offset, range.size);
        if ((value >= range.lowest && value <= range.highest) || value == range.alsoAllowed)
            continue;
        std::memcpy(bytes + range.offset, &range.defaultValue, range.size);
        ++replaced;
    }
    block->flags &= CommonStateBlock::StoredFlags;
    return replaced;
}
