// The push buttons' geometry as tables: the inner rectangle and AutoSize border of every look, the
// caption's DrawText flags, the caption's nine placements and the picture's thirteen.
#include "ButtonLayout.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace plyx;

bool operator==(const RECT& left, const RECT& right)
{
    return left.left == right.left && left.top == right.top && left.right == right.right &&
           left.bottom == right.bottom;
}

std::ostream& operator<<(std::ostream& out, const RECT& rect)
{
    return out << "{" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << "}";
}

namespace {

struct FrameCase {
    BYTE look;
    bool command;
    int bevelWidth;
    bool outline;
    bool displayAsDefault;
    int innerShrink;
    int borderUp;   // drawn up, focused or default as displayAsDefault says
    int borderDown;
};

const FrameCase FrameCases[] = {
    // look 4: nothing around a ribbon, one pixel around a command button
    {LookBorderless, false, 2, true, false, 0, 1, 1},
    {LookBorderless, true, 2, true, true, 1, 2, 2},
    // look 3: one pixel, a command button one more
    {LookActive, false, 5, false, false, 1, 2, 2},
    {LookActive, true, 5, false, false, 2, 3, 3},
    // look 1: the bevel is always 2; the default ring adds to the command button's border
    {LookFlat, false, 7, true, false, 2, 3, 3},
    {LookFlat, false, 7, true, true, 2, 4, 3},
    {LookFlat, true, 0, false, false, 4, 4, 5},
    {LookFlat, true, 0, false, true, 5, 5, 5},
    // look 2: the bevel width counts, and the outline adds one
    {LookBeveled, false, 3, true, false, 4, 5, 5},
    {LookBeveled, false, 0, false, false, 0, 1, 1},
    {LookBeveled, true, 2, true, true, 6, 6, 5},
    {LookBeveled, true, 10, false, false, 12, 12, 12},
    {LookBeveled, true, 10, true, false, 13, 13, 13},
};

} // namespace

TEST(ButtonLayoutTest, InnerRectangleAndBorderOfEveryLook)
{
    const RECT client = {0, 0, 100, 30};
    for (const FrameCase& row : FrameCases) {
        SCOPED_TRACE(::testing::Message() << "look " << int(row.look) << (row.command ? " command" : " ribbon")
                                          << " bevel " << row.bevelWidth << " outline " << row.outline
                                          << " default " << row.displayAsDefault);
        const ButtonFrame frame = {row.look, row.command, row.bevelWidth, row.outline, row.displayAsDefault};
        const RECT expected = {row.innerShrink, row.innerShrink, 100 - row.innerShrink, 30 - row.innerShrink};
        EXPECT_EQ(InnerRectangle(client, frame), expected);
        EXPECT_EQ(AutoSizeBorderWidth(frame, true, row.displayAsDefault), row.borderUp);
        EXPECT_EQ(AutoSizeBorderWidth(frame, false, row.displayAsDefault), row.borderDown);
    }
}

TEST(ButtonLayoutTest, CaptionFlags)
{
    struct Case {
        CaptionFlagsInput input;
        UINT flags;
    };
    const Case cases[] = {
        {{0, 0, 0, 7, false}, DT_SINGLELINE | DT_CENTER},
        {{0, 0, 0, 7, true}, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX},
        {{0, 0, 1, 0, false}, DT_WORDBREAK},
        {{0, 0, 1, 4, false}, DT_WORDBREAK | DT_RIGHT},
        {{0, 0, 1, 8, true}, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX},
        {{0, 0, 2, 3, false}, DT_SINGLELINE | DT_VCENTER | DT_CENTER},
        // a moving marquee decides by its direction; blinking (3) does not move
        {{1, 0, 1, 4, false}, DT_SINGLELINE},
        {{2, 2, 0, 4, false}, DT_WORDBREAK | DT_RIGHT},
        {{3, 2, 0, 4, false}, DT_SINGLELINE | DT_CENTER},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "marquee " << int(row.input.marqueeStyle) << " direction "
                                          << int(row.input.marqueeDirection) << " style "
                                          << int(row.input.captionStyle) << " alignment "
                                          << int(row.input.alignment));
        EXPECT_EQ(CaptionTextFlags(row.input), row.flags);
    }
}

TEST(ButtonLayoutTest, CaptionPlacedByEachAlignment)
{
    const RECT area = {10, 10, 110, 50};
    const SIZE text = {20, 10};
    const RECT expected[9] = {
        {10, 10, 30, 20}, {10, 25, 30, 35}, {10, 40, 30, 50}, {90, 10, 110, 20}, {90, 25, 110, 35},
        {90, 40, 110, 50}, {50, 10, 70, 20}, {50, 25, 70, 35}, {50, 40, 70, 50},
    };
    for (BYTE alignment = 0; alignment < 9; ++alignment) {
        SCOPED_TRACE(::testing::Message() << "alignment " << int(alignment));
        const CaptionPlacement placed = PlaceCaption(area, text, alignment, 0, 0);
        EXPECT_EQ(placed.textBox, expected[alignment]);
        EXPECT_EQ(placed.area, expected[alignment]);
    }
}

TEST(ButtonLayoutTest, MovingMarqueeKeepsTheAreaAlongItsDirection)
{
    const RECT area = {10, 10, 110, 50};
    const SIZE text = {20, 10};
    // sideways: the whole width, the text's height
    EXPECT_EQ(PlaceCaption(area, text, 7, 1, 0).area, (RECT{10, 25, 110, 35}));
    // upwards: the whole height, the text's width
    EXPECT_EQ(PlaceCaption(area, text, 7, 1, 2).area, (RECT{50, 10, 70, 50}));
    // a text larger than the area keeps the area
    EXPECT_EQ(PlaceCaption(area, SIZE{200, 60}, 7, 1, 0).area, area);
    // without a marquee a larger text is cut to the area
    EXPECT_EQ(PlaceCaption(area, SIZE{200, 10}, 7, 0, 0).area, (RECT{10, 25, 110, 35}));
}

namespace {

const RECT Inner = {0, 0, 100, 40};
const SIZE Text = {30, 10};

CaptionPlacement CaptionIn(const RECT& area)
{
    return PlaceCaption(area, Text, 7, 0, 0);
}

PictureLayoutInput PictureInput(BYTE pictureAlignment, SIZE picture = {16, 16})
{
    return PictureLayoutInput{Inner, picture, pictureAlignment, 7, false, false, 0, 0};
}

} // namespace

TEST(ButtonLayoutTest, PicturePlacedByEachAlignmentWithAndWithoutCaption)
{
    struct Case {
        BYTE pictureAlignment;
        RECT withCaption;
        RECT captionAfter;
        RECT withoutCaption;
    };
    const RECT centred = {35, 15, 65, 25};
    const Case cases[] = {
        {0, {0, 0, 16, 16}, centred, {0, 0, 16, 16}},
        {1, {0, 12, 16, 28}, centred, {0, 12, 16, 28}},
        {2, {0, 24, 16, 40}, centred, {0, 24, 16, 40}},
        {3, {84, 0, 100, 16}, centred, {84, 0, 100, 16}},
        {4, {84, 12, 100, 28}, centred, {84, 12, 100, 28}},
        {5, {84, 24, 100, 40}, centred, {84, 24, 100, 40}},
        {6, {42, 0, 58, 16}, centred, {42, 0, 58, 16}},
        {7, {42, 12, 58, 28}, centred, {42, 12, 58, 28}},
        {8, {42, 24, 58, 40}, centred, {42, 24, 58, 40}},
        // beside the caption, two pixels from it, centred on it
        {9, {17, 12, 33, 28}, centred, {0, 12, 16, 28}},
        {10, {67, 12, 83, 28}, centred, {84, 12, 100, 28}},
        // no room above or below: the picture takes the edge and the caption moves away from it
        {11, {42, 0, 58, 16}, {35, 24, 65, 34}, {42, 0, 58, 16}},
        {12, {42, 24, 58, 40}, {35, 6, 65, 16}, {42, 24, 58, 40}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "picture alignment " << int(row.pictureAlignment));
        CaptionPlacement caption = CaptionIn(Inner);
        ASSERT_EQ(caption.area, centred);
        const PictureLayoutResult placed = PlacePicture(PictureInput(row.pictureAlignment), &caption, CaptionIn);
        EXPECT_EQ(placed.picture, row.withCaption);
        EXPECT_EQ(caption.area, row.captionAfter);
        EXPECT_EQ(placed.captionLaidOutAgain, row.pictureAlignment >= 11);

        CaptionPlacement none = {};
        const PictureLayoutResult alone = PlacePicture(PictureInput(row.pictureAlignment), &none, CaptionIn);
        EXPECT_EQ(alone.picture, row.withoutCaption);
        EXPECT_TRUE(IsRectEmpty(&none.area));
        EXPECT_FALSE(alone.captionLaidOutAgain);
    }
}

TEST(ButtonLayoutTest, CaptionMovesRightWhenThePictureLeftOfItHasNoRoom)
{
    const SIZE wide = {40, 16};
    CaptionPlacement caption = CaptionIn(Inner);
    const PictureLayoutResult placed = PlacePicture(PictureInput(9, wide), &caption, CaptionIn);
    EXPECT_TRUE(placed.captionLaidOutAgain);
    EXPECT_EQ(placed.picture, (RECT{0, 12, 40, 28}));
    // the caption is centred in what is left right of the picture and its gap
    EXPECT_EQ(caption.area, (RECT{56, 15, 86, 25}));
}

TEST(ButtonLayoutTest, PictureWiderThanTheButtonHidesTheCaption)
{
    CaptionPlacement caption = CaptionIn(Inner);
    const PictureLayoutResult placed = PlacePicture(PictureInput(10, SIZE{120, 16}), &caption, CaptionIn);
    EXPECT_EQ(placed.picture, (RECT{-10, 12, 110, 28}));
    EXPECT_TRUE(IsRectEmpty(&caption.area));
    EXPECT_TRUE(IsRectEmpty(&caption.textBox));
}

TEST(ButtonLayoutTest, MetafileTakesTheRoomBesideTheCaption)
{
    struct Case {
        BYTE pictureAlignment;
        BYTE alignment;
        RECT picture;
    };
    const Case cases[] = {
        {9, 7, {0, 0, 33, 40}},
        {10, 7, {67, 0, 100, 40}},
        {11, 7, {0, 0, 100, 13}},
        {12, 7, {0, 27, 100, 40}},
        // the caption already sits on that side: no room for the picture
        {9, 1, {0, 0, 0, 0}},
        {10, 5, {0, 0, 0, 0}},
        {11, 6, {0, 0, 0, 0}},
        {12, 2, {0, 0, 0, 0}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "picture alignment " << int(row.pictureAlignment) << " alignment "
                                          << int(row.alignment));
        const auto layOut = [&row](const RECT& area) { return PlaceCaption(area, Text, row.alignment, 0, 0); };
        CaptionPlacement caption = layOut(Inner);
        PictureLayoutInput input = PictureInput(row.pictureAlignment);
        input.alignment = row.alignment;
        input.metafile = true;
        EXPECT_EQ(PlacePicture(input, &caption, layOut).picture, row.picture);
    }
    // without a caption a metafile fills the inner rectangle
    CaptionPlacement none = {};
    PictureLayoutInput input = PictureInput(11);
    input.metafile = true;
    EXPECT_EQ(PlacePicture(input, &none, CaptionIn).picture, Inner);
}

TEST(ButtonLayoutTest, AutoSizedPictureWithoutCaptionFillsTheInnerRectangle)
{
    CaptionPlacement none = {};
    PictureLayoutInput input = PictureInput(0);
    input.autoSize = true;
    EXPECT_EQ(PlacePicture(input, &none, CaptionIn).picture, (RECT{1, 1, 99, 39}));
}
