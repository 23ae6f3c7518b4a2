#include "items/ItemFile.h"

#include <cstdio>
#include <string_view>

#include "files/ReplaceFileSafely.h"
#include "files/SequentialFiles.h"
#include "items/FieldReader.h"

namespace korvane {
namespace {

ItemFileStatus FromReadStatus(ReadStatus status) {
  switch (status) {
    case ReadStatus::Ok: return ItemFileStatus::Ok;
    case ReadStatus::PastEnd: return ItemFileStatus::EndsInsideItem;
    case ReadStatus::NotOpen: return ItemFileStatus::HandleNotOpen;
  }
  return ItemFileStatus::HandleNotOpen;
}

// Reads the 16 fields of one item, each into the cell that `cellOf` names for it.
template <typename CellOf>
ItemFileStatus ReadFieldsInto(CellOf cellOf) {
  std::string text;
  for (ItemField field : kAllItemFields) {
    const ReadStatus status = ReadField(kItemFileHandle, text);
    if (status != ReadStatus::Ok) return FromReadStatus(status);
    cellOf(field) = text;  // fixed fields fit themselves
  }
  return ItemFileStatus::Ok;
}

ItemFileStatus OpenItemFileForReading(const std::string& itemFile) {
  (void)files::CloseFile(kItemFileHandle);  // an input handle has nothing to flush
  return files::OpenFile(kItemFileHandle, itemFile, files::FileMode::Input) == files::FileStatus::Ok
             ? ItemFileStatus::Ok
             : ItemFileStatus::CannotOpen;
}

// Ends a reading routine: handle 1 is closed on every path.
ItemFileStatus FinishReading(ItemFileStatus status) {
  (void)files::CloseFile(kItemFileHandle);
  return status;
}

ItemFileStatus WriteItemLine(std::string_view text) {
  switch (files::WriteLine(kItemFileHandle, text)) {
    case files::FileStatus::Ok: return ItemFileStatus::Ok;
    case files::FileStatus::NotOpen:
    case files::FileStatus::WrongMode: return ItemFileStatus::HandleNotOpen;
    default: return ItemFileStatus::CannotWrite;
  }
}

// Writes the lines of a text again, each ended by CR LF: lines ended by CR LF, LF or CR, and a last line
// without an end.
ItemFileStatus WriteTextLines(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    const ItemFileStatus status = WriteItemLine(line);
    if (status != ItemFileStatus::Ok || end == std::string_view::npos) return status;
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
  return ItemFileStatus::Ok;
}

// Writes a new item file through handle 1 into a temporary file beside it (its name with ".tmp" added),
// which replaces the item file only when every line has been written and flushed to the disk. On failure
// the item file is as it was and the temporary file is removed.
template <typename WriteLines>
ItemFileStatus ReplaceThroughTemporaryFile(const std::string& itemFile, WriteLines writeLines) {
  const std::string temporaryFile = itemFile + ".tmp";
  (void)files::CloseFile(kItemFileHandle);
  if (files::OpenFile(kItemFileHandle, temporaryFile, files::FileMode::Output) != files::FileStatus::Ok) {
    return ItemFileStatus::CannotWrite;
  }
  ItemFileStatus status = writeLines();
  // Closed in any case; its flush can be the write that fails.
  const bool closed = files::CloseFile(kItemFileHandle) == files::FileStatus::Ok;
  if (status == ItemFileStatus::Ok && !closed) status = ItemFileStatus::CannotWrite;
  if (status == ItemFileStatus::Ok && !files::ReplaceFileSafely(temporaryFile, itemFile)) {
    status = ItemFileStatus::CannotWrite;
  }
  if (status != ItemFileStatus::Ok) std::remove(temporaryFile.c_str());
  return status;
}

ItemFileStatus WriteRows(int count, const ItemTableColumns& table) {
  for (int row = ItemTableColumns::kFirstRow; row <= count; ++row) {
    const ItemFileStatus status = WriteItemFields(row, table);
    if (status != ItemFileStatus::Ok) return status;
  }
  return ItemFileStatus::Ok;
}

}  // namespace

const char* ItemFileMessage(ItemFileStatus status) {
  switch (status) {
    case ItemFileStatus::CannotWrite: return kItemFileNotSavedText;
    case ItemFileStatus::TooManyItems: return kItemFileTooLongText;
    default: return kItemFileErrorText;
  }
}

ItemFileStatus ReadItemFields(ItemRecord& target) {
  return ReadFieldsInto([&target](ItemField field) -> FieldText& { return target.Field(field); });
}

ItemFileStatus ReadItemFields(int row, ItemTableColumns& table) {
  if (!ItemTableColumns::HasRow(row)) return ItemFileStatus::TooManyItems;
  return ReadFieldsInto([&table, row](ItemField field) -> FieldText& { return table.Column(field)(row); });
}

ItemFileStatus WriteItemFields(int row, const ItemTableColumns& table) {
  if (!ItemTableColumns::HasRow(row)) return ItemFileStatus::TooManyItems;
  for (ItemField field : kAllItemFields) {
    const ItemFileStatus status = WriteItemLine(table.Column(field)(row).str());
    if (status != ItemFileStatus::Ok) return status;
  }
  return ItemFileStatus::Ok;
}

ItemFileStatus LoadItemTable(WindowCounters& counters, ItemTableColumns& table, const std::string& itemFile) {
  counters.CounterMax = 0;
  counters.indexx = 1;
  const ItemFileStatus opened = OpenItemFileForReading(itemFile);
  if (opened != ItemFileStatus::Ok) return FinishReading(opened);

  while (!files::AtEndOfFile(kItemFileHandle)) {
    // Checked before the row is used: the 15,001st item is refused, never stored.
    if (!ItemTableColumns::HasRow(counters.indexx)) return FinishReading(ItemFileStatus::TooManyItems);
    const ItemFileStatus status = ReadItemFields(counters.indexx, table);
    if (status != ItemFileStatus::Ok) return FinishReading(status);
    ++counters.indexx;
  }
  --counters.indexx;
  counters.CounterMax = counters.indexx;
  counters.indexx = 0;
  return FinishReading(ItemFileStatus::Ok);
}

ItemFileStatus RewriteItemFile(const WindowCounters& counters, const ItemTableColumns& table,
                               const std::string& itemFile) {
  if (counters.CounterMax > ItemTableColumns::kLastRow) return ItemFileStatus::TooManyItems;
  return ReplaceThroughTemporaryFile(itemFile, [&] { return WriteRows(counters.CounterMax, table); });
}

ItemFileStatus AppendItemToFile(const ItemRecord& item, const std::string& itemFile) {
  const ItemFileStatus opened = OpenItemFileForReading(itemFile);
  if (opened != ItemFileStatus::Ok) return FinishReading(opened);
  const std::string lines = files::InputOf(kItemFileHandle)->bytes;
  (void)files::CloseFile(kItemFileHandle);
  return ReplaceThroughTemporaryFile(itemFile, [&] {
    ItemFileStatus status = WriteTextLines(lines);
    for (ItemField field : kAllItemFields) {
      if (status != ItemFileStatus::Ok) break;
      status = WriteItemLine(item.Field(field).str());
    }
    return status;
  });
}

ItemFileStatus CheckItemFileReadable(const std::string& itemFile) {
  return ForEachItem([](const ItemRecord&) { return true; }, itemFile);
}

ItemFileStatus CheckItemFileLinesClean(const std::string& itemFile) {
  const ItemFileStatus opened = OpenItemFileForReading(itemFile);
  if (opened != ItemFileStatus::Ok) return FinishReading(opened);
  const std::string& bytes = files::InputOf(kItemFileHandle)->bytes;
  const bool clean = bytes.find_first_of(",\"") == std::string::npos;
  return FinishReading(clean ? ItemFileStatus::Ok : ItemFileStatus::CommaOrQuote);
}

ItemFileStatus ForEachItem(const std::function<bool(const ItemRecord&)>& visit, const std::string& itemFile) {
  const ItemFileStatus opened = OpenItemFileForReading(itemFile);
  if (opened != ItemFileStatus::Ok) return FinishReading(opened);
  int items = 0;
  while (!files::AtEndOfFile(kItemFileHandle)) {
    if (++items > ItemTableColumns::kLastRow) return FinishReading(ItemFileStatus::TooManyItems);
    const ItemFileStatus status = ReadItemFields(ItemRec);
    if (status != ItemFileStatus::Ok) return FinishReading(status);
    if (!visit(ItemRec)) break;
  }
  return FinishReading(ItemFileStatus::Ok);
}

}  // namespace korvane
