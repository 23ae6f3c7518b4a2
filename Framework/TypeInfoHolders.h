// Holders for what COM hands out while type information is read: interface references (ComReference),
// BSTRs and the descriptions an ITypeInfo lends (TYPEATTR, FUNCDESC, VARDESC). Each gives its item
// back when it goes out of scope.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include "ComReference.h"

class BstrHolder {
public:
    BstrHolder() = default;
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;
    ~BstrHolder() { SysFreeString(text_); }
    BSTR* Out()
    {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }
    bool Empty() const { return SysStringLen(text_) == 0; }
    // Never null: an absent string reads as empty.
    const wchar_t* Text() const { return text_ != nullptr ? text_ : L""; }

private:
    BSTR text_ = nullptr;
};

struct TypeAttrLoan {
    using Type = TYPEATTR;
    static HRESULT Borrow(ITypeInfo* info, UINT, TYPEATTR** item) { return info->GetTypeAttr(item); }
    static void GiveBack(ITypeInfo* info, TYPEATTR* item) { info->ReleaseTypeAttr(item); }
};

struct FuncDescLoan {
    using Type = FUNCDESC;
    static HRESULT Borrow(ITypeInfo* info, UINT index, FUNCDESC** item) { return info->GetFuncDesc(index, item); }
    static void GiveBack(ITypeInfo* info, FUNCDESC* item) { info->ReleaseFuncDesc(item); }
};

struct VarDescLoan {
    using Type = VARDESC;
    static HRESULT Borrow(ITypeInfo* info, UINT index, VARDESC** item) { return info->GetVarDesc(index, item); }
    static void GiveBack(ITypeInfo* info, VARDESC* item) { info->ReleaseVarDesc(item); }
};

// One description borrowed from a typeinfo (the index selects a function or variable).
template <typename Loan>
class TypeInfoDescription {
public:
    explicit TypeInfoDescription(ITypeInfo* info, UINT index = 0) : info_(info)
    {
        result_ = info_ != nullptr ? Loan::Borrow(info_, index, &item_) : E_POINTER;
        if (FAILED(result_))
            item_ = nullptr;
    }
    TypeInfoDescription(const TypeInfoDescription&) = delete;
    TypeInfoDescription& operator=(const TypeInfoDescription&) = delete;
    ~TypeInfoDescription()
    {
        if (item_ != nullptr)
            Loan::GiveBack(info_, item_);
    }
    HRESULT Result() const { return result_; }
    bool Valid() const { return item_ != nullptr; }
    const typename Loan::Type* operator->() const { return item_; }
    const typename Loan::Type& operator*() const { return *item_; }

private:
    ITypeInfo* info_;
    typename Loan::Type* item_ = nullptr;
    HRESULT result_ = E_FAIL;
};

using TypeAttributes = TypeInfoDescription<TypeAttrLoan>;
using FunctionDescription = TypeInfoDescription<FuncDescLoan>;
using VariableDescription = TypeInfoDescription<VarDescLoan>;
