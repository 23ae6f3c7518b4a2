#include "DragDropEvents.h"

namespace {

constexpr VARTYPE DataRef = VT_BYREF | VT_DISPATCH;
constexpr VARTYPE LongRef = VT_BYREF | VT_I4;
constexpr VARTYPE ShortRef = VT_BYREF | VT_I2;
constexpr VARTYPE SingleRef = VT_BYREF | VT_R4;

const VARTYPE StartDragParameters[] = {DataRef, LongRef};
const VARTYPE GiveFeedbackParameters[] = {LongRef, VT_BYREF | VT_BOOL};
const VARTYPE SetDataParameters[] = {DataRef, ShortRef};
const VARTYPE CompleteDragParameters[] = {LongRef};
const VARTYPE DragOverParameters[] = {DataRef, LongRef, ShortRef, ShortRef, SingleRef, SingleRef, ShortRef};
const VARTYPE DragDropParameters[] = {DataRef, LongRef, ShortRef, ShortRef, SingleRef, SingleRef};

} // namespace

const EventDescriptor OLEStartDragEvent = {1550, 2, StartDragParameters};
const EventDescriptor OLEGiveFeedbackEvent = {1551, 2, GiveFeedbackParameters};
const EventDescriptor OLESetDataEvent = {1552, 2, SetDataParameters};
const EventDescriptor OLECompleteDragEvent = {1553, 1, CompleteDragParameters};
const EventDescriptor OLEDragOverEvent = {1554, 7, DragOverParameters};
const EventDescriptor OLEDragDropEvent = {1555, 6, DragDropParameters};
