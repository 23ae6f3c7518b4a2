// The state every control shares, as one packed block: in memory it is what the property table walks,
// and in a stream it is written as it stands, after the framework's header and version.
#pragma once
#include <windows.h>

#include <cstddef>

#include "PropertyTable.h"

#pragma pack(push, 1)
struct CommonStateBlock {
    // flags
    static constexpr BYTE Enabled = 0x01;
    static constexpr BYTE PictureAnimationEnabled = 0x02;
    static constexpr BYTE PictureUseMask = 0x04;
    static constexpr BYTE PicturePresent = 0x08;
    static constexpr BYTE FontPresent = 0x10;
    static constexpr BYTE MouseIconPresent = 0x20;
    // The bits a stored block may carry; the others are dropped on load.
    static constexpr BYTE StoredFlags = 0x3F;

    BYTE font3D;
    BYTE mousePointer;
    BYTE captionStyle;
    BYTE marqueeDirection;
    BYTE marqueeStyle;
    BYTE oleDropMode;
    BYTE backStyle;
    DWORD foreColor;
    DWORD backColor;
    DWORD pictureMaskColor;
    WORD pictureAnimationDelay;
    WORD marqueeDelay;
    WORD marqueeScrollAmount;
    WORD pictureFrames;
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(CommonStateBlock) == 28, "the common block is stored as 28 bytes");
static_assert(offsetof(CommonStateBlock, foreColor) == 7, "stored layout");
static_assert(offsetof(CommonStateBlock, pictureAnimationDelay) == 19, "stored layout");
static_assert(offsetof(CommonStateBlock, flags) == 27, "stored layout");

// The common level's simple properties, in bag order. Not const: an old container's ambient
// ForeColor replaces the ForeColor default for the rest of the process.
extern PropertyTableRow CommonPropertyTable[];

// Defaults of the block's values.
constexpr DWORD DefaultForeColor = 0x80000012;  // system colour: button text
constexpr DWORD DefaultBackColor = 0x8000000F;  // system colour: button face
constexpr DWORD DefaultPictureMaskColor = 0x00C0C0C0;
constexpr WORD DefaultPictureAnimationDelay = 60;
constexpr WORD DefaultMarqueeDelay = 120;
constexpr WORD DefaultMarqueeScrollAmount = 1;

// Gives every field a put would refuse its default, and drops the flag bits a block does not store,
// so that no loaded byte reaches layout or painting unchecked. Returns how many fields it replaced.
int ValidateCommonBlock(CommonStateBlock* block);
