// A form described in a form description built into the test program as a resource, shown under the X
// display and saved as a PNG.
#include <gtest/gtest.h>

#include <fstream>

#include "forms/Forms.h"
#include "forms/testing/FormDriver.h"

using namespace korvane::forms;
using korvane::forms::testing::FormDriver;

namespace {

class SampleForm : public Form {
 public:
  SampleForm() : Form("SampleForm") {}

  int saves = 0;

 private:
  void Bind(EventTable& on) override {
    on("Form", "Load", &SampleForm::Form_Load);
    on("SaveButton4", "Click", &SampleForm::SaveButton4_Click);
    on("ExitButton", "Click", &SampleForm::ExitButton_Click);
  }
  void Form_Load() {
    ListBox& list = ListBoxNamed("List1");
    list.AddItem("0001  5    BOLT-10          Hex bolt 10 mm              0000.25  0000.40   0120   010");
    list.AddItem("0002  5    NUT-10           Hex nut 10 mm               0000.05  0000.10   0300   050");
    list.AddItem("0003  12   WASHER-10        Washer 10 mm                0000.02  0000.05   0045   100");
    TextBoxNamed("Text35").SetText("Hex bolt 10 mm");
  }
  void SaveButton4_Click() { ++saves; }
  void ExitButton_Click() { Unload(); }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SampleForm, ItsDescriptionResourceBuildsTheWindowWhichIsShownAndSavedAsAPng) {
  FormDriver ui;
  auto form = ui.Show<SampleForm>();
  EXPECT_EQ(form.Caption(), "Adjust Inventory");
  EXPECT_EQ(form.Text("Label1(1)"), "   Input Item Number");
  EXPECT_EQ(form.Text("Text16"), "17");
  EXPECT_EQ(form.Lines("List1").size(), 3u);
  EXPECT_EQ(form.MenuCaption("help"), "                       &Help");
  RECT client{};
  GetClientRect(form.Get().Window(), &client);
  EXPECT_EQ(client.right, 520);
  EXPECT_EQ(client.bottom, 330);

  // The picture button shows its bitmap from the resources.
  EXPECT_NE(SendMessageA(form.Window("ExitButton"), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);

  form.Click("SaveButton4");
  EXPECT_EQ(Forms::Get<SampleForm>().saves, 1);

  const std::string path = "SampleForm.png";
  std::remove(path.c_str());
  ui.SavePng("SampleForm", path);
  const std::string png = ReadFile(path);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // The image is as large as the window, frame and menu bar included.
  RECT window{};
  GetWindowRect(form.Get().Window(), &window);
  auto big_endian = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(big_endian(16), static_cast<unsigned>(window.right - window.left));
  EXPECT_EQ(big_endian(20), static_cast<unsigned>(window.bottom - window.top));

  form.Click("ExitButton");
  EXPECT_FALSE(ui.IsLoaded("SampleForm"));
}

}  // namespace
