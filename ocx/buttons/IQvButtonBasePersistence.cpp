// The button level's persisted state. In a property bag: the table's properties by name, the two
// border flags (written only when off) and the present pictures. In a stream: the 12-byte block as
// it stands, then the present pictures in their own persistent forms. Values out of range, as an old
// or damaged form may hold them, take their defaults as a put would have refused them.
#include "IQvButtonBase.h"

#include "ButtonPersistence.h"
#include "DefaultButtonLook.h"
#include "StreamBytes.h"

namespace plyx {

namespace {

// State saved before this version placed the caption and the picture and chose the look itself.
constexpr DWORD FirstCurrentVersion = 0x00020000;


} // namespace

void IQvButtonBase::ApplyLoadedLook()
{
    ValidateButtonBlock(&button_);
    if (command_) {
        button_.flags &= ~ButtonStateBlock::PictureDnDisabledPresent;
        button_.pictureDnDisabledFrames = 0;
    }
    look_ = button_.buttonStyle != 0 ? button_.buttonStyle : GetDefaultButtonLook();
    SetRectEmpty(&captionArea_);
    SetRectEmpty(&textBox_);
    SetRectEmpty(&PictureRect());
    layoutWanted_ = true;
    }

HRESULT IQvButtonBase::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = IQvBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    LoadPropertyTable(command_ ? CommandButtonPropertyTable : ButtonPropertyTable, bag, errorLog, &button_);
    if (command_)
        button_.pictureDnDisabledFrames = 0;
    button_.flags = 0;
    if (ReadBagBool(bag, L"RoundedCorners", errorLog, true))
        button_.flags |= ButtonStateBlock::RoundedCorners;
    if (ReadBagBool(bag, L"Outline", errorLog, true))
        button_.flags |= ButtonStateBlock::Outline;

    pictureDn_.Release();
    pictureDisabled_.Release();
    pictureDnDisabled_.Release();
    if (ReadBagPicture(bag, L"PictureDn", errorLog, &pictureDn_))
        button_.flags |= ButtonStateBlock::PictureDnPresent;
    if (ReadBagPicture(bag, L"PictureDisabled", errorLog, &pictureDisabled_))
        button_.flags |= ButtonStateBlock::PictureDisabledPresent;
    if (!command_ && ReadBagPicture(bag, L"PictureDnDisabled", errorLog, &pictureDnDisabled_))
        button_.flags |= ButtonStateBlock::PictureDnDisabledPresent;

    // Older state: a caption with a picture puts the caption at the bottom and the picture at the
    // top, and the look was always the beveled one.
    if (LoadedVersion() < FirstCurrentVersion) {
        if (!Caption().IsEmpty() && (CommonState().flags & CommonStateBlock::PicturePresent)) {
            button_.alignment = 8;
            button_.pictureAlignment = 6;
        }
        button_.buttonStyle = 2;
    }
    ApplyLoadedLook();
    return S_OK;
}

HRESULT IQvButtonBase::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = IQvBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        hr = SavePropertyTable(command_ ? CommandButtonPropertyTable : ButtonPropertyTable, bag, saveAll, &button_);
    const BYTE flags = button_.flags;
    if (SUCCEEDED(hr) && (saveAll || !(flags & ButtonStateBlock::RoundedCorners)))
        hr = WriteBagBool(bag, L"RoundedCorners", (flags & ButtonStateBlock::RoundedCorners) != 0);
    if (SUCCEEDED(hr) && (saveAll || !(flags & ButtonStateBlock::Outline)))
        hr = WriteBagBool(bag, L"Outline", (flags & ButtonStateBlock::Outline) != 0);
    if (SUCCEEDED(hr) && (flags & ButtonStateBlock::PictureDnPresent) && pictureDn_.Picture() != nullptr)
        hr = WriteBagPicture(bag, L"PictureDn", pictureDn_);
    if (SUCCEEDED(hr) && (flags & ButtonStateBlock::PictureDisabledPresent) && pictureDisabled_.Picture() != nullptr)
        hr = WriteBagPicture(bag, L"PictureDisabled", pictureDisabled_);
    if (SUCCEEDED(hr) && !command_ && (flags & ButtonStateBlock::PictureDnDisabledPresent) &&
        pictureDnDisabled_.Picture() != nullptr)
        hr = WriteBagPicture(bag, L"PictureDnDisabled", pictureDnDisabled_);
    return hr;
}

HRESULT IQvButtonBase::SaveBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::SaveBinaryState(stream);
    if (FAILED(hr))
        return hr;
    // A present flag is stored only with its picture, so that the block describes what follows it.
    ButtonStateBlock stored = button_;
    if (pictureDn_.Picture() == nullptr)
        stored.flags &= ~ButtonStateBlock::PictureDnPresent;
    if (pictureDisabled_.Picture() == nullptr)
        stored.flags &= ~ButtonStateBlock::PictureDisabledPresent;
    if (command_ || pictureDnDisabled_.Picture() == nullptr)
        stored.flags &= ~ButtonStateBlock::PictureDnDisabledPresent;
    hr = WriteExactly(stream, &stored, sizeof stored);
    if (SUCCEEDED(hr) && (stored.flags & ButtonStateBlock::PictureDnPresent))
        hr = SaveStreamPicture(stream, pictureDn_);
    if (SUCCEEDED(hr) && (stored.flags & ButtonStateBlock::PictureDisabledPresent))
        hr = SaveStreamPicture(stream, pictureDisabled_);
    if (SUCCEEDED(hr) && (stored.flags & ButtonStateBlock::PictureDnDisabledPresent))
        hr = SaveStreamPicture(stream, pictureDnDisabled_);
    return hr;
}

HRESULT IQvButtonBase::LoadBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    ButtonStateBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    loaded.flags &= ButtonStateBlock::StoredFlags;
    if (command_)
        loaded.flags &= ~ButtonStateBlock::PictureDnDisabledPresent;
    button_ = loaded;
    pictureDn_.Release();
    pictureDisabled_.Release();
    pictureDnDisabled_.Release();
    const struct {
        PictureHolder* holder;
        BYTE flag;
    } pictures[] = {
        {&pictureDn_, ButtonStateBlock::PictureDnPresent},
        {&pictureDisabled_, ButtonStateBlock::PictureDisabledPresent},
        {&pictureDnDisabled_, ButtonStateBlock::PictureDnDisabledPresent},
    };
    for (const auto& picture : pictures) {
        if (!(button_.flags & picture.flag))
            continue;
        hr = LoadStreamPicture(stream, picture.holder);
        if (FAILED(hr)) {
            // What could not be read is not there.
            for (const auto& later : pictures)
                if (!later.holder->Picture())
                    button_.flags &= ~later.flag;
            ApplyLoadedLook();
            return hr;
        }
    }
    ApplyLoadedLook();
    return S_OK;
}

} // namespace plyx
