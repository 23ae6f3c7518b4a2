// Declares, inside a control class that derives (through its middle base `Base`) from plyx::IQvBase
// and inherits its own dual interface, the members of the shared interface, forwarded to Base.
#pragma once

#define DECLARE_QVBASE_MEMBERS(Base) \
    STDMETHOD(get_FontName)(BSTR* value) override { return Base::get_FontName(value); } \
    STDMETHOD(put_FontName)(BSTR value) override { return Base::put_FontName(value); } \
    STDMETHOD(get_FontSize)(float* value) override { return Base::get_FontSize(value); } \
    STDMETHOD(put_FontSize)(float value) override { return Base::put_FontSize(value); } \
    STDMETHOD(get_FontBold)(VARIANT_BOOL* value) override { return Base::get_FontBold(value); } \
    STDMETHOD(put_FontBold)(VARIANT_BOOL value) override { return Base::put_FontBold(value); } \
    STDMETHOD(get_FontItalic)(VARIANT_BOOL* value) override { return Base::get_FontItalic(value); } \
    STDMETHOD(put_FontItalic)(VARIANT_BOOL value) override { return Base::put_FontItalic(value); } \
    STDMETHOD(get_FontStrikethru)(VARIANT_BOOL* value) override { return Base::get_FontStrikethru(value); } \
    STDMETHOD(put_FontStrikethru)(VARIANT_BOOL value) override { return Base::put_FontStrikethru(value); } \
    STDMETHOD(get_FontUnderline)(VARIANT_BOOL* value) override { return Base::get_FontUnderline(value); } \
    STDMETHOD(put_FontUnderline)(VARIANT_BOOL value) override { return Base::put_FontUnderline(value); } \
    STDMETHOD(get_Font3D)(Constants_Font3D* value) override { return Base::get_Font3D(value); } \
    STDMETHOD(put_Font3D)(Constants_Font3D value) override { return Base::put_Font3D(value); } \
    STDMETHOD(get_CaptionStyle)(Constants_CaptionStyle* value) override { return Base::get_CaptionStyle(value); } \
    STDMETHOD(put_CaptionStyle)(Constants_CaptionStyle value) override { return Base::put_CaptionStyle(value); } \
    STDMETHOD(get_PictureAnimationDelay)(short* value) override { return Base::get_PictureAnimationDelay(value); } \
    STDMETHOD(put_PictureAnimationDelay)(short value) override { return Base::put_PictureAnimationDelay(value); } \
    STDMETHOD(get_MarqueeDelay)(short* value) override { return Base::get_MarqueeDelay(value); } \
    STDMETHOD(put_MarqueeDelay)(short value) override { return Base::put_MarqueeDelay(value); } \
    STDMETHOD(get_MarqueeDirection)(Constants_MarqueeDirection* value) override { return Base::get_MarqueeDirection(value); } \
    STDMETHOD(put_MarqueeDirection)(Constants_MarqueeDirection value) override { return Base::put_MarqueeDirection(value); } \
    STDMETHOD(get_PictureFrames)(short* value) override { return Base::get_PictureFrames(value); } \
    STDMETHOD(put_PictureFrames)(short value) override { return Base::put_PictureFrames(value); } \
    STDMETHOD(get_PictureMaskColor)(OLE_COLOR* value) override { return Base::get_PictureMaskColor(value); } \
    STDMETHOD(put_PictureMaskColor)(OLE_COLOR value) override { return Base::put_PictureMaskColor(value); } \
    STDMETHOD(get_PictureUseMask)(VARIANT_BOOL* value) override { return Base::get_PictureUseMask(value); } \
    STDMETHOD(put_PictureUseMask)(VARIANT_BOOL value) override { return Base::put_PictureUseMask(value); } \
    STDMETHOD(get_TagVariant)(VARIANT* value) override { return Base::get_TagVariant(value); } \
    STDMETHOD(put_TagVariant)(VARIANT value) override { return Base::put_TagVariant(value); } \
    STDMETHOD(get_MarqueeScrollAmount)(short* value) override { return Base::get_MarqueeScrollAmount(value); } \
    STDMETHOD(put_MarqueeScrollAmount)(short value) override { return Base::put_MarqueeScrollAmount(value); } \
    STDMETHOD(get_PictureAnimationEnabled)(VARIANT_BOOL* value) override { return Base::get_PictureAnimationEnabled(value); } \
    STDMETHOD(put_PictureAnimationEnabled)(VARIANT_BOOL value) override { return Base::put_PictureAnimationEnabled(value); } \
    STDMETHOD(get_MarqueeStyle)(Constants_MarqueeStyle* value) override { return Base::get_MarqueeStyle(value); } \
    STDMETHOD(put_MarqueeStyle)(Constants_MarqueeStyle value) override { return Base::put_MarqueeStyle(value); } \
    STDMETHOD(get_OLEDropMode)(Constants_OLEDrop* value) override { return Base::get_OLEDropMode(value); } \
    STDMETHOD(put_OLEDropMode)(Constants_OLEDrop value) override { return Base::put_OLEDropMode(value); } \
    STDMETHOD(OLEDrag)() override { return Base::OLEDrag(); } \
    STDMETHOD(get_BackColor)(OLE_COLOR* value) override { return Base::get_BackColor(value); } \
    STDMETHOD(put_BackColor)(OLE_COLOR value) override { return Base::put_BackColor(value); } \
    STDMETHOD(get_BackStyle)(Constants_BackStyle* value) override { return Base::get_BackStyle(value); } \
    STDMETHOD(put_BackStyle)(Constants_BackStyle value) override { return Base::put_BackStyle(value); } \
    STDMETHOD(get_Font)(IFontDisp** value) override { return Base::get_Font(value); } \
    STDMETHOD(put_Font)(IFontDisp* value) override { return Base::put_Font(value); } \
    STDMETHOD(putref_Font)(IFontDisp* value) override { return Base::putref_Font(value); } \
    STDMETHOD(get_ForeColor)(OLE_COLOR* value) override { return Base::get_ForeColor(value); } \
    STDMETHOD(put_ForeColor)(OLE_COLOR value) override { return Base::put_ForeColor(value); } \
    STDMETHOD(get_Enabled)(VARIANT_BOOL* value) override { return Base::get_Enabled(value); } \
    STDMETHOD(put_Enabled)(VARIANT_BOOL value) override { return Base::put_Enabled(value); } \
    STDMETHOD(get_hWnd)(OLE_HANDLE* value) override { return Base::get_hWnd(value); } \
    STDMETHOD(get_MousePointer)(Constants_MousePointer* value) override { return Base::get_MousePointer(value); } \
    STDMETHOD(put_MousePointer)(Constants_MousePointer value) override { return Base::put_MousePointer(value); } \
    STDMETHOD(get_MouseIcon)(IPictureDisp** value) override { return Base::get_MouseIcon(value); } \
    STDMETHOD(put_MouseIcon)(IPictureDisp* value) override { return Base::put_MouseIcon(value); } \
    STDMETHOD(putref_MouseIcon)(IPictureDisp* value) override { return Base::putref_MouseIcon(value); } \
    STDMETHOD(get_Picture)(IPictureDisp** value) override { return Base::get_Picture(value); } \
    STDMETHOD(put_Picture)(IPictureDisp* value) override { return Base::put_Picture(value); } \
    STDMETHOD(putref_Picture)(IPictureDisp* value) override { return Base::putref_Picture(value); } \
    STDMETHOD(Refresh)() override { return Base::Refresh(); } \
    STDMETHOD(AboutBox)() override { return Base::AboutBox(); } \
    STDMETHOD(PlaySoundFile)(VARIANT soundFile) override { return Base::PlaySoundFile(soundFile); }
