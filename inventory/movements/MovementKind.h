// The five kinds of stock movement that the Adjust Inventory window posts, and what each one changes in
// an item: its quantity on hand goes up or down by the amount, and its counters go up by the amount.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "items/ItemRecord.h"

namespace korvane {

// In the order in which a posting changes the quantity on hand.
enum class MovementKind { Receipt, TransferIn, WriteOff, TransferOut, Sale };

inline constexpr int kMovementKindCount = 5;

struct MovementKindInfo {
  MovementKind kind;
  const char* control;    // the check button that chooses the kind
  int quantitySign;       // +1: the amount is added to the quantity on hand; -1: taken from it
  std::array<ItemField, 4> counters;  // each goes up by the amount: the first counterCount of them
  std::size_t counterCount;
};

// One row per kind, in the order of MovementKind.
extern const std::array<MovementKindInfo, kMovementKindCount> kMovementKinds;

inline const MovementKindInfo& InfoOf(MovementKind kind) { return kMovementKinds[static_cast<int>(kind)]; }

// The kinds in the order in which the page checks its buttons to clear the choice.
inline constexpr std::array<MovementKind, kMovementKindCount> kKindButtonOrder = {
    MovementKind::Receipt, MovementKind::WriteOff, MovementKind::TransferIn, MovementKind::TransferOut,
    MovementKind::Sale};

// A set of chosen kinds, indexed by MovementKind.
using ChosenKinds = std::array<bool, kMovementKindCount>;

}  // namespace korvane
