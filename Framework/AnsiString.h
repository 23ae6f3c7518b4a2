// An ANSI string with a cached wide (BSTR) form, rebuilt only when the text has changed.
#pragma once
#include <windows.h>
#include <oleauto.h>

class AnsiString {
public:
    AnsiString();
    AnsiString(const char* text);
    AnsiString(const AnsiString& other);
    AnsiString& operator=(const AnsiString& other);
    ~AnsiString();

    void AssignText(const char* text);
    // Replaces the text by `length` bytes at `text` (which may lie inside the current buffer).
    void AssignBytes(const char* text, unsigned int length);
    void AssignCopy(const AnsiString& other);
    void AssignWide(const wchar_t* text);
    void AppendText(const char* text);
    void Append(const AnsiString& other);
    void Clear();

    // Multibyte-aware comparison; a null text compares as empty.
    int Compare(const char* text) const;

    AnsiString Left(unsigned int count) const;
    AnsiString Right(unsigned int count) const;
    AnsiString Mid(unsigned int start, unsigned int count) const;

    // A new BSTR copy of the text (the caller frees it); null when out of memory.
    BSTR AllocSysString();
    // Rebuilds the cached wide form from the text.
    void UpdateWide();

    // The text, never null ("" when empty).
    const char* Text() const { return data_ != nullptr ? data_ : ""; }
    unsigned int Length() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }

private:
    void AppendBytes(const char* text, unsigned int length);

    char* data_ = nullptr;
    unsigned int length_ = 0;
    BSTR wide_ = nullptr;
    bool stale_ = true;
};
