// The drag-and-drop errors as a host receives them: HRESULT, text and help topic of each.
#include "DataObjectTestSupport.h"
#include "DragDropErrors.h"

#include <gtest/gtest.h>

namespace {

TEST(DragDropErrors, EachErrorIsRaisedWithItsTextAndHelpTopic)
{
    struct Case {
        int number;
        HRESULT hr;
        DWORD helpContext;
        const wchar_t* text;
    };
    const Case cases[] = {
        {5, static_cast<HRESULT>(0x800A0005), 5, L"Invalid procedure call"},
        {425, static_cast<HRESULT>(0x800A01A9), 425, L"Invalid object use"},
        {461, static_cast<HRESULT>(0x800A01CD), 461, L"Specified format doesn't match format of data"},
        {380, static_cast<HRESULT>(0x800A017C), 380, L"Invalid property value"},
        {672, static_cast<HRESULT>(0x800A02A0), 672,
         L"DataObject formats list may not be cleared or expanded outside of the OLEStartDrag event"},
        {673, static_cast<HRESULT>(0x800A02A1), 673, L"Expected at least one argument"},
        {674, static_cast<HRESULT>(0x800A02A2), 674, L"Illegal recursive invocation of OLE drag and drop"},
        {675, static_cast<HRESULT>(0x800A02A3), 675,
         L"Non-intrinsic OLE drag and drop formats used with SetData require Byte array data.  GetData may return "
         L"more bytes than were given to SetData."},
        {676, static_cast<HRESULT>(0x800A02A4), 676,
         L"Requested data was not supplied to the DataObject during the OLESetData event."},
    };
    OwnerStandIn owner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(c.hr, owner.RaiseError(c.number));
        ErrorInfoFacts facts = TakeErrorInfo();
        ASSERT_TRUE(facts.present);
        EXPECT_EQ(std::wstring(c.text), facts.description);
        EXPECT_EQ(c.helpContext, facts.helpContext);
        EXPECT_EQ(L"QvFrame", facts.source);
    }
}

TEST(DragDropErrors, AnUnknownNumberIsUnexpectedWithoutErrorInformation)
{
    OwnerStandIn owner;
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(E_UNEXPECTED, owner.RaiseError(999));
    EXPECT_FALSE(TakeErrorInfo().present);
}

TEST(DragDropErrors, NumbersHandedBackPlainBecomeHresults)
{
    EXPECT_EQ(E_FAIL, DragDropErrors::AsResult(0));
    EXPECT_EQ(E_OUTOFMEMORY, DragDropErrors::AsResult(7));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0030), DragDropErrors::AsResult(48));
}

} // namespace
