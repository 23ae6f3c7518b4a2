// The state both push buttons share, as one packed block: what the property table walks in memory
// and the 12 bytes the button level writes to a stream after the common level's part.
#pragma once
#include <windows.h>

#include <cstddef>

#include "PropertyTable.h"

#pragma pack(push, 1)
struct ButtonStateBlock {
    // flags
    static constexpr BYTE RoundedCorners = 0x01;
    static constexpr BYTE Outline = 0x02;
    static constexpr BYTE PictureDisabledPresent = 0x04;
    static constexpr BYTE PictureDnPresent = 0x08;
    static constexpr BYTE PictureDnDisabledPresent = 0x10;
    static constexpr BYTE StoredFlags = 0x1F;

    BYTE autoSize;
    BYTE alignment;
    BYTE buttonStyle;
    BYTE pictureAlignment;
    BYTE bevelWidth;
    WORD pictureDisabledFrames;
    WORD pictureDnFrames;
    WORD pictureDnDisabledFrames;
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(ButtonStateBlock) == 12, "the button block is stored as 12 bytes");
static_assert(offsetof(ButtonStateBlock, pictureDisabledFrames) == 5, "stored layout");
static_assert(offsetof(ButtonStateBlock, flags) == 11, "stored layout");

// The button level's simple properties in bag order; RoundedCorners and Outline are kept by hand.
extern const PropertyTableRow ButtonPropertyTable[];
// The same without PictureDnDisabledFrames, which the command button does not have.
extern const PropertyTableRow CommandButtonPropertyTable[];

// Ranges of the button level's values.
constexpr BYTE LastAutoSize = 2;
constexpr BYTE LastCaptionAlignment = 8;
constexpr BYTE LastButtonStyle = 4;
constexpr BYTE LastPictureAlignment = 12;
constexpr BYTE LastBevelWidth = 10;

// The values a block holds after a load: a field out of its range takes its default, as a put would
// have refused it.
void ValidateButtonBlock(ButtonStateBlock* block);
