#include "ObjectDescriptor.h"

int ObjectDescriptorTable::FindClsid(REFCLSID clsid)
{
    for (int row = 0; rows[row].kind != ObjectKindEndOfTable; ++row) {
        const CLSID* own = rows[row].info != nullptr ? rows[row].info->clsid : nullptr;
        if (own != nullptr && IsEqualCLSID(*own, clsid))
            return row;
    }
    return -1;
}

ControlDescriptor* ObjectDescriptorTable::Control(int row)
{
    if (rows[row].kind != ObjectKindControl)
        return nullptr;
    return static_cast<ControlDescriptor*>(rows[row].info);
}
