#include "DibBlockCases.h"

#include <climits>
#include <cstring>

namespace {

BITMAPINFOHEADER Header(LONG width, LONG height, WORD bitCount)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

// The header, then `tail` bytes (colour table, masks and rows) of a recognisable filler.
std::string Block(const BITMAPINFOHEADER& header, SIZE_T tail)
{
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(tail, '\x5A');
    return block;
}

// A header of `headerSize` bytes: the 40-byte header's fields, padded or cut.
std::string SizedHeader(DWORD headerSize, SIZE_T tail)
{
    BITMAPINFOHEADER header = Header(2, 2, 24);
    header.biSize = headerSize;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    // A size below 40 keeps the whole 40 bytes behind it: only the stated size may refuse the block.
    if (headerSize > sizeof header)
        block.resize(headerSize, '\0');
    block.append(tail, '\x5A');
    return block;
}

} // namespace

std::vector<DibBlockCase> DibBlockCases()
{
    std::vector<DibBlockCase> cases;
    // Whole blocks: 2 x 2 at 24 bits is two rows of 8 bytes.
    cases.push_back({"2 x 2 x 24, bottom-up", Block(Header(2, 2, 24), 16), 40});
    cases.push_back({"2 x 2 x 24, top-down", Block(Header(2, -2, 24), 16), 40});
    cases.push_back({"3 x 1 x 1 with its two colours", Block(Header(3, 1, 1), 8 + 4), 48});
    cases.push_back({"1 x 1 x 8 with its 256 colours", Block(Header(1, 1, 8), 1024 + 4), 1064});
    BITMAPINFOHEADER fields = Header(1, 1, 16);
    fields.biCompression = BI_BITFIELDS;
    cases.push_back({"1 x 1 x 16 with its colour masks", Block(fields, 12 + 4), 52});
    cases.push_back({"108-byte header", SizedHeader(108, 16), 108});
    cases.push_back({"124-byte header", SizedHeader(124, 16), 124});
    BITMAPCOREHEADER core{sizeof core, 2, 2, 1, 4};
    std::string coreBlock(reinterpret_cast<const char*>(&core), sizeof core);
    coreBlock.append(16 * 3 + 8, '\x5A');
    cases.push_back({"core header, 2 x 2 x 4", coreBlock, 12 + 16 * 3});
    BITMAPINFOHEADER runs = Header(4, 4, 8);
    runs.biCompression = BI_RLE8;
    runs.biSizeImage = 6;
    runs.biClrUsed = 2;
    std::string runBlock = Block(runs, 8);
    runBlock.append("\x04\x01\x00\x00\x00\x01", 6);  // four of colour 1, end of line, end of bitmap
    cases.push_back({"run-length 8 bits, its stated size", runBlock, 48});

    // Rows the block does not hold.
    cases.push_back({"64 x 64 x 32, 16 bytes of rows", Block(Header(64, 64, 32), 16), 0});
    cases.push_back({"2 x 2 x 24, one byte short", Block(Header(2, 2, 24), 15), 0});
    cases.push_back({"2 x 2 x 24 top-down, one byte short", Block(Header(2, -2, 24), 15), 0});
    cases.push_back({"4096 x 4096 x 32 in 2 MB", Block(Header(4096, 4096, 32), 2 * 1024 * 1024), 0});
    cases.push_back({"widest rows", Block(Header(LONG_MAX, 1, 32), 64), 0});
    cases.push_back({"width times height wraps", Block(Header(0x10000, 0x10000, 32), 64), 0});
    cases.push_back({"lowest top-down height", Block(Header(1, LONG_MIN, 32), 64), 0});
    cases.push_back({"no width", Block(Header(0, 2, 24), 16), 0});
    cases.push_back({"negative width", Block(Header(-2, 2, 24), 16), 0});
    cases.push_back({"no height", Block(Header(2, 0, 24), 16), 0});
    cases.push_back({"bit count 7", Block(Header(2, 2, 7), 64), 0});
    cases.push_back({"masks missing", Block(fields, 4), 0});
    runs.biSizeImage = 0;
    cases.push_back({"run-length without its size", Block(runs, 64), 0});
    runs.biSizeImage = 1000;
    cases.push_back({"run-length longer than the block", Block(runs, 64), 0});
    BITMAPINFOHEADER jpeg = Header(2, 2, 0);
    jpeg.biCompression = BI_JPEG;
    jpeg.biSizeImage = 4;
    cases.push_back({"compression not drawn here", Block(jpeg, 4), 0});

    // Colour tables the block does not hold, and counts whose size wraps in 32 bits.
    cases.push_back({"8 bits without its colours", Block(Header(1, 1, 8), 4), 0});
    BITMAPINFOHEADER counted = Header(1, 1, 8);
    counted.biClrUsed = 0x40000000;  // times 4 is 2^32
    cases.push_back({"colour count wrapping to 0", Block(counted, 64), 0});
    counted.biClrUsed = 0xFFFFFFFF;
    cases.push_back({"largest colour count", Block(counted, 64), 0});
    BITMAPCOREHEADER shortCore{sizeof shortCore, 2, 2, 1, 8};
    std::string shortCoreBlock(reinterpret_cast<const char*>(&shortCore), sizeof shortCore);
    shortCoreBlock.append(100, '\x5A');
    cases.push_back({"core header without its 256 triples", shortCoreBlock, 0});

    // Header sizes that are neither the core header nor a whole 40-byte one, and a header longer than
    // the block.
    for (DWORD size : {0u, 4u, 11u, 13u, 16u, 24u, 32u, 36u, 39u})
        cases.push_back({"header size below 40, not 12", SizedHeader(size, 64), 0});
    std::string cut = SizedHeader(124, 0);
    cut.resize(100);
    cases.push_back({"header longer than the block", cut, 0});
    cases.push_back({"only a size", std::string("\x28\0\0", 3), 0});
    return cases;
}
