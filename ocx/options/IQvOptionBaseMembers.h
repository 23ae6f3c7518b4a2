// Declares, inside a control class that derives from plyx::IQvOptionBase and inherits its own dual
// interface, the members of the shared check/option interface and of the common one, forwarded to
// the base; `Glyph` names the class's glyph trio (CheckBox, OptionBtn).
#pragma once
#include "IQvBaseMembers.h"

#define DECLARE_QVOPTIONBASE_MEMBERS(Glyph) \
    DECLARE_QVBASE_MEMBERS(plyx::IQvOptionBase) \
    STDMETHOD(get_Caption)(BSTR* value) override { return plyx::IQvOptionBase::get_Caption(value); } \
    STDMETHOD(put_Caption)(BSTR value) override { return plyx::IQvOptionBase::put_Caption(value); } \
    STDMETHOD(get_Alignment)(Constants_AlignTo* value) override { return plyx::IQvOptionBase::get_Alignment(value); } \
    STDMETHOD(put_Alignment)(Constants_AlignTo value) override { return plyx::IQvOptionBase::put_Alignment(value); } \
    STDMETHOD(get_PictureAlignment)(Constants_PictureAlignment* value) override \
    { return plyx::IQvOptionBase::get_PictureAlignment(value); } \
    STDMETHOD(put_PictureAlignment)(Constants_PictureAlignment value) override \
    { return plyx::IQvOptionBase::put_PictureAlignment(value); } \
    STDMETHOD(get_##Glyph##MaskColor)(OLE_COLOR* value) override { return plyx::IQvOptionBase::get_MaskColor(value); } \
    STDMETHOD(put_##Glyph##MaskColor)(OLE_COLOR value) override { return plyx::IQvOptionBase::put_MaskColor(value); } \
    STDMETHOD(get_##Glyph##UseMask)(VARIANT_BOOL* value) override { return plyx::IQvOptionBase::get_UseMask(value); } \
    STDMETHOD(put_##Glyph##UseMask)(VARIANT_BOOL value) override { return plyx::IQvOptionBase::put_UseMask(value); } \
    STDMETHOD(get_##Glyph##Graphics)(IPictureDisp** value) override { return plyx::IQvOptionBase::get_Graphics(value); } \
    STDMETHOD(put_##Glyph##Graphics)(IPictureDisp* value) override { return plyx::IQvOptionBase::put_Graphics(value); } \
    STDMETHOD(putref_##Glyph##Graphics)(IPictureDisp* value) override { return plyx::IQvOptionBase::put_Graphics(value); }
