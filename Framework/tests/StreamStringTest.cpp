#include "AnsiString.h"
#include "StreamString.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

#include <random>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes)
{
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    if (!bytes.empty()) {
        ULONG written = 0;
        EXPECT_EQ(stream->Write(bytes.data(), ULONG(bytes.size()), &written), S_OK);
    }
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<BYTE> BytesOf(IStream* stream)
{
    STATSTG stat = {};
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    std::vector<BYTE> bytes(size_t(stat.cbSize.QuadPart));
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), ULONG(bytes.size()), &read);
    return bytes;
}

ULONGLONG Position(IStream* stream)
{
    const LARGE_INTEGER none = {};
    ULARGE_INTEGER position = {};
    stream->Seek(none, STREAM_SEEK_CUR, &position);
    return position.QuadPart;
}

// Blocks in use on the process heap, where the framework and the OLE allocator take their memory.
size_t HeapBlocksInUse()
{
    HANDLE heap = GetProcessHeap();
    size_t blocks = 0;
    if (!HeapLock(heap))
        return 0;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
            ++blocks;
    }
    HeapUnlock(heap);
    return blocks;
}

TEST(StreamString, TextIsWrittenAsLengthAndBytes)
{
    struct Case { const char* text; std::vector<BYTE> bytes; } cases[] = {
        {"abc", {0x03, 0x00, 'a', 'b', 'c'}},
        {"", {0x00, 0x00}},
        {nullptr, {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        ComPtr<IStream> stream = StreamOf({});
        EXPECT_EQ(WriteStreamString(stream.Get(), AnsiString(c.text)), S_OK);
        EXPECT_EQ(BytesOf(stream.Get()), c.bytes) << (c.text != nullptr ? c.text : "(null)");
    }
    ComPtr<IStream> stream = StreamOf({});
    BSTR wide = SysAllocString(L"abc");
    EXPECT_EQ(WriteStreamBstr(stream.Get(), wide), S_OK);
    EXPECT_EQ(WriteStreamBstr(stream.Get(), nullptr), S_OK);
    SysFreeString(wide);
    EXPECT_EQ(BytesOf(stream.Get()), (std::vector<BYTE>{0x03, 0x00, 'a', 'b', 'c', 0x00, 0x00}));
}

TEST(StreamString, LongestTextFitsAndALongerOneIsNeverWritten)
{
    std::string longest(MaxStreamStringLength, 'x');
    ComPtr<IStream> stream = StreamOf({});
    EXPECT_EQ(WriteStreamString(stream.Get(), AnsiString(longest.c_str())), S_OK);
    EXPECT_EQ(Position(stream.Get()), 2u + MaxStreamStringLength);
    std::vector<BYTE> bytes = BytesOf(stream.Get());
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x7F);

    ComPtr<IStream> refused = StreamOf({});
    const std::string tooLong(MaxStreamStringLength + 1, 'x');
    EXPECT_EQ(WriteStreamString(refused.Get(), AnsiString(tooLong.c_str())), E_INVALIDARG);
    std::wstring wideTooLong(MaxStreamStringLength + 1, L'y');
    BSTR wide = SysAllocStringLen(wideTooLong.data(), UINT(wideTooLong.size()));
    EXPECT_EQ(WriteStreamBstr(refused.Get(), wide), E_INVALIDARG);
    SysFreeString(wide);
    EXPECT_EQ(Position(refused.Get()), 0u);

    // Beyond the 120 bytes converted on the stack.
    ComPtr<IStream> roundTrip = StreamOf({});
    std::wstring wideText(300, L'z');
    wide = SysAllocString(wideText.c_str());
    EXPECT_EQ(WriteStreamBstr(roundTrip.Get(), wide), S_OK);
    SysFreeString(wide);
    const LARGE_INTEGER start = {};
    roundTrip->Seek(start, STREAM_SEEK_SET, nullptr);
    BSTR back = nullptr;
    EXPECT_EQ(ReadStreamBstr(roundTrip.Get(), &back), S_OK);
    EXPECT_EQ(std::wstring(back, SysStringLen(back)), wideText);
    SysFreeString(back);
}

TEST(StreamString, ReadingTakesTheLengthAndThatManyBytes)
{
    ComPtr<IStream> stream = StreamOf({0x03, 0x00, 'a', 'b', 'c', 0x00, 0x00, 0x02, 0x00, 'h', 'i', 0x55});
    AnsiString text("old");
    EXPECT_EQ(ReadStreamString(stream.Get(), &text), S_OK);
    EXPECT_STREQ(text.Text(), "abc");
    EXPECT_EQ(ReadStreamString(stream.Get(), &text), S_OK);
    EXPECT_TRUE(text.IsEmpty());
    // A zero length reads nothing more.
    EXPECT_EQ(Position(stream.Get()), 7u);
    BSTR wide = nullptr;
    EXPECT_EQ(ReadStreamBstr(stream.Get(), &wide), S_OK);
    EXPECT_EQ(std::wstring(wide, SysStringLen(wide)), L"hi");
    SysFreeString(wide);
    EXPECT_EQ(Position(stream.Get()), 11u);

    ComPtr<IStream> empty = StreamOf({0x00, 0x00});
    EXPECT_EQ(ReadStreamBstr(empty.Get(), &wide), S_OK);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(SysStringLen(wide), 0u);
    SysFreeString(wide);
}

TEST(StreamString, DamagedStoredTextIsRefused)
{
    struct Case { const char* what; std::vector<BYTE> bytes; } cases[] = {
        {"negative length", {0xFF, 0xFF, 'a'}},
        {"most negative length", {0x00, 0x80}},
        {"text cut short", {0x05, 0x00, 'a', 'b'}},
        {"length cut short", {0x05}},
        {"nothing at all", {}},
    };
    for (const Case& c : cases) {
        AnsiString text("old");
        EXPECT_EQ(ReadStreamString(StreamOf(c.bytes).Get(), &text), STG_E_READFAULT) << c.what;
        EXPECT_TRUE(text.IsEmpty()) << c.what;
        BSTR wide = SysAllocString(L"old");
        BSTR kept = wide;
        EXPECT_EQ(ReadStreamBstr(StreamOf(c.bytes).Get(), &wide), STG_E_READFAULT) << c.what;
        EXPECT_EQ(wide, nullptr) << c.what;
        SysFreeString(kept);
    }
}

TEST(StreamString, RandomAndTruncatedStoredTextNeitherCrashesNorLeaks)
{
    std::mt19937 random(20240517);
    // Valid strings cut at every length, and random bytes with lengths of every sign and size.
    std::vector<std::vector<BYTE>> inputs;
    const std::vector<BYTE> valid = {0x06, 0x00, 'p', 'l', 'y', 'x', '2', '0'};
    for (size_t cut = 0; cut <= valid.size(); ++cut)
        inputs.emplace_back(valid.begin(), valid.begin() + cut);
    for (int i = 0; i < 400; ++i) {
        std::vector<BYTE> bytes(random() % 64);
        for (BYTE& b : bytes)
            b = BYTE(random());
        if (bytes.size() >= 2 && i % 2 == 0)
            bytes[1] &= 0x7F; // a plausible length now and then
        inputs.push_back(bytes);
    }
    std::vector<ComPtr<IStream>> streams;
    for (const std::vector<BYTE>& bytes : inputs) {
        streams.push_back(StreamOf(bytes));
        streams.push_back(StreamOf(bytes));
    }

    auto readAll = [&]() {
        for (size_t i = 0; i < inputs.size(); ++i) {
            const LARGE_INTEGER start = {};
            streams[2 * i]->Seek(start, STREAM_SEEK_SET, nullptr);
            streams[2 * i + 1]->Seek(start, STREAM_SEEK_SET, nullptr);
            AnsiString text;
            const HRESULT hr = ReadStreamString(streams[2 * i].Get(), &text);
            EXPECT_TRUE(hr == S_OK || hr == STG_E_READFAULT);
            if (hr == S_OK && inputs[i].size() >= 2) {
                EXPECT_EQ(text.Length() + 2, Position(streams[2 * i].Get()));
            }
            BSTR wide = nullptr;
            const HRESULT wideResult = ReadStreamBstr(streams[2 * i + 1].Get(), &wide);
            EXPECT_EQ(wideResult, hr);
            EXPECT_EQ(wide != nullptr, SUCCEEDED(wideResult));
            SysFreeString(wide);
        }
    };
    readAll(); // caches of the allocators settle
    const size_t before = HeapBlocksInUse();
    for (int round = 0; round < 5; ++round)
        readAll();
    const size_t after = HeapBlocksInUse();
    // A leak per read would leave thousands of blocks behind; allocator caches keep a few.
    EXPECT_LT(after, before + 64) << before << " -> " << after;
}

} // namespace
