// The object table of the type library tests: rows of the versions the library's own table carries,
// described by the Plyx type library. The test program carries that library as its own TYPELIB 1, as
// the control library does, so the framework finds it in the module when it is not registered.
#pragma once

enum PlyxTestRow {
    ControlTestRow = 0,     // a control: version 2.0, the registered library's
    DataObjectTestRow = 1,  // the automation data object: version 1.0, never registered
};
