// Where glyph, picture and caption go, for every alignment of the glyph and of the picture, with and
// without caption and picture, for metafiles and for moving captions, on a memory canvas with the
// system font.
#include "OptionLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

// Rectangles compared and printed by the checks (found beside RECT itself).
std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

namespace {

using namespace plyx;

const char ShortCaption[] = "Receipts";
const char LongCaption[] = "Transfers out of the store room";

class OptionLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dc_ = CreateCompatibleDC(nullptr);
        ASSERT_NE(dc_, nullptr);
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    }
    void TearDown() override { DeleteDC(dc_); }

    // The caption's size as the layout measures it in a box of `width`.
    SIZE Measured(const char* text, int width = 1000) const
    {
        RECT box = {0, 0, width, 100};
        DrawTextA(dc_, text, -1, &box, DT_SINGLELINE | DT_CENTER | DT_CALCRECT);
        return {box.right - box.left, box.bottom - box.top};
    }

    static OptionLayoutRequest Request(int width, BYTE alignment, BYTE pictureAlignment, const char* caption,
                                       bool picture, bool scaled = false, bool moving = false)
    {
        OptionLayoutRequest request = {};
        request.client = {0, 0, width, 30};
        request.alignment = alignment;
        request.pictureAlignment = pictureAlignment;
        request.glyph = {BuiltInGlyphSize, BuiltInGlyphSize};
        request.hasPicture = picture;
        request.scaledPicture = scaled;
        request.picture = {20, 16};
        request.caption = caption;
        request.movingMarquee = moving;
        request.marqueeDirection = 0;
        request.captionFlags = OptionCaptionFlags(moving, 0, 0);
        return request;
    }

    HDC dc_ = nullptr;
};

// The text box of a caption placed flush against `edge` (left edge for the glyph at the left) in
// the 26 pixels high words area of a 30 pixels high control.
RECT TextBox(int left, SIZE text)
{
    const int top = 2 + (26 - text.cy) / 2;
    return {left, top, left + text.cx, top + text.cy};
}

RECT Clipped(const RECT& box, int left, int right)
{
    return {std::max<LONG>(box.left, left), box.top, std::min<LONG>(box.right, right), box.bottom};
}

TEST_F(OptionLayoutTest, GlyphPictureAndCaptionPlacesForEveryAlignment)
{
    const SIZE text = Measured(ShortCaption);
    const RECT glyphLeft = {0, 8, 13, 21};
    const RECT glyphRight = {187, 8, 200, 21};
    const RECT none = {0, 0, 0, 0};
    struct Case {
        const char* what;
        BYTE alignment;
        BYTE pictureAlignment;
        bool picture;
        RECT glyph;
        RECT picturePlace;
        RECT text;
        RECT caption;
    } cases[] = {
        {"glyph left, no picture", 0, 0, false, glyphLeft, none, TextBox(18, text), TextBox(18, text)},
        {"glyph right, no picture", 1, 0, false, glyphRight, none, TextBox(182 - text.cx, text),
         TextBox(182 - text.cx, text)},
        {"glyph left, picture left of the caption", 0, 0, true, glyphLeft, {17, 7, 37, 23}, TextBox(42, text),
         TextBox(42, text)},
        // The words area is the caption's width plus one, less a pixel on each side.
        {"glyph left, picture right of the caption", 0, 1, true, glyphLeft,
         {22 + text.cx, 7, 42 + text.cx, 23}, TextBox(18, text), Clipped(TextBox(18, text), 18, 17 + text.cx)},
        {"glyph left, picture justified", 0, 2, true, glyphLeft, {176, 7, 196, 23}, TextBox(18, text),
         TextBox(18, text)},
        {"glyph right, picture left of the caption", 1, 0, true, glyphRight,
         {158 - text.cx, 7, 178 - text.cx, 23}, TextBox(182 - text.cx, text),
         Clipped(TextBox(182 - text.cx, text), 183 - text.cx, 182)},
        {"glyph right, picture right of the caption", 1, 1, true, glyphRight, {163, 7, 183, 23},
         TextBox(158 - text.cx, text), TextBox(158 - text.cx, text)},
        {"glyph right, picture justified", 1, 2, true, glyphRight, {4, 7, 24, 23}, TextBox(182 - text.cx, text),
         TextBox(182 - text.cx, text)},
    };
    for (const Case& c : cases) {
        const OptionLayoutResult result =
            LayOutOption(dc_, Request(200, c.alignment, c.pictureAlignment, ShortCaption, c.picture));
        EXPECT_EQ(result.glyph, c.glyph) << c.what;
        EXPECT_EQ(result.picture, c.picturePlace) << c.what;
        EXPECT_EQ(result.text, c.text) << c.what;
        EXPECT_EQ(result.caption, c.caption) << c.what;
    }
}

TEST_F(OptionLayoutTest, WithoutCaptionThereIsNoCaptionBox)
{
    const OptionLayoutResult result = LayOutOption(dc_, Request(200, 0, 0, "", true));
    EXPECT_EQ(result.picture, (RECT{17, 7, 37, 23}));
    EXPECT_TRUE(IsRectEmpty(&result.caption));
    EXPECT_TRUE(IsRectEmpty(&result.text));
    EXPECT_FALSE(IsRectEmpty(&result.content));
}

TEST_F(OptionLayoutTest, APictureWiderThanTheSpaceIsCentredAndNoCaptionIsShown)
{
    OptionLayoutRequest request = Request(60, 0, 0, ShortCaption, true);
    request.picture = {50, 16};
    const OptionLayoutResult result = LayOutOption(dc_, request);
    // The space beside the glyph runs from 17 to 60, 43 pixels for a picture of 50.
    EXPECT_EQ(result.picture, (RECT{14, 7, 64, 23}));
    EXPECT_TRUE(IsRectEmpty(&result.caption));
    EXPECT_TRUE(IsRectEmpty(&result.text));
}

TEST_F(OptionLayoutTest, ACaptionLongerThanTheSpaceSitsAgainstTheGlyphAndIsClipped)
{
    const SIZE text = Measured(LongCaption);
    ASSERT_GT(text.cx, 60);
    struct Case {
        const char* what;
        BYTE alignment;
        RECT text;
        RECT caption;
    } cases[] = {
        {"glyph left: clipped at the right", 0, TextBox(18, text), Clipped(TextBox(18, text), 18, 58)},
        {"glyph right: clipped at the left", 1, TextBox(42 - text.cx, text), Clipped(TextBox(42 - text.cx, text), 2, 42)},
    };
    for (const Case& c : cases) {
        const OptionLayoutResult result = LayOutOption(dc_, Request(60, c.alignment, 0, LongCaption, false));
        EXPECT_EQ(result.text, c.text) << c.what;
        EXPECT_EQ(result.caption, c.caption) << c.what;
    }
}

TEST_F(OptionLayoutTest, AMetafileTakesTheRoomTheCaptionLeaves)
{
    const SIZE text = Measured(ShortCaption);
    const RECT words = {18, 2, 198, 28};
    struct Case {
        const char* what;
        BYTE pictureAlignment;
        RECT picture;
        RECT caption;
    } cases[] = {
        {"left of the caption: the caption moves to the right edge", 0, {18, 2, 194 - text.cx, 28},
         {198 - text.cx, TextBox(0, text).top, 198, TextBox(0, text).bottom}},
        {"right of the caption", 1, {22 + text.cx, 2, 198, 28}, TextBox(18, text)},
        {"justified: under the caption", 2, words, TextBox(18, text)},
    };
    for (const Case& c : cases) {
        const OptionLayoutResult result = LayOutOption(dc_, Request(200, 0, c.pictureAlignment, ShortCaption, true, true));
        EXPECT_EQ(result.picture, c.picture) << c.what;
        EXPECT_EQ(result.caption, c.caption) << c.what;
        EXPECT_EQ(result.text.left, c.caption.left) << c.what << ": the text follows the caption";
    }
}

TEST_F(OptionLayoutTest, AMovingCaptionRunsOverTheWholeWordsAreaAndPushesAFarPictureToTheEdge)
{
    const SIZE text = Measured(ShortCaption);
    const RECT box = TextBox(18, text);
    // Without a picture: the whole width, as high as the text.
    OptionLayoutResult result = LayOutOption(dc_, Request(200, 0, 0, ShortCaption, false, false, true));
    EXPECT_EQ(result.caption, (RECT{18, box.top, 198, box.bottom}));
    // A picture right of a moving caption goes to the right edge, as if justified.
    result = LayOutOption(dc_, Request(200, 0, 1, ShortCaption, true, false, true));
    EXPECT_EQ(result.picture, (RECT{176, 7, 196, 23}));
    EXPECT_EQ(result.caption, (RECT{18, box.top, 171, box.bottom}));
    // A picture left of it stays where it is.
    result = LayOutOption(dc_, Request(200, 0, 0, ShortCaption, true, false, true));
    EXPECT_EQ(result.picture, (RECT{17, 7, 37, 23}));
}

TEST_F(OptionLayoutTest, AnIconGlyphIsLaidOutAtItsOwnSize)
{
    OptionLayoutRequest request = Request(200, 1, 0, ShortCaption, false);
    request.glyph = {32, 32};
    const OptionLayoutResult result = LayOutOption(dc_, request);
    EXPECT_EQ(result.glyph, (RECT{168, -1, 200, 31}));
    EXPECT_EQ(result.content.right, 164);
}

TEST_F(OptionLayoutTest, CaptionFlagsFollowTheMarqueeOrTheCaptionStyle)
{
    struct Case {
        bool moving;
        BYTE direction;
        BYTE style;
        UINT flags;
    } cases[] = {
        {true, 0, 1, DT_SINGLELINE},
        {true, 1, 0, DT_SINGLELINE},
        {true, 2, 0, DT_WORDBREAK},
        {true, 3, 2, DT_WORDBREAK},
        {false, 2, 0, DT_SINGLELINE | DT_CENTER},
        {false, 0, 1, DT_WORDBREAK},
        {false, 0, 2, DT_SINGLELINE | DT_VCENTER | DT_CENTER},
        {false, 0, 7, DT_SINGLELINE | DT_VCENTER | DT_CENTER},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionCaptionFlags(c.moving, c.direction, c.style), c.flags)
            << c.moving << " " << int(c.direction) << " " << int(c.style);
}

} // namespace
