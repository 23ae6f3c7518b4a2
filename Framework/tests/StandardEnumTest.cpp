#include "Module.h"
#include "StandardEnum.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// {8D3C1A20-6B5E-4F7A-9C12-0E4D5B6A7F31}
constexpr IID TestEnumIid = {0x8d3c1a20, 0x6b5e, 0x4f7a, {0x9c, 0x12, 0x0e, 0x4d, 0x5b, 0x6a, 0x7f, 0x31}};

int g_destroyed = 0;
void CountDestroyed(void*) { ++g_destroyed; }

// An enumerator over the numbers first .. first + count - 1.
IStandardEnumerator* Numbers(LONG first, ULONG count, EnumElementDestroy destroy = nullptr)
{
    auto* numbers = static_cast<LONG*>(Module::Allocate(sizeof(LONG) * count));
    for (ULONG i = 0; i < count; ++i)
        numbers[i] = first + LONG(i);
    void* enumerator = nullptr;
    EXPECT_EQ(StandardEnum::Create(TestEnumIid, count, sizeof(LONG), numbers, CopyEnumElementBytes, destroy,
                                   nullptr, &enumerator),
              S_OK);
    return static_cast<IStandardEnumerator*>(enumerator);
}

TEST(StandardEnum, NextHandsOutElementsInOrderAndSaysWhenItRanShort)
{
    IStandardEnumerator* numbers = Numbers(10, 5);
    LONG out[4] = {};
    ULONG fetched = 99;
    EXPECT_EQ(numbers->Next(2, out, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(out[0], 10);
    EXPECT_EQ(out[1], 11);
    EXPECT_EQ(numbers->Next(4, out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(out[0], 12);
    EXPECT_EQ(out[2], 14);
    EXPECT_EQ(numbers->Next(1, out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(numbers->Reset(), S_OK);
    EXPECT_EQ(numbers->Next(1, out, nullptr), S_OK);
    EXPECT_EQ(out[0], 10);
    EXPECT_EQ(numbers->Next(1, nullptr, &fetched), E_POINTER);
    numbers->Release();
}

TEST(StandardEnum, SkipStopsAtTheEndAndCannotWrap)
{
    struct Case { ULONG start; ULONG skip; HRESULT result; LONG next; } cases[] = {
        {0, 0, S_OK, 0}, {0, 4, S_OK, 4}, {1, 4, S_OK, -1}, {2, 4, S_FALSE, -1},
        {3, ULONG_MAX, S_FALSE, -1}, {1, ULONG_MAX - 1, S_FALSE, -1}, {5, 1, S_FALSE, -1}};
    for (const Case& c : cases) {
        IStandardEnumerator* numbers = Numbers(0, 5);
        numbers->Skip(c.start);
        EXPECT_EQ(numbers->Skip(c.skip), c.result) << c.start << "+" << c.skip;
        LONG out = -1;
        ULONG fetched = 0;
        EXPECT_EQ(numbers->Next(1, &out, &fetched), c.next >= 0 ? S_OK : S_FALSE) << c.start << "+" << c.skip;
        EXPECT_EQ(fetched, c.next >= 0 ? 1u : 0u);
        if (c.next >= 0) {
            EXPECT_EQ(out, c.next);
        }
        numbers->Release();
    }
}

TEST(StandardEnum, AnswersOnlyItsOwnInterface)
{
    IStandardEnumerator* numbers = Numbers(0, 1);
    void* answer = nullptr;
    EXPECT_EQ(numbers->QueryInterface(TestEnumIid, &answer), S_OK);
    EXPECT_EQ(answer, numbers);
    numbers->Release();
    EXPECT_EQ(numbers->QueryInterface(IID_IUnknown, &answer), S_OK);
    numbers->Release();
    EXPECT_EQ(numbers->QueryInterface(IID_IDispatch, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    numbers->Release();
}

TEST(StandardEnum, ACloneStartsWhereItsSourceIsAndOutlivesIt)
{
    const LONG objectsBefore = Module::ObjectCount();
    g_destroyed = 0;
    IStandardEnumerator* numbers = Numbers(0, 4, CountDestroyed);
    numbers->Skip(1);
    IStandardEnumerator* clone = nullptr;
    ASSERT_EQ(numbers->Clone(&clone), S_OK);
    EXPECT_EQ(Module::ObjectCount(), objectsBefore + 2);
    numbers->Release();
    EXPECT_EQ(g_destroyed, 0);
    LONG out[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(clone->Next(4, out, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 3u);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[2], 3);
    IStandardEnumerator* cloneOfClone = nullptr;
    ASSERT_EQ(clone->Clone(&cloneOfClone), S_OK);
    clone->Release();
    cloneOfClone->Reset();
    EXPECT_EQ(cloneOfClone->Next(1, out, nullptr), S_OK);
    EXPECT_EQ(out[0], 0);
    cloneOfClone->Release();
    // The array's elements went once, with the last enumerator that shared them.
    EXPECT_EQ(g_destroyed, 4);
    EXPECT_EQ(Module::ObjectCount(), objectsBefore);
}

TEST(StandardEnum, AnEmptyEnumeratorFetchesNothing)
{
    void* enumerator = nullptr;
    ASSERT_EQ(StandardEnum::Create(TestEnumIid, 0, sizeof(LONG), nullptr, CopyEnumElementBytes, nullptr, nullptr,
                                   &enumerator),
              S_OK);
    auto* empty = static_cast<IStandardEnumerator*>(enumerator);
    LONG out = 0;
    ULONG fetched = 1;
    EXPECT_EQ(empty->Next(1, &out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(empty->Skip(1), S_FALSE);
    empty->Release();
}

} // namespace
