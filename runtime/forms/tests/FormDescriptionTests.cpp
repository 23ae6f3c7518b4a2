#include "forms/FormDescription.h"

#include <gtest/gtest.h>

#include <string>

using namespace korvane::forms;

TEST(FormDescription, ReadsAFormWithControlsArraysAndMenus) {
  const auto form = ParseFormDescription(R"(# sample
form Form3 {
  caption "Adjust Inventory"
  size 480 320
  font "MS Sans Serif" 8.25 bold
  textbox Text38 {
    rect 10 40 150 21
    tab 1
    backcolor 0xC000
    readonly
  }
  label Label1 index 1 { caption "   Input Item Number" }
  menu help {
    caption "                       &Help"
    menu inner { caption "say \"hi\" \\ there" }
  }
}
)");
  EXPECT_EQ(form.kind, "form");
  EXPECT_EQ(form.name, "Form3");
  EXPECT_EQ(form.Text("caption"), "Adjust Inventory");
  ASSERT_TRUE(form.Font());
  EXPECT_EQ(form.Font()->name, "MS Sans Serif");
  EXPECT_DOUBLE_EQ(form.Font()->points, 8.25);
  EXPECT_TRUE(form.Font()->bold);
  ASSERT_EQ(form.children.size(), 3u);
  const auto& text = form.children[0];
  EXPECT_EQ(text.kind, "textbox");
  ASSERT_TRUE(text.Rect());
  EXPECT_EQ(text.Rect()->width, 150);
  EXPECT_EQ(text.Integer("backcolor", 0), 49152);
  EXPECT_TRUE(text.Has("readonly"));
  EXPECT_FALSE(text.Has("notabstop"));
  EXPECT_EQ(form.children[1].index, 1);
  EXPECT_EQ(form.children[1].Text("caption"), "   Input Item Number");  // leading blanks kept
  EXPECT_EQ(form.children[2].Text("caption"), "                       &Help");
  EXPECT_EQ(form.children[2].children.at(0).Text("caption"), "say \"hi\" \\ there");
}

TEST(FormDescription, MalformedDescriptionsNameTheirLine) {
  struct Case { const char* text; int line; };
  const Case cases[] = {
      {"label L { }", 1},                                   // not a form
      {"form F {\n  caption \"open\n}", 2},                  // unclosed quote
      {"form F {\n  label L {\n", 2},                        // unclosed element
      {"form F {\n label L index -1 { }\n}", 2},             // bad index
      {"form F {\n}\nform G { }", 3},                        // text after the form
  };
  for (const Case& c : cases) {
    try {
      ParseFormDescription(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const FormDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line) << c.text << ": " << e.what();
    }
  }
}

// Menus inside menus, `levels` deep below the form, one per line.
std::string NestedMenus(int levels) {
  std::string text = "form F {\n";
  for (int i = 0; i < levels; ++i) text += "menu m" + std::to_string(i) + " {\n";
  for (int i = 0; i < levels; ++i) text += "}\n";
  return text + "}\n";
}

TEST(FormDescription, NestingDeeperThanAFormNeedsIsRefusedWithItsLine) {
  // The form and 31 levels below it are read.
  const ElementDescription read = ParseFormDescription(NestedMenus(31));
  const ElementDescription* inner = &read;
  int levels = 0;
  for (; !inner->children.empty(); inner = &inner->children.front()) ++levels;
  EXPECT_EQ(levels, 31);
  // One more, or thousands (which would exhaust the stack), is an error at the first level too many.
  for (int levels : {32, 5000}) {
    try {
      ParseFormDescription(NestedMenus(levels));
      ADD_FAILURE() << levels << " levels accepted";
    } catch (const FormDescriptionError& e) {
      EXPECT_EQ(e.Line(), 33) << e.what();
    }
  }
}

TEST(FormDescription, TypedReadsRefuseMalformedValues) {
  const auto form = ParseFormDescription(
      "form F {\n rect 1 2 3\n caption 12\n tab x\n font \"Arial\" 0\n}\n");
  EXPECT_THROW(form.Rect(), FormDescriptionError);
  EXPECT_THROW(form.Text("caption"), FormDescriptionError);
  EXPECT_THROW(form.Integer("tab", 0), FormDescriptionError);
  EXPECT_THROW(form.Font(), FormDescriptionError);
  EXPECT_EQ(form.Integer("missing", 7), 7);
}
