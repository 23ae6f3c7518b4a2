#include "SatelliteResources.h"

#include "AnsiString.h"
#include "FrameworkLock.h"
#include "Module.h"
#include "UIntHashMap.h"

#include <mbstring.h>

#include <cstdio>
#include <cstring>

namespace {

// Loaded satellites by locale, filled under the framework lock. A locale whose satellite could not be
// found maps to the library module, so that it is not searched for again on every call.
UIntHashMap& LoadedSatellites()
{
    static UIntHashMap satellites(4);
    return satellites;
}

LCID EffectiveLocale(LCID locale)
{
    return locale == 0 ? DefaultResourceLocale : locale;
}

HINSTANCE LoadSatelliteNamed(const char* modulePath, const char* prefix, const char* language)
{
    char fileName[MAX_PATH];
    const int length = std::snprintf(fileName, sizeof fileName, "%s%s.DLL", prefix, language);
    if (length <= 0 || length >= int(sizeof fileName))
        return nullptr;
    AnsiString path;
    ReplaceFileName(modulePath, fileName, &path);
    if (path.Length() >= MAX_PATH)
        return nullptr;
    return LoadLibraryA(path.Text());
}

// Looks for the satellite of one locale; null when there is none.
HINSTANCE FindSatellite(LCID locale)
{
    HINSTANCE module = Module::Instance();
    char language[8] = {};
    if (GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, language, 5) == 0)
        return nullptr;
    char prefix[MAX_PATH] = {};
    if (LoadStringA(module, SatellitePrefixStringId, prefix, sizeof prefix) <= 0)
        return nullptr;
    char modulePath[MAX_PATH];
    if (!Module::FilePath(modulePath, sizeof modulePath))
        return nullptr;

    if (HINSTANCE satellite = LoadSatelliteNamed(modulePath, prefix, language))
        return satellite;
    // "ENU" failing, "EN" is tried.
    if (std::strlen(language) > 2) {
        language[2] = '\0';
        return LoadSatelliteNamed(modulePath, prefix, language);
    }
    return nullptr;
}

} // namespace

HINSTANCE GetResourceInstance(LCID locale)
{
    locale = EffectiveLocale(locale);
    FrameworkLock::Scope lock;
    UIntHashMap& satellites = LoadedSatellites();
    UINT_PTR cached = 0;
    if (satellites.Lookup(locale, &cached))
        return reinterpret_cast<HINSTANCE>(cached);

    HINSTANCE found = FindSatellite(locale);
    if (found == nullptr)
        found = Module::Instance();
    if (UINT_PTR* slot = satellites.ValueAt(locale)) {
        *slot = reinterpret_cast<UINT_PTR>(found);
    } else if (found != Module::Instance()) {
        // No room to remember it: the library module serves rather than a handle nobody frees.
        FreeLibrary(found);
        found = Module::Instance();
    }
    return found;
}

void ReleaseResourceInstances()
{
    FrameworkLock::Scope lock;
    UIntHashMap& satellites = LoadedSatellites();
    for (UINT bucket = 0; bucket < UIntHashMap::BucketCount; ++bucket) {
        UINT locale = 0;
        while (satellites.KeysInBucket(bucket, &locale, 1) > 0) {
            UINT_PTR handle = 0;
            if (satellites.Lookup(locale, &handle) && reinterpret_cast<HINSTANCE>(handle) != Module::Instance())
                FreeLibrary(reinterpret_cast<HINSTANCE>(handle));
            satellites.RemoveKey(locale);
        }
    }
}

void ReplaceFileName(const char* path, const char* fileName, AnsiString* result)
{
    if (result == nullptr)
        return;
    const char* text = path != nullptr ? path : "";
    const unsigned char* lastSlash = _mbsrchr(reinterpret_cast<const unsigned char*>(text), '\\');
    const unsigned int kept =
        lastSlash != nullptr ? unsigned(reinterpret_cast<const char*>(lastSlash) - text) + 1 : 0;
    *result = AnsiString(text).Left(kept);
    result->AppendText(fileName);
}
