// What a form takes from the program's resources: its description (resource type "FORMDESC", named after
// the form) and its pictures (bitmap resources named after their files). See cmake/FormResources.cmake.
#pragma once

#include <string>

#include "forms/FormDescription.h"
#include "forms/GdiObjects.h"

namespace korvane::forms {

class Form;

// The text of the form description resource `name`; throws FormLoadError when there is none.
std::string LoadFormDescriptionText(const std::string& name);
// The bitmap resource an element names in its `picture` property; empty when it names none. Throws
// FormLoadError naming the form when the program holds no such bitmap.
GdiBitmap DescribedPicture(const Form& form, const ElementDescription& element);
// The bitmap resource `name`, or an empty bitmap.
GdiBitmap TryLoadPicture(const std::string& name);

}  // namespace korvane::forms
