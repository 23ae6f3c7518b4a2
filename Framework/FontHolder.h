// A control's font: the standard font object, with the control's property-notify sink connected to
// it so that the control hears of changes made through the font itself.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

class FontHolder {
public:
    // `notifySink` (not counted; may be null) is connected to every font the holder takes.
    explicit FontHolder(IPropertyNotifySink* notifySink);
    ~FontHolder();
    FontHolder(const FontHolder&) = delete;
    FontHolder& operator=(const FontHolder&) = delete;

    // A clone of `fontObject` when it is a font, else a new font from `description` or, without one,
    // the default font ("MS Sans Serif", 8 points). The new font is made before the old one goes, so
    // the holder's own font may be passed in; a failure leaves no font. S_OK or the failure.
    HRESULT InitFont(const FONTDESC* description, IUnknown* fontObject);

    // Takes over the caller's reference to `font` (may be null) and lets the previous font go.
    void SetFont(IFont* font);
    // Disconnects the sink and lets the font go; nothing when there is none.
    void ReleaseFont();

    // The font's GDI handle, owned by the font; null without a font.
    HFONT GetHFont() const;
    IFont* Font() const { return font_; }
    DWORD Cookie() const { return cookie_; }
    void SetNotifySink(IPropertyNotifySink* notifySink) { notifySink_ = notifySink; }

private:
    IFont* font_ = nullptr;
    DWORD cookie_ = 0;
    // The sink connected to font_ under cookie_ (the notify sink at the time), or null.
    IPropertyNotifySink* connectedSink_ = nullptr;
    IPropertyNotifySink* notifySink_;
};
