// Small pieces of the buttons' persistence: booleans and objects in property bags, and picture
// objects in streams in their own persistent form.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include "PictureHolder.h"

namespace plyx {

// The bag's boolean `name`; `missing` when it has none or it cannot be read as one.
bool ReadBagBool(IPropertyBag* bag, const wchar_t* name, IErrorLog* errorLog, bool missing);
HRESULT WriteBagBool(IPropertyBag* bag, const wchar_t* name, bool set);
// The bag's object `name` held by the holder; false (holder untouched) when it has no picture there.
bool ReadBagPicture(IPropertyBag* bag, const wchar_t* name, IErrorLog* errorLog, PictureHolder* holder);
HRESULT WriteBagPicture(IPropertyBag* bag, const wchar_t* name, const PictureHolder& holder);

// A picture object in its own persistent form, written or read through its IPersistStream.
HRESULT SaveStreamPicture(IStream* stream, const PictureHolder& holder);
HRESULT LoadStreamPicture(IStream* stream, PictureHolder* holder);

} // namespace plyx
