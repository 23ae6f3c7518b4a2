// The files format (CF_HDROP): a DROPFILES block on global memory, built from a file-name list and
// read back into one through the shell's functions.
#pragma once
#include <windows.h>

class QvDataObjectFiles;

// A DROPFILES block (ANSI names, each with its NUL, and a final NUL) of the list's names in order, on
// shareable global memory that the receiver frees; null when out of memory.
HGLOBAL DropFilesMemory(QvDataObjectFiles& files);

// Appends the names of a DROPFILES block to the list (read with the shell's DragQueryFileA). The
// shell library is bound once per process; when it cannot be, the result is error 48 as an HRESULT.
HRESULT AppendDropFiles(HGLOBAL drop, QvDataObjectFiles& files);
