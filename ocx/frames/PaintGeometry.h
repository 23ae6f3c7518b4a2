// What the frame's and the panel's paint routines ask of their rectangles and pictures.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include "PictureHolder.h"

namespace plyx {

// The picture's type; NoPicture for none.
inline short PictureTypeOf(IPicture* picture)
{
    short type = NoPicture;
    if (picture == nullptr || FAILED(picture->get_Type(&type)))
        return NoPicture;
    return type;
}

inline bool IsMetafile(short type)
{
    return type == MetafilePicture || type == EnhancedMetafilePicture;
}

// A picture that draws something.
inline bool IsDrawable(short type)
{
    return type != NoPicture && type != UninitializedPicture;
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

inline bool Meets(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

} // namespace plyx
