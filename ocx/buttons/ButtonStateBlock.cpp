#include "ButtonStateBlock.h"

const PropertyTableRow ButtonPropertyTable[] = {
    {L"AutoSize", offsetof(ButtonStateBlock, autoSize), 0, VT_I2, 1},
    {L"Alignment", offsetof(ButtonStateBlock, alignment), 7, VT_I2, 1},
    {L"ButtonStyle", offsetof(ButtonStateBlock, buttonStyle), 0, VT_I2, 1},
    {L"PictureAlignment", offsetof(ButtonStateBlock, pictureAlignment), 7, VT_I2, 1},
    {L"BevelWidth", offsetof(ButtonStateBlock, bevelWidth), 2, VT_I2, 1},
    {L"PictureDisabledFrames", offsetof(ButtonStateBlock, pictureDisabledFrames), 0, VT_I2, 2},
    {L"PictureDnFrames", offsetof(ButtonStateBlock, pictureDnFrames), 0, VT_I2, 2},
    {L"PictureDnDisabledFrames", offsetof(ButtonStateBlock, pictureDnDisabledFrames), 0, VT_I2, 2},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

const PropertyTableRow CommandButtonPropertyTable[] = {
    ButtonPropertyTable[0], ButtonPropertyTable[1], ButtonPropertyTable[2], ButtonPropertyTable[3],
    ButtonPropertyTable[4], ButtonPropertyTable[5], ButtonPropertyTable[6], {nullptr, 0, 0, VT_EMPTY, 0},
};

namespace {

struct ByteRange {
    size_t offset;
    BYTE highest;
    BYTE fallback;
};

const ByteRange ByteRanges[] = {
    {offsetof(ButtonStateBlock, autoSize), LastAutoSize, 0},
    {offsetof(ButtonStateBlock, alignment), LastCaptionAlignment, 7},
    {offsetof(ButtonStateBlock, buttonStyle), LastButtonStyle, 0},
    {offsetof(ButtonStateBlock, pictureAlignment), LastPictureAlignment, 7},
    {offsetof(ButtonStateBlock, bevelWidth), LastBevelWidth, 2},
};

} // namespace

void ValidateButtonBlock(ButtonStateBlock* block)
{
    BYTE* bytes = reinterpret_cast<BYTE*>(block);
    for (const ByteRange& range : ByteRanges)
        if (bytes[range.offset] > range.highest)
            bytes[range.offset] = range.fallback;
    // Frame counts are 0..32767.
    if (block->pictureDisabledFrames > 0x7FFF)
        block->pictureDisabledFrames = 0;
    if (block->pictureDnFrames > 0x7FFF)
        block->pictureDnFrames = 0;
    if (block->pictureDnDisabledFrames > 0x7FFF)
        block->pictureDnDisabledFrames = 0;
    block->flags &= ButtonStateBlock::StoredFlags;
}
