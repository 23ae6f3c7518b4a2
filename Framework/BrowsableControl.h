// The control layer above OleControl: what a property browser asks of a control (display strings,
// predefined values, pages and categories of properties), the property-notify sink through which the
// control's own objects (its font) report changes, the stock events and their translation from window
// messages, and the version numbers of the persisted state.
#pragma once
#include "CategorizeProperties.h"
#include "EventDescriptor.h"
#include "OleControl.h"

// Stock event mask bits.
enum StockEventBits : DWORD {
    StockKeyDown = 0x01,
    StockKeyPress = 0x02,
    StockKeyUp = 0x04,
    StockMouseDown = 0x08,
    StockMouseMove = 0x10,
    StockMouseUp = 0x20,
    StockClick = 0x40,
    StockDblClick = 0x80,
};

// The categories this layer names: 101 "Picture", 102 "Collection" (string resources of those numbers).
constexpr PROPCAT PictureCategory = 101;
constexpr PROPCAT CollectionCategory = 102;

// The version of the persisted state a control writes.
constexpr DWORD CurrentStateVersion = 0x00020000;

class BrowsableControl : public OleControl {
public:
    BrowsableControl(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask);

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    HRESULT LoadBaseBinaryState(IStream* stream) override;
    HRESULT SaveBaseBinaryState(IStream* stream) override;
    HRESULT LoadBaseTextState(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT SaveBaseTextState(IPropertyBag* bag) override;

    // ---- Hooks, after OleControl's ----
    virtual void OnKeyDown(short keyCode, short shift);
    virtual void OnKeyUp(short keyCode, short shift);
    virtual void OnKeyPress(short character);
    virtual LRESULT OnCharMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL GetDisplayString(DISPID dispid, BSTR* text);
    virtual BOOL MapPropertyToPage(DISPID dispid, CLSID* page, BOOL* pageFound);
    virtual BOOL GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies);
    virtual BOOL GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value);
    // The category of a property for ICategorizeProperties; extended by the classes above.
    virtual HRESULT MapPropertyToCategory(DISPID dispid, PROPCAT* category);

    // ---- Stock events ----
    void FireKeyDown(short* keyCode, short shift);
    void FireKeyUp(short* keyCode, short shift);
    void FireKeyPress(short* character);
    void FireMouseDown(short button, short shift, LONG x, LONG y);
    void FireMouseUp(short button, short shift, LONG x, LONG y);
    void FireMouseMove(short button, short shift, LONG x, LONG y);
    void FireClick();
    void FireDblClick();

    // Mouse messages 0x200-0x209 into the stock mouse events the mask allows.
    void FireStockMouseEvents(UINT message, WPARAM wParam, LPARAM lParam);
    // Key messages into the stock key events; true when the message was handled and must not go on
    // to default processing. A key code changed by a handler is written back into wParam.
    bool FireStockKeyEvents(UINT message, WPARAM& wParam, LPARAM lParam);

    DWORD StockEventMask() const { return stockEventMask_; }
    DWORD LoadedVersion() const { return loadedVersion_; }
    DWORD CurrentVersion() const { return currentVersion_; }

protected:
    void SetCurrentVersion(DWORD version) { currentVersion_ = version; }

private:
    template <class Interface>
    using Part = InterfacePart<Interface, BrowsableControl>;

    class PropertyNotifySinkPart : public Part<IPropertyNotifySink> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP OnChanged(DISPID dispid) override;
        STDMETHODIMP OnRequestEdit(DISPID dispid) override;
    };

    class PerPropertyBrowsingPart : public Part<IPerPropertyBrowsing> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetDisplayString(DISPID dispid, BSTR* text) override;
        STDMETHODIMP MapPropertyToPage(DISPID dispid, CLSID* page) override;
        STDMETHODIMP GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
        STDMETHODIMP GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;
    };

    class CategorizePropertiesPart : public Part<ICategorizeProperties> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;
        STDMETHODIMP GetCategoryName(PROPCAT category, LCID lcid, BSTR* name) override;
    };

    // The WM_CHAR part of FireStockKeyEvents.
    bool FireKeyPressFromChar(WPARAM& wParam, LPARAM lParam);

    PropertyNotifySinkPart propertyNotifySink_;
    PerPropertyBrowsingPart perPropertyBrowsing_;
    CategorizePropertiesPart categorizeProperties_;
    DWORD stockEventMask_;
    WORD pendingLeadByte_ = 0;
    DWORD loadedVersion_ = 0;
    DWORD currentVersion_ = 0;
};
