// Feeds arbitrary bytes to the field reader, the whole-line read, the number rules and the item file's
// load, check and rewrite. Besides crashes and leaks it checks what must hold for any input:
//   - every read moves on, so reading a file ends;
//   - number text read back and written again is the same text;
//   - a loaded table whose fields the file format can carry loads again the same after a rewrite.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "files/SequentialFiles.h"
#include "items/FieldReader.h"
#include "items/ItemFile.h"
#include "items/NumberText.h"

namespace {

using namespace korvane;

std::string g_workFolder;

void RemoveWorkFolder() {
  for (const char* name : {"/Item.dat", "/Item.dat.tmp"}) std::remove((g_workFolder + name).c_str());
  rmdir(g_workFolder.c_str());
}

const std::string& WorkFolder() {
  static const std::string& folder = [] () -> const std::string& {
    char name[] = "/tmp/korvane-fuzz-XXXXXX";
    const char* made = mkdtemp(name);
    if (made == nullptr) std::abort();
    g_workFolder = made;
    std::atexit(RemoveWorkFolder);
    return g_workFolder;
  }();
  return folder;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Check(file != nullptr);
  if (size > 0) Check(std::fwrite(data, 1, size, file) == size);
  Check(std::fclose(file) == 0);
}

// A field that a rewrite writes as one line and a load reads back unchanged.
bool CarriesThrough(const std::string& text, std::size_t width) {
  if (text.find_first_of(",\r\n") != std::string::npos) return false;
  if (!text.empty() && (text[0] == ' ' || text[0] == '\t' || text[0] == '"')) return false;
  if (width == 0 && !text.empty() && text.back() == ' ') return false;  // fixed fields re-pad themselves
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  files::InputText input{bytes, 0};
  std::string field;
  while (true) {
    const std::size_t before = input.position;
    if (ReadField(input, field) != ReadStatus::Ok) break;
    Check(input.position > before && input.position <= bytes.size());
    const std::string text = NumberText(NumberFromText(field));
    Check(NumberText(NumberFromText(text)) == text);
    (void)ApplyNumberPattern(field, "0000.00");
    (void)ApplyNumberPattern(field, "0");
  }
  files::InputText lines{bytes, 0};
  while (true) {
    const std::size_t before = lines.position;
    if (ReadWholeLine(lines, field) != ReadStatus::Ok) break;
    Check(lines.position > before);
  }

  static auto table = std::make_unique<ItemTableColumns>();
  static auto reloaded = std::make_unique<ItemTableColumns>();
  const std::string itemFile = WorkFolder() + "/Item.dat";
  WriteFile(itemFile, data, size);
  WindowCounters counters;
  const ItemFileStatus loaded = LoadItemTable(counters, *table, itemFile);
  const ItemFileStatus checked = CheckItemFileReadable(itemFile);
  Check((loaded == ItemFileStatus::Ok) == (checked == ItemFileStatus::Ok));
  Check(!files::IsFileOpen(kItemFileHandle));
  if (loaded != ItemFileStatus::Ok) return 0;

  bool carried = true;
  for (int row = 1; row <= counters.CounterMax && carried; ++row) {
    for (ItemField f : kAllItemFields) carried = carried && CarriesThrough(table->Column(f)(row).str(), FieldWidth(f));
  }
  Check(RewriteItemFile(counters, *table, itemFile) == ItemFileStatus::Ok);
  if (!carried) return 0;
  WindowCounters again;
  Check(LoadItemTable(again, *reloaded, itemFile) == ItemFileStatus::Ok);
  Check(again.CounterMax == counters.CounterMax);
  for (int row = 1; row <= counters.CounterMax; ++row) {
    for (ItemField f : kAllItemFields) Check(table->Column(f)(row).str() == reloaded->Column(f)(row).str());
  }
  return 0;
}
