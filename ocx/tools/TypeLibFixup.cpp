// Build tool (runs on the build machine): carries two things of the library's IDL past the Wine IDL
// compiler, which refuses them, and writes them into the compiled type library afterwards.
//
//   TypeLibFixup lower <in.idl> <out.idl> <fixups.txt>
//       Copies the IDL, taking out the help strings of enumeration constants and the attributes of
//       dispinterface properties other than id and readonly; each one taken out is listed in the
//       fixup file.
//   TypeLibFixup patch <in.tlb> <fixups.txt> <out.tlb>
//       Writes the listed help strings and property flags into the compiled library.
//
// The compiled library is in the MSFT layout the IDL compiler writes: a header, the typeinfo offset
// table, a directory of fifteen segments, the segments, then one member block per typeinfo. A help
// string is a string-table entry; a constant takes one by growing its variable record from 20 to 28
// bytes (help context and help string offset), which moves every later segment and member block.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

[[noreturn]] void Fail(const std::string& message)
{
    throw std::runtime_error(message);
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        Fail("cannot read " + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        Fail("cannot write " + path);
}

// Variable flags as the type library stores them.
const std::map<std::string, uint32_t> kPropertyFlags = {
    {"bindable", 0x04},
    {"requestedit", 0x08},
    {"displaybind", 0x10},
    {"defaultbind", 0x20},
    {"hidden", 0x40},
    {"nonbrowsable", 0x400},
};

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// ---- lower ----------------------------------------------------------------------------------------

int Lower(const std::string& inPath, const std::string& outPath, const std::string& fixupPath)
{
    static const std::regex enumStart(R"(^\s*enum\s+(\w+)\s*\{)");
    static const std::regex dispStart(R"(^\s*dispinterface\s+(\w+)\s*$)");
    static const std::regex scopeEnd(R"(^\s*\}\s*\w*\s*;)");
    static const std::regex enumMember(R"re(^(\s*)\[helpstring\("([^"\\]*)"\)\]\s*(\w+)(.*)$)re");
    static const std::regex property(R"(^(\s*)\[([^\]]*)\]\s*(.*\S)\s+(\w+)\s*;\s*$)");

    std::ostringstream idl;
    std::ostringstream fixups;
    std::string enumName;
    std::string dispName;
    bool inProperties = false;
    int lineNumber = 0;
    for (const std::string& line : ReadLines(inPath)) {
        ++lineNumber;
        std::smatch match;
        std::string output = line;
        if (!enumName.empty() && std::regex_match(line, match, enumMember)) {
            fixups << "enumhelp\t" << enumName << '\t' << match[3] << '\t' << match[2] << '\n';
            output = match[1].str() + match[3].str() + match[4].str();
        } else if (!dispName.empty() && inProperties && std::regex_match(line, match, property)) {
            std::string kept;
            uint32_t flags = 0;
            std::stringstream attributes(match[2].str());
            for (std::string attribute; std::getline(attributes, attribute, ',');) {
                attribute = Trim(attribute);
                if (attribute.rfind("id(", 0) == 0 || attribute == "readonly") {
                    kept += (kept.empty() ? "" : ", ") + attribute;
                    continue;
                }
                const auto flag = kPropertyFlags.find(attribute);
                if (flag == kPropertyFlags.end())
                    Fail(inPath + ":" + std::to_string(lineNumber) + ": property attribute " + attribute +
                         " is not carried");
                flags |= flag->second;
            }
            if (flags != 0) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "%x", flags);
                fixups << "varflags\t" << dispName << '\t' << match[4] << '\t' << hex << '\n';
            }
            output = match[1].str() + "[" + kept + "] " + match[3].str() + " " + match[4].str() + ";";
        } else if (line.find("helpstring(") != std::string::npos && !enumName.empty()) {
            Fail(inPath + ":" + std::to_string(lineNumber) + ": enumeration constant not in the form "
                 "[helpstring(\"text\")] name = value");
        }

        if (std::regex_search(line, match, enumStart)) {
            enumName = match[1];
        } else if (std::regex_search(line, match, dispStart)) {
            dispName = match[1];
            inProperties = false;
        } else if (!dispName.empty() && Trim(line) == "properties:") {
            inProperties = true;
        } else if (!dispName.empty() && Trim(line) == "methods:") {
            inProperties = false;
        } else if (std::regex_search(line, match, scopeEnd)) {
            enumName.clear();
            dispName.clear();
            inProperties = false;
        }
        idl << output << '\n';
    }
    WriteFile(outPath, idl.str());
    WriteFile(fixupPath, fixups.str());
    return 0;
}

// ---- patch ----------------------------------------------------------------------------------------

enum Segment { kTypeInfoSegment = 0, kNameSegment = 7, kStringSegment = 8, kSegmentCount = 15 };

constexpr uint32_t kHelpDllFlag = 0x100;
constexpr int kTypeInfoSize = 100;
constexpr int kEnumKind = 0;
constexpr int kDispatchKind = 4;
constexpr uint32_t kPlainVarRecordSize = 0x14;
constexpr uint32_t kHelpVarRecordSize = 0x1C;

int32_t Get32(const Bytes& bytes, size_t at)
{
    if (at + 4 > bytes.size())
        Fail("type library is cut short");
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return static_cast<int32_t>(value);
}

void Put32(Bytes& bytes, size_t at, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
}

void Append32(Bytes& bytes, int32_t value)
{
    bytes.resize(bytes.size() + 4);
    Put32(bytes, bytes.size() - 4, value);
}

struct Layout {
    size_t typeInfoOffsets = 0; // file position of the typeinfo offset table
    int typeInfoCount = 0;
    size_t segmentDirectory = 0;
    int32_t segmentOffset[kSegmentCount] = {};
    int32_t segmentLength[kSegmentCount] = {};
};

Layout ReadLayout(const Bytes& file)
{
    if (Get32(file, 0) != 0x5446534D)
        Fail("not a type library in the MSFT layout");
    Layout layout;
    layout.typeInfoCount = Get32(file, 32);
    size_t at = 84;
    if (static_cast<uint32_t>(Get32(file, 20)) & kHelpDllFlag)
        at += 4;
    layout.typeInfoOffsets = at;
    layout.segmentDirectory = at + 4 * static_cast<size_t>(layout.typeInfoCount);
    for (int s = 0; s < kSegmentCount; ++s) {
        layout.segmentOffset[s] = Get32(file, layout.segmentDirectory + 16 * s);
        layout.segmentLength[s] = Get32(file, layout.segmentDirectory + 16 * s + 4);
    }
    return layout;
}

std::string NameAt(const Bytes& file, const Layout& layout, int32_t offset)
{
    const size_t at = static_cast<size_t>(layout.segmentOffset[kNameSegment]) + offset;
    const int length = Get32(file, at + 8) & 0xFF;
    if (at + 12 + length > file.size())
        Fail("name outside the file");
    return std::string(file.begin() + at + 12, file.begin() + at + 12 + length);
}

size_t TypeInfoBase(const Layout& layout, int index)
{
    return static_cast<size_t>(layout.segmentOffset[kTypeInfoSegment]) + static_cast<size_t>(index) * kTypeInfoSize;
}

struct TypeInfoView {
    int index;
    int kind;
    std::string name;
    size_t block;      // file position of the member block
    int functions;
    int variables;
};

std::vector<TypeInfoView> ReadTypeInfos(const Bytes& file, const Layout& layout)
{
    std::vector<TypeInfoView> typeInfos;
    for (int i = 0; i < layout.typeInfoCount; ++i) {
        const size_t base = TypeInfoBase(layout, i);
        const int32_t elements = Get32(file, base + 24);
        typeInfos.push_back({i, Get32(file, base) & 0xF, NameAt(file, layout, Get32(file, base + 52)),
                             static_cast<size_t>(static_cast<uint32_t>(Get32(file, base + 4))),
                             elements & 0xFFFF, (elements >> 16) & 0xFFFF});
    }
    return typeInfos;
}

// One member of a block: its record and its entries in the three tables after the records.
struct Member {
    Bytes record;
    int32_t id;
    int32_t name;
};

size_t BlockSize(const Bytes& file, const TypeInfoView& typeInfo)
{
    const int count = typeInfo.functions + typeInfo.variables;
    return 4 + static_cast<size_t>(Get32(file, typeInfo.block)) + 12 * static_cast<size_t>(count);
}

std::vector<Member> ReadMembers(const Bytes& file, const TypeInfoView& typeInfo)
{
    const int count = typeInfo.functions + typeInfo.variables;
    const size_t records = typeInfo.block + 4;
    const size_t tables = records + static_cast<size_t>(Get32(file, typeInfo.block));
    std::vector<Member> members;
    for (int m = 0; m < count; ++m) {
        const size_t at = records + static_cast<size_t>(Get32(file, tables + 4 * (2 * count + m)));
        const size_t size = static_cast<uint32_t>(Get32(file, at)) & 0xFFFF;
        if (at + size > file.size())
            Fail("member record outside the file");
        members.push_back({Bytes(file.begin() + at, file.begin() + at + size), Get32(file, tables + 4 * m),
                           Get32(file, tables + 4 * (count + m))});
    }
    return members;
}

Bytes WriteMembers(const std::vector<Member>& members)
{
    Bytes records;
    std::vector<int32_t> offsets;
    for (const Member& member : members) {
        offsets.push_back(static_cast<int32_t>(records.size()));
        records.insert(records.end(), member.record.begin(), member.record.end());
    }
    Bytes block;
    Append32(block, static_cast<int32_t>(records.size()));
    block.insert(block.end(), records.begin(), records.end());
    for (const Member& member : members)
        Append32(block, member.id);
    for (const Member& member : members)
        Append32(block, member.name);
    for (int32_t offset : offsets)
        Append32(block, offset);
    return block;
}

// A replacement of the old bytes [start, end) by new bytes; every later file position moves.
struct Edit {
    size_t start;
    size_t end;
    Bytes bytes;
};

int Patch(const std::string& inPath, const std::string& fixupPath, const std::string& outPath)
{
    Bytes file = ReadFile(inPath);
    const Layout layout = ReadLayout(file);
    const std::vector<TypeInfoView> typeInfos = ReadTypeInfos(file, layout);

    auto findTypeInfo = [&](const std::string& name, int kind) -> const TypeInfoView& {
        for (const TypeInfoView& typeInfo : typeInfos)
            if (typeInfo.name == name && typeInfo.kind == kind)
                return typeInfo;
        Fail("no typeinfo " + name + " in the compiled library");
    };

    // Help strings per enumeration, and property flags (patched in place).
    std::map<int, std::map<std::string, std::string>> helpByEnum;
    Bytes strings;
    const int32_t stringBase = layout.segmentLength[kStringSegment] < 0 ? 0 : layout.segmentLength[kStringSegment];
    for (const std::string& line : ReadLines(fixupPath)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 4)
            Fail("bad fixup line: " + line);
        if (fields[0] == "enumhelp") {
            helpByEnum[findTypeInfo(fields[1], kEnumKind).index][fields[2]] = fields[3];
        } else if (fields[0] == "varflags") {
            const TypeInfoView& disp = findTypeInfo(fields[1], kDispatchKind);
            const uint32_t flags = static_cast<uint32_t>(std::stoul(fields[3], nullptr, 16));
            bool found = false;
            const int count = disp.functions + disp.variables;
            const size_t records = disp.block + 4;
            const size_t tables = records + static_cast<size_t>(Get32(file, disp.block));
            for (int m = disp.functions; m < count; ++m) {
                if (NameAt(file, layout, Get32(file, tables + 4 * (count + m))) != fields[2])
                    continue;
                const size_t at = records + static_cast<size_t>(Get32(file, tables + 4 * (2 * count + m)));
                Put32(file, at + 8, static_cast<int32_t>(static_cast<uint32_t>(Get32(file, at + 8)) | flags));
                found = true;
            }
            if (!found)
                Fail("no property " + fields[2] + " in " + fields[1]);
        } else {
            Fail("bad fixup line: " + line);
        }
    }

    std::vector<Edit> edits;
    for (const auto& [index, helps] : helpByEnum) {
        const TypeInfoView& typeInfo = typeInfos[index];
        std::vector<Member> members = ReadMembers(file, typeInfo);
        size_t applied = 0;
        for (Member& member : members) {
            const auto help = helps.find(NameAt(file, layout, member.name));
            if (help == helps.end())
                continue;
            const std::string& text = help->second;
            const int32_t offset = stringBase + static_cast<int32_t>(strings.size());
            strings.push_back(static_cast<unsigned char>(text.size() & 0xFF));
            strings.push_back(static_cast<unsigned char>(text.size() >> 8));
            strings.insert(strings.end(), text.begin(), text.end());
            while (strings.size() % 4 != 0)
                strings.push_back(0x57);
            const uint32_t info = static_cast<uint32_t>(Get32(member.record, 0));
            if ((info & 0xFFFF) < kPlainVarRecordSize)
                Fail("short variable record in " + typeInfo.name);
            if ((info & 0xFFFF) < kHelpVarRecordSize) {
                member.record.resize(kPlainVarRecordSize);
                Append32(member.record, 0);
                Append32(member.record, 0);
                Put32(member.record, 0, static_cast<int32_t>((info & 0xFFFF0000u) | kHelpVarRecordSize));
            }
            Put32(member.record, 0x18, offset);
            ++applied;
        }
        if (applied != helps.size())
            Fail("help string for a constant that " + typeInfo.name + " does not have");
        edits.push_back({typeInfo.block, typeInfo.block + BlockSize(file, typeInfo), WriteMembers(members)});
    }
    if (layout.segmentOffset[kStringSegment] < 0)
        Fail("the compiled library has no string segment");
    const size_t stringEnd = static_cast<size_t>(layout.segmentOffset[kStringSegment]) +
                             static_cast<size_t>(layout.segmentLength[kStringSegment]);
    edits.push_back({stringEnd, stringEnd, strings});
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.start < b.start; });

    auto moved = [&](size_t position) {
        long long shift = 0;
        for (const Edit& edit : edits)
            if (edit.end <= position)
                shift += static_cast<long long>(edit.bytes.size()) - static_cast<long long>(edit.end - edit.start);
        return static_cast<int32_t>(static_cast<long long>(position) + shift);
    };

    Bytes out;
    size_t copied = 0;
    for (const Edit& edit : edits) {
        if (edit.start < copied)
            Fail("overlapping edits");
        out.insert(out.end(), file.begin() + copied, file.begin() + edit.start);
        out.insert(out.end(), edit.bytes.begin(), edit.bytes.end());
        copied = edit.end;
    }
    out.insert(out.end(), file.begin() + copied, file.end());

    // Positions are file offsets in the segment directory and in each typeinfo's member block field;
    // everything else is relative to its segment. The header and the directory lie before every edit.
    for (int s = 0; s < kSegmentCount; ++s) {
        const size_t entry = layout.segmentDirectory + 16 * s;
        if (layout.segmentOffset[s] >= 0)
            Put32(out, entry, moved(static_cast<size_t>(layout.segmentOffset[s])));
    }
    Put32(out, layout.segmentDirectory + 16 * kStringSegment + 4,
          layout.segmentLength[kStringSegment] + static_cast<int32_t>(strings.size()));
    const size_t newTypeInfoSegment = static_cast<size_t>(moved(static_cast<size_t>(layout.segmentOffset[kTypeInfoSegment])));
    for (const TypeInfoView& typeInfo : typeInfos) {
        const size_t field = newTypeInfoSegment + static_cast<size_t>(typeInfo.index) * kTypeInfoSize + 4;
        if (Get32(file, TypeInfoBase(layout, typeInfo.index) + 4) >= 0)
            Put32(out, field, moved(typeInfo.block));
    }

    std::ofstream stream(outPath, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!stream)
        Fail("cannot write " + outPath);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 5 && std::strcmp(argv[1], "lower") == 0)
            return Lower(argv[2], argv[3], argv[4]);
        if (argc == 5 && std::strcmp(argv[1], "patch") == 0)
            return Patch(argv[2], argv[3], argv[4]);
        std::cerr << "usage: TypeLibFixup lower <in.idl> <out.idl> <fixups> | patch <in.tlb> <fixups> <out.tlb>\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "TypeLibFixup: " << error.what() << '\n';
        return 1;
    }
}
