#include "FontHolder.h"

#include "ComReference.h"
#include "SinkConnection.h"

namespace {

// The font a control starts with.
FONTDESC DefaultFontDescription()
{
    static wchar_t name[] = L"MS Sans Serif";
    FONTDESC description = {};
    description.cbSizeofstruct = sizeof(FONTDESC);
    description.lpstrName = name;
    description.cySize.int64 = 8 * 10000; // 8.0000 points as a currency value
    description.sWeight = FW_NORMAL;
    description.sCharset = DEFAULT_CHARSET;
    description.fItalic = FALSE;
    description.fUnderline = FALSE;
    description.fStrikethrough = FALSE;
    return description;
}

} // namespace

FontHolder::FontHolder(IPropertyNotifySink* notifySink)
    : notifySink_(notifySink)
{
}

FontHolder::~FontHolder()
{
    ReleaseFont();
}

HRESULT FontHolder::InitFont(const FONTDESC* description, IUnknown* fontObject)
{
    IFont* created = nullptr;
    HRESULT hr = E_FAIL;
    ComReference<IFont> source;
    if (fontObject != nullptr && SUCCEEDED(fontObject->QueryInterface(IID_IFont, source.OutVoid())) && source) {
        hr = source->Clone(&created);
    } else {
        FONTDESC fallback = DefaultFontDescription();
        hr = OleCreateFontIndirect(description != nullptr ? const_cast<FONTDESC*>(description) : &fallback,
                                   IID_IFont, reinterpret_cast<void**>(&created));
    }
    if (FAILED(hr) || created == nullptr) {
        ReleaseFont();
        return FAILED(hr) ? hr : E_FAIL;
    }
    SetFont(created);
    return S_OK;
}

void FontHolder::SetFont(IFont* font)
{
    // The new font is connected before the old one is let go: the old one may be all that keeps
    // something of the new alive, or the very same object.
    DWORD cookie = 0;
    const bool connected =
        font != nullptr && notifySink_ != nullptr
        && ConnectionAdvise(font, IID_IPropertyNotifySink, notifySink_, false, &cookie);
    ReleaseFont();
    font_ = font;
    cookie_ = connected ? cookie : 0;
    connectedSink_ = connected ? notifySink_ : nullptr;
}

void FontHolder::ReleaseFont()
{
    IFont* font = font_;
    font_ = nullptr;
    if (font == nullptr)
        return;
    if (connectedSink_ != nullptr)
        ConnectionUnadvise(font, IID_IPropertyNotifySink, connectedSink_, false, cookie_);
    connectedSink_ = nullptr;
    cookie_ = 0;
    font->Release();
}

HFONT FontHolder::GetHFont() const
{
    HFONT handle = nullptr;
    if (font_ == nullptr || FAILED(font_->get_hFont(&handle)))
        return nullptr;
    return handle;
}
