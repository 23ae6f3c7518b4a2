// Picture and marquee animation of the common base at run time: the marquee's steps in every style and
// direction driven one tick at a time, a real timer run, and when the picture timer runs.
#include "HostedQvControl.h"

#include "PictureHolder.h"

namespace {

constexpr DISPID Begin = 45;
constexpr DISPID End = 64;

class ControlBaseAnimationTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        ActivateWindowed(control, container);
    }
    void TearDown() override
    {
        CloseControl(control);
        QvControlTest::TearDown();
    }
    std::vector<DISPID> MarqueeEvents() const
    {
        std::vector<DISPID> events;
        for (const RecordedControlEvent& event : log)
            if (event.dispid == Begin || event.dispid == End)
                events.push_back(event.dispid);
        return events;
    }

    RecordingContainer container;
    HeldQvControl control;
    std::vector<RecordedControlEvent> log;
};

struct MarqueeCase {
    const char* name;
    Constants_MarqueeStyle style;
    Constants_MarqueeDirection direction;
    RECT area;
    SIZE text;
    short amount;
    int steps;
    POINT expectedTopLeft;
    std::vector<DISPID> expectedEvents;  // the reset's and every step's, in order
    Constants_MarqueeDirection expectedDirection;
};

const MarqueeCase MarqueeCases[] = {
    {"scrolling right to left, still inside", qvScrollingMarquee, qvMDRightToLeft, {0, 0, 100, 20}, {40, 20}, 10, 13,
     {-30, 0}, {Begin}, qvMDRightToLeft},
    {"scrolling right to left, a new cycle", qvScrollingMarquee, qvMDRightToLeft, {0, 0, 100, 20}, {40, 20}, 10, 14,
     {100, 0}, {Begin, End, Begin}, qvMDRightToLeft},
    {"scrolling left to right", qvScrollingMarquee, qvMDLeftToRight, {0, 0, 100, 20}, {40, 20}, 10, 14, {-40, 0},
     {Begin, End, Begin}, qvMDLeftToRight},
    {"scrolling top to bottom", qvScrollingMarquee, qvMDTopToBottom, {0, 0, 100, 50}, {100, 20}, 10, 7, {0, -20},
     {Begin, End, Begin}, qvMDTopToBottom},
    {"scrolling bottom to top", qvScrollingMarquee, qvMDBottomToTop, {0, 0, 100, 50}, {100, 20}, 10, 7, {0, 50},
     {Begin, End, Begin}, qvMDBottomToTop},
    {"sliding right to left stops at the left edge", qvSlidingMarquee, qvMDRightToLeft, {0, 0, 100, 20}, {40, 20},
     30, 4, {0, 0}, {Begin}, qvMDRightToLeft},
    {"sliding left to right stops at the right edge", qvSlidingMarquee, qvMDLeftToRight, {0, 0, 100, 20}, {40, 20},
     30, 4, {60, 0}, {Begin}, qvMDLeftToRight},
    {"sliding top to bottom stops at the bottom", qvSlidingMarquee, qvMDTopToBottom, {0, 0, 100, 50}, {100, 20}, 15,
     4, {0, 30}, {Begin}, qvMDTopToBottom},
    {"sliding bottom to top stops at the top", qvSlidingMarquee, qvMDBottomToTop, {0, 0, 100, 50}, {100, 20}, 15, 4,
     {0, 0}, {Begin}, qvMDBottomToTop},
    {"sliding a caption wider than the area keeps its near edge in", qvSlidingMarquee, qvMDRightToLeft,
     {0, 0, 100, 20}, {150, 20}, 40, 4, {-50, 0}, {Begin}, qvMDRightToLeft},
    {"bouncing right to left turns at the left edge", qvBouncingMarquee, qvMDRightToLeft, {0, 0, 100, 20}, {40, 20},
     25, 3, {0, 0}, {Begin, End, Begin}, qvMDLeftToRight},
    {"bouncing left to right turns at the right edge", qvBouncingMarquee, qvMDLeftToRight, {0, 0, 100, 20}, {40, 20},
     25, 3, {60, 0}, {Begin, End, Begin}, qvMDRightToLeft},
    {"bouncing top to bottom turns at the bottom", qvBouncingMarquee, qvMDTopToBottom, {0, 0, 100, 50}, {100, 20}, 20,
     2, {0, 30}, {Begin, End, Begin}, qvMDBottomToTop},
    {"bouncing bottom to top turns at the top", qvBouncingMarquee, qvMDBottomToTop, {0, 0, 100, 50}, {100, 20}, 20, 2,
     {0, 0}, {Begin, End, Begin}, qvMDTopToBottom},
    {"blinking keeps the caption and alternates", qvBlinkingMarquee, qvMDRightToLeft, {0, 0, 100, 20}, {40, 20}, 10,
     4, {30, 0}, {Begin, End, Begin, End, Begin}, qvMDRightToLeft},
};

TEST_F(ControlBaseAnimationTest, MarqueeStepsFollowTheStyleAndDirection)
{
    RecordingEventSink sink(1, log);
    EventConnection connection(control.get(), &sink);
    for (const MarqueeCase& row : MarqueeCases) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(control->put_MarqueeScrollAmount(row.amount), S_OK);
        ASSERT_EQ(control->put_MarqueeDirection(row.direction), S_OK);
        ASSERT_EQ(control->put_MarqueeStyle(row.style), S_OK);
        EXPECT_NE(control->MarqueeTimer(), 0u);
        // As a paint routine lays the caption out: centred in the area, then placed for the cycle.
        control->MarqueeArea() = row.area;
        const LONG left = row.area.left + (row.area.right - row.area.left - row.text.cx) / 2;
        control->MarqueeText() = RECT{left, row.area.top, left + row.text.cx, row.area.top + row.text.cy};
        log.clear();
        control->ResetMarquee();
        for (int step = 0; step < row.steps; ++step)
            control->StepMarquee();
        const RECT& text = control->MarqueeText();
        EXPECT_EQ(text.left, row.expectedTopLeft.x);
        EXPECT_EQ(text.top, row.expectedTopLeft.y);
        EXPECT_EQ(text.right - text.left, row.text.cx);
        EXPECT_EQ(text.bottom - text.top, row.text.cy);
        EXPECT_EQ(MarqueeEvents(), row.expectedEvents);
        EXPECT_EQ(control->MarqueeOffset().x, text.left - row.area.left);
        EXPECT_EQ(control->MarqueeOffset().y, text.top - row.area.top);
        Constants_MarqueeDirection direction = qvMDRightToLeft;
        ASSERT_EQ(control->get_MarqueeDirection(&direction), S_OK);
        EXPECT_EQ(direction, row.expectedDirection);
        if (row.style == qvSlidingMarquee) {
            // Arrived: the timer is gone and nothing more fires.
            EXPECT_EQ(control->MarqueeTimer(), 0u);
        }
    }
}

TEST_F(ControlBaseAnimationTest, ABouncedDirectionIsWhatALaterSaveWrites)
{
    ASSERT_EQ(control->put_MarqueeScrollAmount(25), S_OK);
    ASSERT_EQ(control->put_MarqueeStyle(qvBouncingMarquee), S_OK);
    control->MarqueeArea() = RECT{0, 0, 100, 20};
    control->MarqueeText() = RECT{30, 0, 70, 20};
    control->ResetMarquee();
    for (int step = 0; step < 3; ++step)
        control->StepMarquee();
    IStream* stream = StreamOfBytes({});
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream, FALSE), S_OK);
    const std::vector<unsigned char> bytes = BytesOfStream(stream);
    stream->Release();
    // The framework's 20 bytes, then the common block: MarqueeDirection is its fourth byte.
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes[20 + 3], qvMDLeftToRight);
}

TEST_F(ControlBaseAnimationTest, StyleNoneStopsTheTimerAndAnEqualStyleRestartsFromTheBeginning)
{
    ASSERT_EQ(control->put_MarqueeStyle(qvScrollingMarquee), S_OK);
    EXPECT_NE(control->MarqueeTimer(), 0u);
    control->MarqueeArea() = RECT{0, 0, 100, 20};
    control->MarqueeText() = RECT{30, 0, 70, 20};
    control->ResetMarquee();
    control->StepMarquee();
    ASSERT_FALSE(IsRectEmpty(&control->MarqueeArea()));
    // At run time the same style again starts over: a new layout from the first offset.
    ASSERT_EQ(control->put_MarqueeStyle(qvScrollingMarquee), S_OK);
    EXPECT_TRUE(IsRectEmpty(&control->MarqueeArea()));
    EXPECT_EQ(control->MarqueeOffset().x, 0);
    ASSERT_EQ(control->put_MarqueeStyle(qvNoneMarquee), S_OK);
    EXPECT_EQ(control->MarqueeTimer(), 0u);
}

TEST_F(ControlBaseAnimationTest, ARealMarqueeTimerBlinksOncePerDelay)
{
    RecordingEventSink sink(1, log);
    EventConnection connection(control.get(), &sink);
    ASSERT_EQ(control->put_MarqueeDelay(30), S_OK);
    ASSERT_EQ(control->put_MarqueeStyle(qvBlinkingMarquee), S_OK);
    control->MarqueeArea() = RECT{0, 0, 100, 20};
    control->MarqueeText() = RECT{30, 0, 70, 20};
    control->ResetMarquee();
    ASSERT_TRUE(PumpUntil([&] { return MarqueeEvents().size() >= 5; }));
    const std::vector<DISPID> events = MarqueeEvents();
    for (size_t i = 1; i < events.size(); ++i)
        EXPECT_NE(events[i], events[i - 1]) << "event " << i;
    for (const RecordedControlEvent& event : log)
        EXPECT_EQ(event.thread, GetCurrentThreadId());
}

// A bitmap strip of `width` pixels, as a picture object.
IPictureDisp* StripPicture(int width)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, 8);
    ReleaseDC(nullptr, screen);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    IPictureDisp* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)),
              S_OK);
    return picture;
}

TEST_F(ControlBaseAnimationTest, ThePictureTimerRunsOnlyForAnAnimatedStrip)
{
    EXPECT_EQ(control->PictureTimer(), 0u) << "no picture";
    IPictureDisp* strip = StripPicture(32);
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(control->put_Picture(strip), S_OK);
    EXPECT_EQ(control->PictureTimer(), 0u) << "one frame";
    ASSERT_EQ(control->put_PictureFrames(4), S_OK);
    EXPECT_NE(control->PictureTimer(), 0u) << "four frames";
    ASSERT_EQ(control->put_PictureAnimationEnabled(VARIANT_FALSE), S_OK);
    EXPECT_EQ(control->PictureTimer(), 0u) << "animation off";
    ASSERT_EQ(control->put_PictureAnimationEnabled(VARIANT_TRUE), S_OK);
    ASSERT_NE(control->PictureTimer(), 0u);

    // Frames advance and wrap; a count lowered while animating never leaves the counter beyond it.
    for (int step = 0; step < 3; ++step)
        control->StepPicture();
    EXPECT_EQ(control->FrameCounter(), 3);
    control->StepPicture();
    EXPECT_EQ(control->FrameCounter(), 0);
    for (int step = 0; step < 3; ++step)
        control->StepPicture();
    ASSERT_EQ(control->put_PictureFrames(2), S_OK);
    EXPECT_EQ(control->FrameCounter(), 0) << "restarted from frame 0";
    control->StepPicture();
    control->StepPicture();
    EXPECT_LT(control->FrameCounter(), 2);

    ASSERT_EQ(control->put_Picture(nullptr), S_OK);
    EXPECT_EQ(control->PictureTimer(), 0u) << "picture gone";
    strip->Release();
}

TEST_F(ControlBaseAnimationTest, ARealPictureTimerShowsEveryFrameInTurn)
{
    IPictureDisp* strip = StripPicture(32);
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(control->put_PictureAnimationDelay(15), S_OK);
    ASSERT_EQ(control->put_Picture(strip), S_OK);
    ASSERT_EQ(control->put_PictureFrames(4), S_OK);
    std::vector<LONG> seen;
    ASSERT_TRUE(PumpUntil([&] {
        if (seen.empty() || seen.back() != control->FrameCounter())
            seen.push_back(control->FrameCounter());
        return seen.size() >= 6;
    }));
    // Each tick shows the next frame, and after the last comes the first.
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], (seen[i - 1] + 1) % 4) << "step " << i;
    ASSERT_EQ(control->put_Picture(nullptr), S_OK);
    strip->Release();
}

TEST(ControlBaseDesignModeAnimationTest, NothingMovesInDesignMode)
{
    RecordingContainer container;
    container.SetAmbientBool(DISPID_AMBIENT_USERMODE, false);
    HeldQvControl control;
    ActivateWindowed(control, container);
    ASSERT_EQ(control->put_MarqueeStyle(qvScrollingMarquee), S_OK);
    EXPECT_EQ(control->MarqueeTimer(), 0u);
    control->MarqueeArea() = RECT{0, 0, 100, 20};
    control->MarqueeText() = RECT{30, 0, 70, 20};
    control->ResetMarquee();
    EXPECT_EQ(control->MarqueeText().left, 30);
    CloseControl(control);
}

} // namespace
