// Declares, inside the frame or the panel, the members of the shared frame interface forwarded to
// plyx::IQvFrameBase, after the members of the common interface.
#pragma once
#include "IQvBaseMembers.h"

#define DECLARE_QVFRAMEBASE_MEMBERS(Base) \
    DECLARE_QVBASE_MEMBERS(Base) \
    STDMETHOD(get_PictureBackgroundStyle)(Constants_PictureBackgroundStyle* value) override { return Base::get_PictureBackgroundStyle(value); } \
    STDMETHOD(put_PictureBackgroundStyle)(Constants_PictureBackgroundStyle value) override { return Base::put_PictureBackgroundStyle(value); } \
    STDMETHOD(get_PictureBackground)(IPictureDisp** value) override { return Base::get_PictureBackground(value); } \
    STDMETHOD(put_PictureBackground)(IPictureDisp* value) override { return Base::put_PictureBackground(value); } \
    STDMETHOD(putref_PictureBackground)(IPictureDisp* value) override { return Base::putref_PictureBackground(value); } \
    STDMETHOD(get_ClipControls)(VARIANT_BOOL* value) override { return Base::get_ClipControls(value); } \
    STDMETHOD(put_ClipControls)(VARIANT_BOOL value) override { return Base::put_ClipControls(value); }
