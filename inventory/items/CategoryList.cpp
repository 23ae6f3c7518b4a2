#include "items/CategoryList.h"

#include "files/SequentialFiles.h"
#include "items/FieldReader.h"
#include "items/NumberText.h"

namespace korvane {

ItemFileStatus ReadCategoryCodes(std::vector<std::string>& codes, const std::string& categoryFile) {
  codes.clear();
  (void)files::CloseFile(kCategoryFileHandle);
  if (files::OpenFile(kCategoryFileHandle, categoryFile, files::FileMode::Input) != files::FileStatus::Ok) {
    return ItemFileStatus::CannotOpen;
  }
  std::string code;
  while (ReadField(kCategoryFileHandle, code) == ReadStatus::Ok) codes.push_back(code);
  (void)files::CloseFile(kCategoryFileHandle);
  return ItemFileStatus::Ok;
}

bool SameCategoryValue(std::string_view code, std::string_view category) {
  return NumberFromText(code) == NumberFromText(category);
}

}  // namespace korvane
