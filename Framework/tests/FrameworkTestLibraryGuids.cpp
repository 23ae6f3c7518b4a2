// The GUIDs of the tests' type library, defined once.
#include <initguid.h>

#include "FrameworkTestLibrary.h"
