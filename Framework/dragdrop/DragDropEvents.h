// The six OLE drag events of every control's event interface. Every argument is passed by reference
// (a pointer), so that the host's handler can answer through it.
#pragma once
#include "EventDescriptor.h"

// Data (the data object), AllowedEffects.
extern const EventDescriptor OLEStartDragEvent;
// Effect, DefaultCursors.
extern const EventDescriptor OLEGiveFeedbackEvent;
// Data, DataFormat.
extern const EventDescriptor OLESetDataEvent;
// Effect.
extern const EventDescriptor OLECompleteDragEvent;
// Data, Effect, Button, Shift, X, Y (container units), State (0 enter, 1 leave, 2 over).
extern const EventDescriptor OLEDragOverEvent;
// Data, Effect, Button, Shift, X, Y.
extern const EventDescriptor OLEDragDropEvent;
