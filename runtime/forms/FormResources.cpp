#include "forms/FormResources.h"

#include "forms/Form.h"
#include "forms/Forms.h"

namespace korvane::forms {

std::string LoadFormDescriptionText(const std::string& name) {
  HINSTANCE program = ProgramInstance();
  HRSRC found = FindResourceA(program, name.c_str(), "FORMDESC");
  HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw FormLoadError(name + ": the program holds no form description of that name");
  return std::string(static_cast<const char*>(bytes), SizeofResource(program, found));
}

GdiBitmap TryLoadPicture(const std::string& name) {
  return GdiBitmap(
      static_cast<HBITMAP>(LoadImageA(ProgramInstance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

GdiBitmap DescribedPicture(const Form& form, const ElementDescription& element) {
  const std::string name = element.Text("picture");
  if (name.empty()) return GdiBitmap();
  GdiBitmap picture = TryLoadPicture(name);
  if (!picture) throw FormLoadError(form.Name() + ": the program holds no picture named " + name);
  return picture;
}

}  // namespace korvane::forms
