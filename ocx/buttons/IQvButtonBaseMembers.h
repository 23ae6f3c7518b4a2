// Declares, inside a push-button class that derives from plyx::IQvButtonBase and inherits its own
// dual interface, the members of the button interface that the base implements, forwarded to it.
#pragma once

#define DECLARE_QVBUTTONBASE_MEMBERS(Base) \
    STDMETHOD(get_Caption)(BSTR* value) override { return Base::get_Caption(value); } \
    STDMETHOD(put_Caption)(BSTR value) override { return Base::put_Caption(value); } \
    STDMETHOD(get_Alignment)(Constants_Alignment* value) override { return Base::get_Alignment(value); } \
    STDMETHOD(put_Alignment)(Constants_Alignment value) override { return Base::put_Alignment(value); } \
    STDMETHOD(get_AutoSize)(Constants_AutoSizeButton* value) override { return Base::get_AutoSize(value); } \
    STDMETHOD(put_AutoSize)(Constants_AutoSizeButton value) override { return Base::put_AutoSize(value); } \
    STDMETHOD(get_BevelWidth)(short* value) override { return Base::get_BevelWidth(value); } \
    STDMETHOD(put_BevelWidth)(short value) override { return Base::put_BevelWidth(value); } \
    STDMETHOD(get_ButtonStyle)(Constants_ButtonStyle* value) override { return Base::get_ButtonStyle(value); } \
    STDMETHOD(put_ButtonStyle)(Constants_ButtonStyle value) override { return Base::put_ButtonStyle(value); } \
    STDMETHOD(get_Outline)(VARIANT_BOOL* value) override { return Base::get_Outline(value); } \
    STDMETHOD(put_Outline)(VARIANT_BOOL value) override { return Base::put_Outline(value); } \
    STDMETHOD(get_PictureAlignment)(Constants_Alignment* value) override { return Base::get_PictureAlignment(value); } \
    STDMETHOD(put_PictureAlignment)(Constants_Alignment value) override { return Base::put_PictureAlignment(value); } \
    STDMETHOD(get_PictureDisabled)(IPictureDisp** value) override { return Base::get_PictureDisabled(value); } \
    STDMETHOD(put_PictureDisabled)(IPictureDisp* value) override { return Base::put_PictureDisabled(value); } \
    STDMETHOD(putref_PictureDisabled)(IPictureDisp* value) override { return Base::putref_PictureDisabled(value); } \
    STDMETHOD(get_PictureDisabledFrames)(short* value) override { return Base::get_PictureDisabledFrames(value); } \
    STDMETHOD(put_PictureDisabledFrames)(short value) override { return Base::put_PictureDisabledFrames(value); } \
    STDMETHOD(get_PictureDn)(IPictureDisp** value) override { return Base::get_PictureDn(value); } \
    STDMETHOD(put_PictureDn)(IPictureDisp* value) override { return Base::put_PictureDn(value); } \
    STDMETHOD(putref_PictureDn)(IPictureDisp* value) override { return Base::putref_PictureDn(value); } \
    STDMETHOD(get_PictureDnFrames)(short* value) override { return Base::get_PictureDnFrames(value); } \
    STDMETHOD(put_PictureDnFrames)(short value) override { return Base::put_PictureDnFrames(value); } \
    STDMETHOD(get_RoundedCorners)(VARIANT_BOOL* value) override { return Base::get_RoundedCorners(value); } \
    STDMETHOD(put_RoundedCorners)(VARIANT_BOOL value) override { return Base::put_RoundedCorners(value); } \
    STDMETHOD(get__Value)(VARIANT_BOOL* value) override { return get_Value(value); } \
    STDMETHOD(put__Value)(VARIANT_BOOL value) override { return put_Value(value); }
