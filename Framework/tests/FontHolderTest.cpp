#include "FontHolder.h"
#include "SinkConnection.h"
#include "TestSink.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

std::wstring FontName(IFont* font)
{
    BSTR name = nullptr;
    EXPECT_EQ(font->get_Name(&name), S_OK);
    std::wstring result(name != nullptr ? name : L"");
    SysFreeString(name);
    return result;
}

// The face the platform gives a font asked for by `name` (Wine answers with the face it realizes,
// which may be another where the named one is not installed).
std::wstring RealizedName(const wchar_t* name)
{
    wchar_t copy[64];
    wcscpy(copy, name);
    FONTDESC description = {sizeof(FONTDESC), copy, {}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    description.cySize.int64 = 8 * 10000;
    ComPtr<IFont> font;
    EXPECT_EQ(OleCreateFontIndirect(&description, IID_IFont, &font), S_OK);
    return FontName(font.Get());
}

// Sizes come back as the nearest the device can show.
constexpr LONGLONG SizeTolerance = 5000;

class FontHolderTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // The sink is not counted by the holder: what it holds must come back to the test's one.
        EXPECT_EQ(sink->References(), 1);
        sink->Destroy();
    }
    IPropertyNotifySink* Sink() { return static_cast<IPropertyNotifySink*>(sink); }

    std::vector<std::string> log;
    TestSink* sink = new TestSink(&log, "sink");
};

TEST_F(FontHolderTest, TheDefaultFontIsEightPointMsSansSerif)
{
    FontHolder holder(nullptr);
    EXPECT_EQ(holder.Font(), nullptr);
    EXPECT_EQ(holder.GetHFont(), nullptr);
    ASSERT_EQ(holder.InitFont(nullptr, nullptr), S_OK);
    ASSERT_NE(holder.Font(), nullptr);
    EXPECT_EQ(FontName(holder.Font()), RealizedName(L"MS Sans Serif"));
    CY size = {};
    EXPECT_EQ(holder.Font()->get_Size(&size), S_OK);
    EXPECT_NEAR(double(size.int64), 80000, SizeTolerance);
    SHORT weight = 0;
    EXPECT_EQ(holder.Font()->get_Weight(&weight), S_OK);
    EXPECT_EQ(weight, 400);
    BOOL flag = TRUE;
    EXPECT_EQ(holder.Font()->get_Italic(&flag), S_OK);
    EXPECT_FALSE(flag);
    EXPECT_NE(holder.GetHFont(), nullptr);
}

TEST_F(FontHolderTest, TheSinkHearsChangesOfTheFontUntilItIsLetGo)
{
    FontHolder holder(Sink());
    ASSERT_EQ(holder.InitFont(nullptr, nullptr), S_OK);
    EXPECT_NE(holder.Cookie(), 0u);
    // The connection does not keep the sink's owner alive.
    EXPECT_EQ(sink->References(), 1);
    EXPECT_EQ(holder.Font()->put_Bold(TRUE), S_OK);
    EXPECT_EQ(log, std::vector<std::string>{"sink OnChanged " + std::to_string(DISPID_FONT_BOLD)});

    ComPtr<IFont> kept = holder.Font();
    holder.ReleaseFont();
    EXPECT_EQ(holder.Font(), nullptr);
    EXPECT_EQ(holder.Cookie(), 0u);
    log.clear();
    kept->put_Italic(TRUE);
    EXPECT_TRUE(log.empty());
    holder.ReleaseFont();
}

TEST_F(FontHolderTest, AFontIsClonedAndTheHoldersOwnFontCanBePassedBack)
{
    FontHolder holder(Sink());
    wchar_t arial[] = L"Arial";
    FONTDESC description = {sizeof(FONTDESC), arial, {}, FW_BOLD, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    description.cySize.int64 = 12 * 10000;
    ASSERT_EQ(holder.InitFont(&description, nullptr), S_OK);
    IFont* first = holder.Font();
    EXPECT_EQ(FontName(first), RealizedName(L"Arial"));

    // The holder's only reference to its font is what the clone is made from.
    ASSERT_EQ(holder.InitFont(nullptr, first), S_OK);
    EXPECT_NE(holder.Font(), first);
    EXPECT_EQ(FontName(holder.Font()), RealizedName(L"Arial"));
    SHORT weight = 0;
    EXPECT_EQ(holder.Font()->get_Weight(&weight), S_OK);
    EXPECT_EQ(weight, FW_BOLD);
    CY clonedSize = {};
    EXPECT_EQ(holder.Font()->get_Size(&clonedSize), S_OK);
    EXPECT_NEAR(double(clonedSize.int64), 120000, SizeTolerance);
    log.clear();
    CY size = {};
    size.int64 = 11 * 10000;
    holder.Font()->put_Size(size);
    EXPECT_EQ(log.size(), 1u);

    // An object that is no font: a new default font.
    ComPtr<IStream> notAFont;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &notAFont), S_OK);
    ASSERT_EQ(holder.InitFont(nullptr, notAFont.Get()), S_OK);
    EXPECT_EQ(FontName(holder.Font()), RealizedName(L"MS Sans Serif"));
    EXPECT_EQ(holder.Font()->get_Weight(&weight), S_OK);
    EXPECT_EQ(weight, FW_NORMAL);
}

TEST_F(FontHolderTest, SetFontTakesTheCallersReferenceAndLetsTheOldOneGoOnce)
{
    FontHolder holder(Sink());
    ComPtr<IFont> mine;
    wchar_t name[] = L"Courier New";
    FONTDESC description = {sizeof(FONTDESC), name, {}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    description.cySize.int64 = 9 * 10000;
    ASSERT_EQ(OleCreateFontIndirect(&description, IID_IFont, &mine), S_OK);
    mine->AddRef(); // the reference the holder takes over
    holder.SetFont(mine.Get());
    EXPECT_EQ(holder.Font(), mine.Get());
    holder.SetFont(nullptr);
    holder.ReleaseFont();
    // Only the test's reference is left.
    EXPECT_EQ(mine->AddRef(), 2u);
    EXPECT_EQ(mine->Release(), 1u);
    log.clear();
    mine->put_Bold(TRUE);
    EXPECT_TRUE(log.empty());
}

TEST_F(FontHolderTest, ConnectionsKeepingTheSinkOrNot)
{
    FontHolder holder(nullptr);
    ASSERT_EQ(holder.InitFont(nullptr, nullptr), S_OK);
    IFont* font = holder.Font();
    DWORD cookie = 0;
    ASSERT_TRUE(ConnectionAdvise(font, IID_IPropertyNotifySink, Sink(), true, &cookie));
    EXPECT_EQ(sink->References(), 2);
    EXPECT_TRUE(ConnectionUnadvise(font, IID_IPropertyNotifySink, Sink(), true, cookie));
    EXPECT_EQ(sink->References(), 1);
    // A failed unadvise gives back the reference it borrowed.
    EXPECT_FALSE(ConnectionUnadvise(font, IID_IPropertyNotifySink, Sink(), false, cookie));
    EXPECT_EQ(sink->References(), 1);
    // A source without connection points.
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_FALSE(ConnectionAdvise(stream.Get(), IID_IPropertyNotifySink, Sink(), false, &cookie));
    EXPECT_EQ(sink->References(), 1);
}

} // namespace
