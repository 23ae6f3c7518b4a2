// Damaged data of every kind loaded into the test control: random and cut-short streams and property
// bags, ten thousand of each. Nothing may crash, claim success for data it did not fully read, or
// leave an object behind.
#include "ControlPersistence.h"
#include "ControlTestSupport.h"
#include "MemoryPropertyBag.h"

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int Rounds = 10000;

using LoadMutationTest = ControlTest;

std::vector<unsigned char> ValidState()
{
    std::vector<unsigned char> bytes(24);
    const ExtentHeader header = {ExtentHeader::Magic, ExtentHeader::ExtentSize, 2646, 1323};
    std::memcpy(bytes.data(), &header, sizeof(header));
    const DWORD version = 0x20000;
    std::memcpy(&bytes[16], &version, 4);
    const LONG number = 42;
    std::memcpy(&bytes[20], &number, 4);
    return bytes;
}

TEST_F(LoadMutationTest, RandomAndCutStreams)
{
    std::mt19937 random(20261210);
    const std::vector<unsigned char> valid = ValidState();
    int loaded = 0;
    for (int round = 0; round < 2 * Rounds; ++round) {
        std::vector<unsigned char> bytes;
        if (round < Rounds) {
            // Random bytes; half of them behind a good header so that the later fields are reached.
            bytes.resize(random() % 40);
            for (unsigned char& b : bytes)
                b = static_cast<unsigned char>(random());
            if (round % 2 == 0 && bytes.size() >= 8)
                std::memcpy(bytes.data(), valid.data(), 8);
        } else {
            bytes.assign(valid.begin(), valid.begin() + static_cast<long>(random() % valid.size()));
        }
        HeldControl control;
        IStream* stream = StreamOf(bytes);
        ASSERT_NE(stream, nullptr);
        const HRESULT hr = control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream);
        stream->Release();
        if (SUCCEEDED(hr)) {
            // Success only for data that held all of it.
            ++loaded;
            EXPECT_GE(bytes.size(), valid.size());
            EXPECT_GE(control->Extent().cx, 0);
            EXPECT_GE(control->Extent().cy, 0);
        }
    }
    // The header check lets some random data through; every cut stream is refused.
    EXPECT_LT(loaded, Rounds);
    EXPECT_EQ(Module::ObjectCount(), 0);
}

TEST_F(LoadMutationTest, RandomAndCutPropertyBags)
{
    std::mt19937 random(1210);
    const wchar_t* const names[] = {L"_ExtentX", L"_ExtentY", L"_Version", L"Number"};
    for (int round = 0; round < 2 * Rounds; ++round) {
        MemoryPropertyBag bag;
        for (const wchar_t* name : names) {
            // Cut bags lose names; random ones hold values of any kind.
            if (random() % 3 == 0)
                continue;
            VARIANT value;
            VariantInit(&value);
            switch (round < Rounds ? random() % 5 : 0) {
            case 0:
                value.vt = VT_I4;
                value.lVal = static_cast<LONG>(random());
                break;
            case 1:
                value.vt = VT_BSTR;
                value.bstrVal = SysAllocString(random() % 2 ? L"12" : L"not a number");
                break;
            case 2:
                value.vt = VT_R8;
                value.dblVal = static_cast<double>(static_cast<int>(random())) * 1e6;
                break;
            case 3:
                value.vt = VT_NULL;
                break;
            default:
                value.vt = VT_I2;
                value.iVal = static_cast<SHORT>(random());
                break;
            }
            bag.Set(name, value);
        }
        HeldControl control;
        const HRESULT hr = control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr);
        // A bag with odd values still loads, with defaults for what it lacks; only an extent no
        // screen could show is refused, and then the control keeps the one it had.
        EXPECT_TRUE(hr == S_OK || hr == E_UNEXPECTED) << std::hex << hr;
        if (hr == E_UNEXPECTED) {
            EXPECT_EQ(control->Extent().cx, OleControl::DefaultWidth);
            EXPECT_EQ(control->Extent().cy, OleControl::DefaultHeight);
        }
        EXPECT_GE(control->Extent().cx, 0);
        EXPECT_GE(control->Extent().cy, 0);
        EXPECT_EQ(bag.references, 0u);
    }
    EXPECT_EQ(Module::ObjectCount(), 0);
}

} // namespace
