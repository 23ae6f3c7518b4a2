#include "movements/MovementKind.h"

namespace korvane {

const std::array<MovementKindInfo, kMovementKindCount> kMovementKinds = {{
    {MovementKind::Receipt, "ItemReceipts", +1, {ItemField::Receipts}, 1},
    {MovementKind::TransferIn, "ItemTransfersIn", +1, {ItemField::Transin}, 1},
    {MovementKind::WriteOff, "ItemWriteOffs", -1, {ItemField::Writeoffs}, 1},
    {MovementKind::TransferOut, "ItemTransfersOut", -1, {ItemField::Transout}, 1},
    {MovementKind::Sale, "Sales", -1,
     {ItemField::SoldDay, ItemField::SoldWeek, ItemField::SoldMonth, ItemField::SoldYear}, 4},
}};

}  // namespace korvane
