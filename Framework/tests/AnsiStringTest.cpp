#include "AnsiString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring FromBstr(BSTR text)
{
    std::wstring result(text != nullptr ? text : L"", text != nullptr ? SysStringLen(text) : 0);
    SysFreeString(text);
    return result;
}

TEST(AnsiString, NullTextIsEmptyWhereverItIsUsed)
{
    AnsiString fromNull(nullptr);
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_STREQ(fromNull.Text(), "");
    EXPECT_EQ(fromNull.Compare(nullptr), 0);
    EXPECT_EQ(fromNull.Compare(""), 0);
    AnsiString text("abc");
    EXPECT_GT(text.Compare(nullptr), 0);
    text.AppendText(nullptr);
    EXPECT_STREQ(text.Text(), "abc");
    text.AssignText(nullptr);
    EXPECT_TRUE(text.IsEmpty());
    AnsiString copy(fromNull);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(AnsiString, LeftRightMidClipAtTheEnds)
{
    const AnsiString text("abcdef");
    struct Case { AnsiString result; const char* expected; } cases[] = {
        {text.Left(2), "ab"}, {text.Left(99), "abcdef"}, {text.Left(0), ""},
        {text.Right(2), "ef"}, {text.Right(99), "abcdef"},
        {text.Mid(1, 3), "bcd"}, {text.Mid(4, 99), "ef"}, {text.Mid(6, 1), ""}, {text.Mid(99, 1), ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.result.Text(), c.expected);
}

TEST(AnsiString, AppendToItselfAndWideFormFollowsChanges)
{
    AnsiString text("ab");
    text.Append(text);
    EXPECT_STREQ(text.Text(), "abab");
    EXPECT_EQ(FromBstr(text.AllocSysString()), L"abab");
    text.AppendText("c");
    EXPECT_EQ(FromBstr(text.AllocSysString()), L"ababc");
    text.AssignWide(L"xyz");
    EXPECT_STREQ(text.Text(), "xyz");
    EXPECT_EQ(FromBstr(text.AllocSysString()), L"xyz");
    text.Clear();
    BSTR empty = text.AllocSysString();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

} // namespace
