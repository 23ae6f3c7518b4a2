// The paint scaffolding through a container's drawing of an inactive control: the control draws
// off-screen over a copy of the canvas, an opaque one fills its back colour, a transparent one keeps
// what lies under it, and nothing outside the control's rectangle changes.
#include "QvTestControl.h"

namespace {

constexpr COLORREF Underneath = RGB(0, 0, 255);
constexpr OLE_COLOR GreenBack = RGB(0, 255, 0);

// A 40 x 30 pixel memory canvas painted in one colour.
class Canvas {
public:
    Canvas()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 40;
        info.bmiHeader.biHeight = -30;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        replaced_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(Underneath);
        const RECT all = {0, 0, 40, 30};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas()
    {
        SelectObject(dc_, replaced_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
};

class ControlBasePaintTest : public QvControlTest {
protected:
    void SetUp() override
    {
        QvControlTest::SetUp();
        ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
        ASSERT_EQ(control->put_BackColor(GreenBack), S_OK);
    }
    void TearDown() override
    {
        // The class's opaque flag is shared by every control of the row.
        control->ControlRow().opaque = 1;
        QvControlTest::TearDown();
    }

    HRESULT Draw(const Canvas& canvas)
    {
        const RECTL bounds = {5, 5, 25, 20};
        return control.As<IViewObject>(IID_IViewObject)
            ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0);
    }

    HeldQvControl control;
};

TEST_F(ControlBasePaintTest, AnOpaqueControlFillsItsBackColourInsideItsBoundsOnly)
{
    Canvas canvas;
    ASSERT_EQ(Draw(canvas), S_OK);
    EXPECT_EQ(canvas.At(15, 12), GreenBack);
    EXPECT_EQ(canvas.At(24, 19), GreenBack);
    EXPECT_EQ(canvas.At(6, 6), QvTestMarkColor);
    EXPECT_EQ(canvas.At(4, 4), Underneath);
    EXPECT_EQ(canvas.At(25, 20), Underneath);
    EXPECT_EQ(canvas.At(39, 29), Underneath);
}

TEST_F(ControlBasePaintTest, ATransparentControlDrawsOverWhatLiesUnderIt)
{
    ASSERT_EQ(control->put_BackStyle(qvTransparent), S_OK);
    Canvas canvas;
    ASSERT_EQ(Draw(canvas), S_OK);
    EXPECT_EQ(canvas.At(15, 12), Underneath);
    EXPECT_EQ(canvas.At(6, 6), QvTestMarkColor);
    EXPECT_EQ(canvas.At(4, 4), Underneath);
}

} // namespace

namespace {

TEST_F(ControlBasePaintTest, ABackColourOfAnUnknownSystemColourFillsAsTheDrawingKitResolvesIt)
{
    // 0x80000040 names no system colour: the kit's rule gives black, never the canvas left showing.
    ASSERT_EQ(control->put_BackColor(0x80000040), S_OK);
    Canvas canvas;
    ASSERT_EQ(Draw(canvas), S_OK);
    EXPECT_EQ(canvas.At(15, 12), GetSysColor(0x40));
    EXPECT_NE(canvas.At(15, 12), Underneath);
}

} // namespace

namespace {

// Sets the bool at `found` when the record carries a bitmap.
int CALLBACK NoteBitmapRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM found)
{
    if (record->iType == EMR_STRETCHDIBITS || record->iType == EMR_SETDIBITSTODEVICE || record->iType == EMR_BITBLT ||
        record->iType == EMR_STRETCHBLT)
        *reinterpret_cast<bool*>(found) = true;
    return 1;
}

TEST_F(ControlBasePaintTest, AMetafileGetsTheControlAsADeviceIndependentBitmap)
{
    HDC reference = GetDC(nullptr);
    HDC recorder = CreateEnhMetaFileA(reference, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, reference);
    ASSERT_NE(recorder, nullptr);
    const RECT bounds = {0, 0, 20, 15};
    EXPECT_EQ(control->DrawToMetafile(recorder, &bounds), S_OK);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ASSERT_NE(metafile, nullptr);
    // What it holds is a picture of the control: replayed, its back colour and its mark.
    bool bitmapRecord = false;
    EnumEnhMetaFile(nullptr, metafile, NoteBitmapRecord, &bitmapRecord, nullptr);
    EXPECT_TRUE(bitmapRecord);
    Canvas canvas;
    const RECT target = {0, 0, 20, 15};
    ASSERT_TRUE(PlayEnhMetaFile(canvas.Dc(), metafile, &target));
    EXPECT_EQ(canvas.At(10, 10), GreenBack);
    EXPECT_EQ(canvas.At(1, 1), QvTestMarkColor);
    EXPECT_EQ(canvas.At(30, 25), Underneath);
    DeleteEnhMetaFile(metafile);
}

} // namespace
