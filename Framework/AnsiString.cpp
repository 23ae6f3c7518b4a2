#include "AnsiString.h"

#include "Module.h"

#include <mbstring.h>

#include <cstring>

AnsiString::AnsiString() = default;

AnsiString::AnsiString(const char* text)
{
    AssignText(text);
}

AnsiString::AnsiString(const AnsiString& other)
{
    AssignCopy(other);
}

AnsiString& AnsiString::operator=(const AnsiString& other)
{
    AssignCopy(other);
    return *this;
}

AnsiString::~AnsiString()
{
    Clear();
}

void AnsiString::Clear()
{
    Module::Free(data_);
    data_ = nullptr;
    length_ = 0;
    SysFreeString(wide_);
    wide_ = nullptr;
    stale_ = true;
}

void AnsiString::AssignBytes(const char* text, unsigned int length)
{
    stale_ = true;
    if (text == nullptr || length == 0) {
        Module::Free(data_);
        data_ = nullptr;
        length_ = 0;
        return;
    }
    char* buffer = static_cast<char*>(Module::Allocate(std::size_t(length) + 1));
    if (buffer == nullptr) {
        // Out of memory: the string is left empty rather than half-changed.
        Module::Free(data_);
        data_ = nullptr;
        length_ = 0;
        return;
    }
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    Module::Free(data_);
    data_ = buffer;
    length_ = length;
}

void AnsiString::AppendBytes(const char* text, unsigned int length)
{
    if (text == nullptr || length == 0)
        return;
    if (length_ == 0) {
        AssignBytes(text, length);
        return;
    }
    char* buffer = static_cast<char*>(Module::Allocate(std::size_t(length_) + length + 1));
    if (buffer == nullptr)
        return;
    std::memcpy(buffer, data_, length_);
    std::memcpy(buffer + length_, text, length);
    buffer[length_ + length] = '\0';
    Module::Free(data_);
    data_ = buffer;
    length_ += length;
    stale_ = true;
}

void AnsiString::AssignText(const char* text)
{
    AssignBytes(text, text != nullptr ? static_cast<unsigned int>(std::strlen(text)) : 0);
}

void AnsiString::AssignCopy(const AnsiString& other)
{
    if (&other == this)
        return;
    AssignBytes(other.data_, other.length_);
}

void AnsiString::AssignWide(const wchar_t* text)
{
    if (text == nullptr || text[0] == L'\0') {
        AssignBytes(nullptr, 0);
        return;
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        AssignBytes(nullptr, 0);
        return;
    }
    char* buffer = static_cast<char*>(Module::Allocate(static_cast<std::size_t>(size)));
    if (buffer == nullptr) {
        AssignBytes(nullptr, 0);
        return;
    }
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, size, nullptr, nullptr) == 0) {
        Module::Free(buffer);
        AssignBytes(nullptr, 0);
        return;
    }
    Module::Free(data_);
    data_ = buffer;
    length_ = static_cast<unsigned int>(size - 1);
    stale_ = true;
}

void AnsiString::AppendText(const char* text)
{
    AppendBytes(text, text != nullptr ? static_cast<unsigned int>(std::strlen(text)) : 0);
}

void AnsiString::Append(const AnsiString& other)
{
    if (&other == this) {
        const AnsiString copy(other);
        AppendBytes(copy.data_, copy.length_);
        return;
    }
    AppendBytes(other.data_, other.length_);
}

int AnsiString::Compare(const char* text) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(Text()),
                   reinterpret_cast<const unsigned char*>(text != nullptr ? text : ""));
}

AnsiString AnsiString::Left(unsigned int count) const
{
    AnsiString result;
    result.AssignBytes(data_, count < length_ ? count : length_);
    return result;
}

AnsiString AnsiString::Right(unsigned int count) const
{
    const unsigned int taken = count < length_ ? count : length_;
    AnsiString result;
    result.AssignBytes(data_ != nullptr ? data_ + (length_ - taken) : nullptr, taken);
    return result;
}

AnsiString AnsiString::Mid(unsigned int start, unsigned int count) const
{
    AnsiString result;
    if (start >= length_)
        return result;
    const unsigned int available = length_ - start;
    result.AssignBytes(data_ + start, count < available ? count : available);
    return result;
}

void AnsiString::UpdateWide()
{
    SysFreeString(wide_);
    wide_ = nullptr;
    if (length_ == 0) {
        wide_ = SysAllocStringLen(nullptr, 0);
    } else {
        const int size = MultiByteToWideChar(CP_ACP, 0, data_, static_cast<int>(length_), nullptr, 0);
        if (size > 0) {
            wide_ = SysAllocStringLen(nullptr, static_cast<UINT>(size));
            if (wide_ != nullptr
                && MultiByteToWideChar(CP_ACP, 0, data_, static_cast<int>(length_), wide_, size) == 0) {
                SysFreeString(wide_);
                wide_ = nullptr;
            }
        }
    }
    stale_ = wide_ == nullptr;
}

BSTR AnsiString::AllocSysString()
{
    if (stale_ || wide_ == nullptr)
        UpdateWide();
    if (wide_ == nullptr)
        return nullptr;
    return SysAllocStringLen(wide_, SysStringLen(wide_));
}
