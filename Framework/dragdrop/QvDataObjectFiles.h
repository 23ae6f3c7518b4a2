// The file-name list of a data object (the files format): a 1-based collection of names that the host
// fills for a drag and reads for a drop.
#pragma once
#include "AutomationObject.h"

#include <Plyx.h>

class QvDataObjectFiles final : public AutomationObject, public IQvDataObjectFiles, public ISupportErrorInfo {
public:
    // A new empty collection; null when out of memory. The caller holds the one reference.
    static QvDataObjectFiles* Create();

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(AutomationObject)
    DECLARE_SUPPORT_ERROR_INFO(AutomationObject)

    STDMETHOD(get_Item)(LONG index, BSTR* name) override;
    STDMETHOD(get_Count)(LONG* count) override;
    STDMETHOD(Add)(BSTR name, VARIANT index) override;
    STDMETHOD(Clear)() override;
    STDMETHOD(Remove)(VARIANT index) override;
    STDMETHOD(_NewEnum)(IUnknown** enumerator) override;

    LONG Count() const { return count_; }
    // The name at the 1-based index, not copied (owned by the collection); null out of range.
    BSTR Name(LONG index) const;
    // Appends a copy of the ANSI name.
    HRESULT Append(const char* name);

private:
    QvDataObjectFiles();
    ~QvDataObjectFiles() override;

    // The index argument of Add and Remove as a 1-based index, or the failure to read it.
    static HRESULT IndexArgument(const VARIANT& index, LONG* value);
    HRESULT BadIndex();
    // Inserts the name (taken over) at the 1-based index, 1 to count + 1.
    HRESULT Insert(BSTR name, LONG index);

    SAFEARRAY* names_ = nullptr;  // BSTRs, lower bound 1; made on first use
    LONG count_ = 0;
};
