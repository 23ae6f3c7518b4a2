#include "CommonStateBlock.h"

#include <cstddef>

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
