// Looking into a parsed form description in the tests of the program's windows.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "forms/FormDescription.h"

namespace korvane::testing {

inline constexpr char kRibbonClsid[] = "{B28088C2-F453-11CF-9C7D-0000C09300C4}";
inline constexpr char kCheckClsid[] = "{4113FBA2-F14B-11CF-9C79-0000C09300C4}";
inline constexpr char kCommandClsid[] = "{AAD093B2-F9CA-11CF-9C85-0000C09300C4}";

// The element of that name anywhere in the description (menus nest), or nullptr.
inline const forms::ElementDescription* FindElement(const forms::ElementDescription& parent, std::string_view name) {
  for (const auto& child : parent.children) {
    if (child.name == name) return &child;
    if (const auto* found = FindElement(child, name)) return found;
  }
  return nullptr;
}

// The persisted state that a control of the library is handed by name: every line of its element but
// those the container reads itself.
class BagState {
 public:
  explicit BagState(const forms::ElementDescription& control) : control_(control) {}

  static bool IsContainerProperty(std::string_view name) {
    for (const char* own : {"clsid", "rect", "tab", "notabstop", "hidden", "tooltip", "picture", "visible"}) {
      if (name == own) return true;
    }
    return false;
  }
  const forms::DescriptionProperty* Find(std::string_view name) const {
    return IsContainerProperty(name) ? nullptr : control_.Find(name);
  }
  bool Has(std::string_view name) const { return Find(name) != nullptr; }
  std::string Text(std::string_view name) const {
    const auto* property = Find(name);
    return property ? control_.Text(name) : "<missing>";
  }
  double Number(std::string_view name, double fallback) const {
    const auto* property = Find(name);
    if (!property || property->values.size() != 1) return fallback;
    const forms::DescriptionValue& value = property->values[0];
    if (value.kind == forms::DescriptionValue::Kind::Number) return value.number;
    if (value.kind == forms::DescriptionValue::Kind::Word && value.text == "True") return -1;
    if (value.kind == forms::DescriptionValue::Kind::Word && value.text == "False") return 0;
    return fallback;
  }

 private:
  const forms::ElementDescription& control_;
};

// A control of the library: an activex element of that class, with its state and an extent that
// matches its rectangle (HIMETRIC at 96 pixels per inch).
inline void ExpectLibraryControl(const forms::ElementDescription& form, std::string_view name, const char* clsid) {
  SCOPED_TRACE(std::string(name));
  const auto* control = FindElement(form, name);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->kind, "activex");
  EXPECT_EQ(control->Text("clsid"), clsid);
  const BagState state(*control);
  ASSERT_TRUE(control->Rect());
  EXPECT_EQ(state.Number("_ExtentX", 0), (control->Rect()->width * 2540 + 48) / 96);
  EXPECT_EQ(state.Number("_ExtentY", 0), (control->Rect()->height * 2540 + 48) / 96);
  EXPECT_EQ(state.Number("_Version", 0), 0x20000);
  for (const auto& property : control->properties) {
    const bool flag = property.name == "notabstop" || property.name == "hidden";
    EXPECT_EQ(property.values.size(), property.name == "rect" ? 4u : flag ? 0u : 1u)
        << "line " << property.line;
  }
}

// Every control in the tab order has a place of its own in it.
inline void ExpectDistinctTabPlaces(const forms::ElementDescription& form) {
  std::set<long> places;
  for (const auto& child : form.children) {
    if (!child.Has("tab")) continue;
    EXPECT_TRUE(places.insert(child.Integer("tab", -1)).second) << child.name;
  }
}

}  // namespace korvane::testing
