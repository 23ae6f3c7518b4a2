#include "PictureHolder.h"

#include "SatelliteResources.h"

void PictureHolder::Release()
{
    if (picture_ != nullptr)
        picture_->Release();
    picture_ = nullptr;
}

bool PictureHolder::CreateFromDescription(PICTDESC* description, BOOL owns)
{
    Release();
    description->cbSizeofstruct = sizeof(PICTDESC);
    IPicture* picture = nullptr;
    const HRESULT result = OleCreatePictureIndirect(description, IID_IPicture, owns,
                                                    reinterpret_cast<void**>(&picture));
    if (FAILED(result) || picture == nullptr)
        return false;
    picture_ = picture;
    return true;
}

bool PictureHolder::CreateEmpty()
{
    PICTDESC description = {};
    description.picType = PICTYPE_NONE;
    return CreateFromDescription(&description, FALSE);
}

bool PictureHolder::SetBitmap(HBITMAP bitmap, HPALETTE palette, BOOL owns)
{
    PICTDESC description = {};
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    return CreateFromDescription(&description, owns);
}

bool PictureHolder::LoadBitmapResource(UINT id)
{
    Release();
    HBITMAP bitmap = LoadBitmapA(GetResourceInstance(0), MAKEINTRESOURCEA(id));
    if (bitmap == nullptr)
        return false;
    if (!SetBitmap(bitmap, nullptr, TRUE)) {
        DeleteObject(bitmap);
        return false;
    }
    return true;
}

bool PictureHolder::SetFromDispatch(IUnknown* object)
{
    Release();
    if (object == nullptr)
        return false;
    IPicture* picture = nullptr;
    if (FAILED(object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))) ||
        picture == nullptr)
        return false;
    picture_ = picture;
    return true;
}

IPictureDisp* PictureHolder::GetPictureDisp() const
{
    if (picture_ == nullptr)
        return nullptr;
    IPictureDisp* dispatch = nullptr;
    if (FAILED(picture_->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&dispatch))))
        return nullptr;
    return dispatch;
}

short PictureHolder::GetType() const
{
    if (picture_ == nullptr)
        return NoPicture;
    SHORT type = NoPicture;
    if (FAILED(picture_->get_Type(&type)))
        return NoPicture;
    return type;
}
