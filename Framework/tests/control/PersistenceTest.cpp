// The control's persisted state through its three persistence interfaces: the stored bytes, the
// names in a property bag, what is refused, and the dirty flag.
#include "ControlPersistence.h"
#include "ControlTestSupport.h"
#include "MemoryPropertyBag.h"

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes BytesOf(IStream* stream)
{
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    Bytes bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

// The state of a new 100 x 50 pixel test control holding 0x11223344, at 96 dots per inch.
const Bytes GoldenState = {
    0x21, 0x43, 0x34, 0x12,  // magic
    0x08, 0x00, 0x00, 0x00,  // extent size
    0x56, 0x0A, 0x00, 0x00,  // cx 2646
    0x2B, 0x05, 0x00, 0x00,  // cy 1323
    0x00, 0x00, 0x02, 0x00,  // version 0x00020000
    0x44, 0x33, 0x22, 0x11,  // the test control's own block
};

class PersistenceTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        if (ScreenDotsPerInchX() != 96 || ScreenDotsPerInchY() != 96)
            GTEST_SKIP() << "the stored bytes are those of a 96 dots-per-inch screen";
    }
};

TEST_F(PersistenceTest, StreamRoundTripWithTheStoredBytes)
{
    HeldControl control;
    IPersistStreamInit* persist = control.As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_EQ(persist->InitNew(), S_OK);
    control->number = 0x11223344;
    IStream* stream = StreamOf({});
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(BytesOf(stream), GoldenState);
    stream->Release();

    HeldControl loaded;
    loaded->SetControlSize(SIZEL{7, 7});
    stream = StreamOf(GoldenState);
    ASSERT_EQ(loaded.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream), S_OK);
    stream->Release();
    EXPECT_EQ(loaded->Extent().cx, 100);
    EXPECT_EQ(loaded->Extent().cy, 50);
    EXPECT_EQ(loaded->LoadedVersion(), 0x20000u);
    EXPECT_EQ(loaded->number, 0x11223344);
    EXPECT_EQ(loaded.As<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty(), S_FALSE);
    CLSID clsid = {};
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_TestControl));
}

TEST_F(PersistenceTest, ExtentIsStoredInHimetric)
{
    HeldControl control;
    // 2895 twips.
    ASSERT_TRUE(control->SetControlSize(SIZEL{193, 50}));
    IStream* stream = StreamOf({});
    ASSERT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream, FALSE), S_OK);
    const Bytes bytes = BytesOf(stream);
    stream->Release();
    ASSERT_GE(bytes.size(), 16u);
    LONG cx = 0;
    std::memcpy(&cx, &bytes[8], 4);
    EXPECT_EQ(cx, 5106);
}

TEST_F(PersistenceTest, DamagedStreamsAreRefused)
{
    const struct {
        const char* what;
        size_t offset;  // a 32-bit word changed in the golden state, or the length kept
        DWORD value;
        bool truncate;
        HRESULT result;
    } cases[] = {
        {"extent size 16", 4, 16, false, E_UNEXPECTED},
        {"wrong magic", 0, 0x12344322, false, E_UNEXPECTED},
        {"negative width", 8, 0xFFFFFFF0, false, E_UNEXPECTED},
        {"huge height", 12, 0x7FFFFFFF, false, E_UNEXPECTED},
        {"cut in the header", 10, 0, true, STG_E_READFAULT},
        {"cut before the version", 16, 0, true, STG_E_READFAULT},
        {"cut in the control's block", 22, 0, true, STG_E_READFAULT},
        {"empty", 0, 0, true, STG_E_READFAULT},
    };
    for (const auto& c : cases) {
        Bytes bytes = GoldenState;
        if (c.truncate)
            bytes.resize(c.offset);
        else
            std::memcpy(&bytes[c.offset], &c.value, 4);
        HeldControl control;
        control->SetControlSize(SIZEL{33, 22});
        IStream* stream = StreamOf(bytes);
        EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream), c.result) << c.what;
        stream->Release();
        if (c.offset < 16 && !c.truncate) {
            EXPECT_EQ(control->Extent().cx, 33) << c.what << ": the extent is kept";
        }
    }
}

// The version word only tells the levels above which data they read; any version is read the same
// way, the blocks that follow included.
TEST_F(PersistenceTest, AnyVersionWordIsReadWithTheBlocksAfterIt)
{
    const DWORD versions[] = {0x00010000, 0x00020000, 0x00020001, 0x00030000, 0xFFFFFFFF};
    for (const DWORD version : versions) {
        Bytes bytes = GoldenState;
        std::memcpy(&bytes[16], &version, 4);
        HeldControl control;
        IStream* stream = StreamOf(bytes);
        EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream), S_OK) << std::hex << version;
        stream->Release();
        EXPECT_EQ(control->LoadedVersion(), version);
        EXPECT_EQ(control->number, 0x11223344) << std::hex << version << ": the class block is read";
        EXPECT_EQ(control->Extent().cx, 100);
    }
}

// An extent no screen could show is refused in a bag as in a stream: the load fails and the
// control keeps its extent. A missing or unreadable one is no error.
TEST_F(PersistenceTest, AnOutOfRangeExtentInABagIsRefused)
{
    const struct {
        const char* what;
        LONG cx;  // HIMETRIC; 0 with missing leaves the name out
        LONG cy;
        bool missing;
        HRESULT result;
        LONG loadedWidth;  // pixels after the load
    } cases[] = {
        {"in range", 5106, 1323, false, S_OK, 193},
        {"zero", 0, 0, false, S_OK, 0},
        {"negative width", -1000, 1323, false, E_UNEXPECTED, 33},
        {"negative height", 5106, -100, false, E_UNEXPECTED, 33},
        {"huge width", 0x7FFFFFFF, 1323, false, E_UNEXPECTED, 33},
        {"beyond any screen", 900000, 1323, false, E_UNEXPECTED, 33},
        {"height missing", 5106, 0, true, S_OK, 100},
    };
    for (const auto& c : cases) {
        MemoryPropertyBag bag;
        bag.SetLong(L"_ExtentX", c.cx);
        if (!c.missing)
            bag.SetLong(L"_ExtentY", c.cy);
        bag.SetLong(L"Number", 9);
        HeldControl control;
        control->SetControlSize(SIZEL{33, 22});
        EXPECT_EQ(control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), c.result) << c.what;
        EXPECT_EQ(control->Extent().cx, c.loadedWidth) << c.what;
        EXPECT_EQ(control->number, c.result == S_OK ? 9 : 0) << c.what << ": nothing after a refused extent is read";
        EXPECT_EQ(bag.references, 0u);
    }
}

TEST_F(PersistenceTest, StorageRoundTripAndTheDirtyFlag)
{
    ILockBytes* bytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage),
              S_OK);
    {
        HeldControl control;
        IPersistStorage* persist = control.As<IPersistStorage>(IID_IPersistStorage);
        ASSERT_EQ(persist->InitNew(storage), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK);
        control->number = 0x11223344;
        ASSERT_EQ(persist->Save(storage, TRUE), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK) << "only SaveCompleted clears the mark";
        EXPECT_EQ(persist->SaveCompleted(nullptr), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);

        // A failed save leaves the control dirty after SaveCompleted.
        control->put_Number(5);
        control->failSave = true;
        EXPECT_EQ(persist->Save(storage, TRUE), STG_E_MEDIUMFULL);
        EXPECT_EQ(persist->SaveCompleted(nullptr), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK);
        control->failSave = false;
        control->number = 0x11223344;
        ASSERT_EQ(persist->Save(storage, TRUE), S_OK);
    }
    IStream* contents = nullptr;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &contents), S_OK);
    EXPECT_EQ(BytesOf(contents), GoldenState);
    contents->Release();

    HeldControl loaded;
    ASSERT_EQ(loaded.As<IPersistStorage>(IID_IPersistStorage)->Load(storage), S_OK);
    EXPECT_EQ(loaded->number, 0x11223344);
    EXPECT_EQ(loaded.As<IPersistStorage>(IID_IPersistStorage)->IsDirty(), S_FALSE);
    storage->Release();
    bytes->Release();

    HeldControl empty;
    IStorage* blank = nullptr;
    ILockBytes* blankBytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &blankBytes), S_OK);
    ASSERT_EQ(StgCreateDocfileOnILockBytes(blankBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &blank),
              S_OK);
    EXPECT_EQ(empty.As<IPersistStorage>(IID_IPersistStorage)->Load(blank), STG_E_FILENOTFOUND);
    blank->Release();
    blankBytes->Release();
}

// A save that fails in any way, after an earlier good one, leaves the control dirty through
// SaveCompleted: a container that then asks IsDirty before closing still saves the change.
TEST_F(PersistenceTest, AFailedStorageSaveNeverCountsAsTheLastGoodOne)
{
    // A docfile with a "Contents" stream, reopened for reading only: CreateStream is refused.
    ILockBytes* readOnlyBytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &readOnlyBytes), S_OK);
    IStorage* writable = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(readOnlyBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                           &writable),
              S_OK);
    ASSERT_EQ(writable->Commit(STGC_DEFAULT), S_OK);
    writable->Release();
    IStorage* readOnly = nullptr;
    ASSERT_EQ(StgOpenStorageOnILockBytes(readOnlyBytes, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                         &readOnly),
              S_OK);

    ILockBytes* goodBytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &goodBytes), S_OK);
    IStorage* good = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(goodBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &good),
              S_OK);

    const struct {
        const char* what;
        IStorage* storage;
        bool failWrite;
    } failures[] = {
        {"read-only storage", readOnly, false},
        {"a write that fails", good, true},
    };
    for (const auto& failure : failures) {
        HeldControl control;
        IPersistStorage* persist = control.As<IPersistStorage>(IID_IPersistStorage);
        ASSERT_EQ(persist->InitNew(good), S_OK);
        ASSERT_EQ(persist->Save(good, TRUE), S_OK);
        ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
        ASSERT_EQ(persist->IsDirty(), S_FALSE) << failure.what;

        ASSERT_EQ(control->put_Number(5), S_OK);
        control->failSave = failure.failWrite;
        EXPECT_TRUE(FAILED(persist->Save(failure.storage, TRUE))) << failure.what;
        EXPECT_EQ(persist->SaveCompleted(nullptr), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK) << failure.what << ": the change is still unsaved";
        control->failSave = false;
    }
    IStream* refused = nullptr;
    EXPECT_EQ(readOnly->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &refused),
              STG_E_ACCESSDENIED)
        << "the storage refuses the stream as a container's read-only copy does";
    good->Release();
    goodBytes->Release();
    readOnly->Release();
    readOnlyBytes->Release();
}

TEST_F(PersistenceTest, PropertyBagRoundTrip)
{
    MemoryPropertyBag bag;
    {
        HeldControl control;
        IPersistPropertyBag* persist = control.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
        ASSERT_EQ(persist->InitNew(), S_OK);
        control->number = 77;
        ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
        EXPECT_EQ(control.As<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty(), S_FALSE);
    }
    EXPECT_EQ(bag.Long(L"_ExtentX"), 2646);
    EXPECT_EQ(bag.Long(L"_ExtentY"), 1323);
    EXPECT_EQ(bag.Long(L"_Version"), 0x20000);
    EXPECT_EQ(bag.Long(L"Number"), 77);

    HeldControl loaded;
    loaded->SetControlSize(SIZEL{7, 7});
    ASSERT_EQ(loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(loaded->Extent().cx, 100);
    EXPECT_EQ(loaded->Extent().cy, 50);
    EXPECT_EQ(loaded->number, 77);
    EXPECT_EQ(bag.references, 0u);

    // Missing names: the default extent, and the current version (no old-data fix-up).
    bag.Remove(L"_Version");
    bag.Remove(L"_ExtentY");
    bag.SetLong(L"_ExtentX", 5106);
    HeldControl sparse;
    ASSERT_EQ(sparse.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(sparse->LoadedVersion(), 0x20000u);
    EXPECT_EQ(sparse->Extent().cx, 100);
    EXPECT_EQ(sparse->Extent().cy, 50);

    // A bag that refuses to be written: its failure, and the control stays dirty.
    MemoryPropertyBag full;
    full.writeAnswer = STG_E_MEDIUMFULL;
    sparse->SetDirty(true);
    EXPECT_EQ(sparse.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&full, TRUE, FALSE), STG_E_MEDIUMFULL);
    EXPECT_TRUE(sparse->IsDirty());
}

} // namespace
