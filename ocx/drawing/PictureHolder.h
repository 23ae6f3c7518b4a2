// Owns one standard OLE picture object (one reference), or nothing.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

// Picture types as the picture object reports them; -1 for an empty holder.
enum PictureType : short {
    NoPicture = -1,
    UninitializedPicture = 0,
    BitmapPicture = 1,
    MetafilePicture = 2,
    IconPicture = 3,
    EnhancedMetafilePicture = 4,
};

class PictureHolder {
public:
    PictureHolder() = default;
    ~PictureHolder() { Release(); }
    PictureHolder(const PictureHolder&) = delete;
    PictureHolder& operator=(const PictureHolder&) = delete;

    // Releases the picture; the holder is empty.
    void Release();
    // An empty picture object (type 0) in place of whatever was held.
    bool CreateEmpty();
    // A bitmap picture of the handles; when `owns` is set the picture deletes them. On failure the
    // holder is empty and the handles stay the caller's.
    bool SetBitmap(HBITMAP bitmap, HPALETTE palette, BOOL owns);
    // The bitmap resource `id` of the module that serves the library's resources, as an owning
    // bitmap picture without a palette.
    bool LoadBitmapResource(UINT id);
    // Holds the object's IPicture; a null object or one without IPicture leaves the holder empty.
    bool SetFromDispatch(IUnknown* object);

    // A new reference to the held picture's IPictureDisp; null when empty.
    IPictureDisp* GetPictureDisp() const;
    // The picture's type, NoPicture when empty.
    short GetType() const;
    // The held picture (not a new reference); null when empty.
    IPicture* Picture() const { return picture_; }

private:
    bool CreateFromDescription(PICTDESC* description, BOOL owns);

    IPicture* picture_ = nullptr;
};
