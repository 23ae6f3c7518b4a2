// The glyphs as the screen shows them: which cell of a Graphics strip of solid cells each state
// draws, and the built-in strips with their key colours replaced by the system's, read back from
// PNG files of the control's window under the test display.
#include "DefaultButtonLook.h"
#include "GlyphStrip.h"
#include "OptionTestSupport.h"
#include "testing/HostWindow.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using korvane::activex::testing::CaptureClientArea;
using korvane::activex::testing::WritePng;

// The glyph's centre in a 100 x 50 control with the glyph at the left.
constexpr int GlyphLeft = 0;
constexpr int GlyphTop = 18;
constexpr int GlyphCentreX = GlyphLeft + 6;
constexpr int GlyphCentreY = GlyphTop + 6;

const std::vector<COLORREF> CellColors = {
    RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255),
    RGB(255, 0, 255), RGB(128, 0, 0),   RGB(0, 128, 0), RGB(0, 0, 128),
};

// A PNG as the test helpers write it (8-bit RGB, filter 0, deflate blocks stored) read back.
struct PngPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rows;  // filter byte and RGB triples per row
    COLORREF At(int x, int y) const
    {
        const size_t at = static_cast<size_t>(y) * (1 + 3 * width) + 1 + 3 * static_cast<size_t>(x);
        return RGB(rows[at], rows[at + 1], rows[at + 2]);
    }
};

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, size_t at)
{
    return (std::uint32_t(bytes[at]) << 24) | (std::uint32_t(bytes[at + 1]) << 16) | (std::uint32_t(bytes[at + 2]) << 8) |
           bytes[at + 3];
}

PngPixels ReadPng(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    PngPixels png;
    std::vector<std::uint8_t> zlib;
    for (size_t at = 8; at + 8 <= bytes.size();) {
        const std::uint32_t length = BigEndian(bytes, at);
        const std::string type(bytes.begin() + at + 4, bytes.begin() + at + 8);
        if (type == "IHDR") {
            png.width = static_cast<int>(BigEndian(bytes, at + 8));
            png.height = static_cast<int>(BigEndian(bytes, at + 12));
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), bytes.begin() + at + 8, bytes.begin() + at + 8 + length);
        }
        at += 12 + length;
    }
    // Stored deflate blocks after the two zlib header bytes: a header byte, LEN, NLEN, the data.
    for (size_t at = 2; at + 5 <= zlib.size();) {
        const bool last = zlib[at] & 1;
        const size_t length = zlib[at + 1] | (size_t(zlib[at + 2]) << 8);
        png.rows.insert(png.rows.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        at += 5 + length;
        if (last)
            break;
    }
    EXPECT_EQ(png.rows.size(), static_cast<size_t>(png.height) * (1 + 3 * png.width)) << path;
    return png;
}

// The control's window as it shows now, through a PNG file named `name`.
template <class Control>
PngPixels Shown(Control* control, const std::string& name)
{
    RedrawWindow(control->ControlWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    const std::string path = name + ".png";
    EXPECT_TRUE(WritePng(path, CaptureClientArea(control->ControlWindow())));
    return ReadPng(path);
}

template <class Control>
class GlyphPixelTest : public HostedOptionTest<Control> {
protected:
    void ShowWithGraphics(int cells)
    {
        this->Activate(false, true);
        IPictureDisp* picture =
            SolidCellsPicture(std::vector<COLORREF>(CellColors.begin(), CellColors.begin() + cells), 13);
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(this->control->put_Graphics(picture), S_OK);
        picture->Release();
        HostedOptionTest<Control>::Pump();
    }
    // The cell shown at the glyph's centre, or -1 for none of them.
    int CellShown(const std::string& name)
    {
        const COLORREF shown = Shown(this->control.get(), name).At(GlyphCentreX, GlyphCentreY);
        for (size_t i = 0; i < CellColors.size(); ++i)
            if (CellColors[i] == shown)
                return static_cast<int>(i);
        return -1;
    }
};

using CheckGlyphTest = GlyphPixelTest<QvCheck>;
using OptionGlyphTest = GlyphPixelTest<QvOption>;

TEST_F(CheckGlyphTest, EveryStateDrawsItsCellOfTheGraphicsStrip)
{
    ShowWithGraphics(9);
    ASSERT_EQ(control->put_TripleState(VARIANT_TRUE), S_OK);
    for (bool disabled : {false, true}) {
        ASSERT_EQ(control->put_Enabled(disabled ? VARIANT_FALSE : VARIANT_TRUE), S_OK);
        for (int value = 0; value <= 2; ++value) {
            ASSERT_EQ(control->put_Value(static_cast<Constants_CheckBoxValue>(value)), S_OK);
            for (bool pressed : {false, true}) {
                if (pressed)
                    Press(50, 25);
                // A disabled box takes no press.
                const int expected = (disabled ? 6 : pressed ? 3 : 0) + value;
                const std::string name = "check-glyph-" + std::to_string(value) + (pressed ? "-pressed" : "") +
                                         (disabled ? "-disabled" : "");
                EXPECT_EQ(CellShown(name), expected) << name;
                if (pressed)
                    Send(WM_CANCELMODE);
            }
        }
    }
}

TEST_F(OptionGlyphTest, EveryStateDrawsItsCellOfTheGraphicsStrip)
{
    ShowWithGraphics(6);
    for (bool disabled : {false, true}) {
        ASSERT_EQ(control->put_Enabled(disabled ? VARIANT_FALSE : VARIANT_TRUE), S_OK);
        for (short value : {0, -1}) {
            ASSERT_EQ(control->put_Value(value), S_OK);
            for (bool pressed : {false, true}) {
                if (pressed)
                    Press(50, 25);
                const int expected = (disabled ? 4 : pressed ? 2 : 0) + (value != 0 ? 1 : 0);
                const std::string name = "option-glyph-" + std::to_string(value != 0) + (pressed ? "-pressed" : "") +
                                         (disabled ? "-disabled" : "");
                EXPECT_EQ(CellShown(name), expected) << name;
                if (pressed)
                    Send(WM_CANCELMODE);
            }
        }
    }
}

// The system colours the built-in strips' key colours stand for.
COLORREF Light()
{
    return GetSysColor(plyx::GetDefaultButtonLook() == 2 ? COLOR_BTNSHADOW : COLOR_3DLIGHT);
}
COLORREF Dark()
{
    return GetSysColor(plyx::GetDefaultButtonLook() == 2 ? COLOR_WINDOWFRAME : COLOR_3DDKSHADOW);
}

TEST_F(CheckGlyphTest, TheBuiltInStripShowsTheSystemColoursInPlaceOfItsKeys)
{
    Activate(false, true);
    ASSERT_EQ(control->put_Value(qvCBChecked), S_OK);
    Pump();
    const PngPixels png = Shown(control.get(), "check-built-in");
    struct Pixel {
        const char* what;
        int x, y;
        COLORREF expected;
    } pixels[] = {
        {"outer shadow edge", 0, 0, GetSysColor(COLOR_BTNSHADOW)},
        {"inner dark edge", 1, 1, Dark()},
        {"inner light edge", 11, 11, Light()},
        {"outer highlight edge", 12, 12, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {"inside of the box", 3, 3, GetSysColor(COLOR_WINDOW)},
        {"the check mark", 6, 6, GetSysColor(COLOR_WINDOWFRAME)},
    };
    for (const Pixel& pixel : pixels)
        EXPECT_EQ(png.At(GlyphLeft + pixel.x, GlyphTop + pixel.y), pixel.expected) << pixel.what;
}

TEST_F(OptionGlyphTest, TheBuiltInStripShowsTheBackgroundWhereItIsRed)
{
    Activate(false, true);
    ASSERT_EQ(control->put_BackColor(RGB(10, 120, 200)), S_OK);
    ASSERT_EQ(control->put_Value(-1), S_OK);
    Pump();
    const PngPixels png = Shown(control.get(), "option-built-in");
    EXPECT_EQ(png.At(GlyphLeft, GlyphTop), RGB(10, 120, 200)) << "the corner outside the round glyph";
    EXPECT_EQ(png.At(GlyphCentreX, GlyphCentreY), GetSysColor(COLOR_WINDOWFRAME)) << "the dot";
    EXPECT_EQ(png.At(GlyphLeft + 3, GlyphTop + 6), GetSysColor(COLOR_WINDOW)) << "inside the ring";
}

// The strip redrawn in system colours, on a memory canvas: every key colour of the table.
TEST(GlyphStrip, EveryKeyColourBecomesItsSystemColour)
{
    HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(107));
    ASSERT_NE(strip, nullptr);
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP colored = plyx::CreateSystemColoredStrip(screen, strip, nullptr);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(colored, nullptr);
    BITMAP shape = {};
    ASSERT_NE(GetObjectA(colored, sizeof shape, &shape), 0);
    EXPECT_EQ(shape.bmWidth, 117);
    EXPECT_EQ(shape.bmHeight, 13);
    HGDIOBJ previous = SelectObject(canvas, colored);
    struct Pixel {
        const char* what;
        int x, y;
        COLORREF expected;
    } pixels[] = {
        {"unchecked inside", 3, 3, GetSysColor(COLOR_WINDOW)},
        {"pressed inside", 3 * 13 + 3, 3, GetSysColor(COLOR_BTNFACE)},
        {"check mark", 13 + 6, 6, GetSysColor(COLOR_WINDOWFRAME)},
        {"shadow", 0, 0, GetSysColor(COLOR_BTNSHADOW)},
        {"highlight", 8 * 13 + 12, 12, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {"light edge", 11, 11, Light()},
        {"dark edge", 1, 1, Dark()},
    };
    for (const Pixel& pixel : pixels)
        EXPECT_EQ(GetPixel(canvas, pixel.x, pixel.y), pixel.expected) << pixel.what;
    SelectObject(canvas, previous);
    DeleteDC(canvas);
    DeleteObject(colored);
    DeleteObject(strip);
}

} // namespace

namespace {

// The caption of a disabled box at run time: grey text drawn by the system where the grey-text
// colour would not show on a grey face, else in the grey-text colour itself.
class DisabledCaptionTest : public HostedOptionTest<QvCheck> {
protected:
    void TearDown() override
    {
        if (changed_) {
            const INT element = COLOR_GRAYTEXT;
            SetSysColors(1, &element, &original_);
        }
        HostedOptionTest<QvCheck>::TearDown();
    }
    void SetGrayText(COLORREF color)
    {
        if (!changed_)
            original_ = GetSysColor(COLOR_GRAYTEXT);
        changed_ = true;
        const INT element = COLOR_GRAYTEXT;
        ASSERT_TRUE(SetSysColors(1, &element, &color));
    }
    // How many pixels of the caption's box show `color`.
    int PixelsOf(COLORREF color, const std::string& name)
    {
        const PngPixels png = Shown(control.get(), name);
        const RECT& box = control->Layout().caption;
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                count += png.At(x, y) == color ? 1 : 0;
        return count;
    }

private:
    bool changed_ = false;
    COLORREF original_ = 0;
};

TEST_F(DisabledCaptionTest, IsGreyedByTheSystemWhenTheGreyTextColourIsTheFacesGrey)
{
    Activate(false, true);
    BSTR caption = SysAllocString(L"Receipts");
    ASSERT_EQ(control->put_Caption(caption), S_OK);
    SysFreeString(caption);
    ASSERT_EQ(control->put_BackColor(RGB(192, 192, 192)), S_OK);
    ASSERT_EQ(control->put_Enabled(VARIANT_FALSE), S_OK);

    SetGrayText(RGB(128, 128, 128));
    EXPECT_GT(PixelsOf(RGB(128, 128, 128), "caption-grey-text"), 10) << "drawn in the grey-text colour";

    SetGrayText(RGB(192, 192, 192));
    EXPECT_EQ(PixelsOf(RGB(128, 128, 128), "caption-system-grey"), 0);
    EXPECT_GT(PixelsOf(RGB(0, 0, 0), "caption-system-grey"), 10) << "greyed through the black brush";
}

} // namespace
