// Packed DIBs as another program may hand them over: whole ones and ones whose header claims more
// than the block holds, each with where its pixel rows begin (0 for a block to refuse).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct DibBlockCase {
    const char* what;
    std::string block;
    SIZE_T bitsOffset;
};

std::vector<DibBlockCase> DibBlockCases();
