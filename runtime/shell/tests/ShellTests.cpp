// Starting programs without waiting, and changing the current drive and folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "shell/Shell.h"

using namespace korvane::shell;

namespace {

std::string TempFolder(const std::string& leaf) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + leaf;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}

class Folders : public ::testing::Test {
 protected:
  void TearDown() override { ChangeFolder(before_); }
  std::string before_ = CurrentFolder();
};

TEST_F(Folders, ChangeFolderMakesItCurrentAndRefusesAMissingOne) {
  const std::string folder = TempFolder("korvane-shell-a");
  ASSERT_TRUE(ChangeFolder(folder));
  EXPECT_EQ(lstrcmpiA(CurrentFolder().c_str(), folder.c_str()), 0);
  EXPECT_FALSE(ChangeFolder(folder + "\\no-such-folder"));
  EXPECT_EQ(lstrcmpiA(CurrentFolder().c_str(), folder.c_str()), 0);
}

TEST_F(Folders, ChangeDriveReturnsToThatDrivesFolder) {
  ASSERT_TRUE(ChangeFolder("C:\\windows"));
  char other = 0;
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'D'; letter <= 'Z' && !other; ++letter)
    if (drives & (1u << (letter - 'A'))) other = letter;
  if (!other) GTEST_SKIP() << "this system has only one drive";
  ASSERT_TRUE(ChangeDrive(other));
  EXPECT_EQ(CurrentFolder()[0], other);
  ASSERT_TRUE(ChangeDrive('c'));
  EXPECT_EQ(lstrcmpiA(CurrentFolder().c_str(), "C:\\windows"), 0);
  char missing = 0;
  for (char letter = 'Y'; letter > 'C' && !missing; --letter)
    if (!(drives & (1u << (letter - 'A')))) missing = letter;
  EXPECT_FALSE(ChangeDrive(missing));
  EXPECT_FALSE(ChangeDrive('1'));
}

TEST(StartProgram, StartsABatchFileWithoutWaitingForIt) {
  const std::string folder = TempFolder("korvane-shell-b");
  const std::string marker = folder + "\\started.txt";
  DeleteFileA(marker.c_str());
  const std::string batch = folder + "\\BAKITEMD.BAT";
  {
    std::ofstream out(batch);
    out << "@echo off\r\necho started> \"" << marker << "\"\r\n";
  }
  const StartResult started = StartProgram(batch, WindowStyle::MinimizedFocus);
  ASSERT_TRUE(started) << "error " << started.error;
  EXPECT_NE(started.process_id, 0u);
  EXPECT_TRUE(WaitForFile(marker)) << "the batch file did not run";
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The probe beside this test writes the show command it was started with.
TEST(StartProgram, TheWindowStyleReachesTheStartedProgram) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string probe(self);
  probe = probe.substr(0, probe.find_last_of('\\') + 1) + "shell_startup_probe.exe";
  const std::string folder = TempFolder("korvane-shell-c");
  struct Case {
    WindowStyle style;
    int show;
  };
  const Case cases[] = {
      {WindowStyle::Hidden, SW_HIDE},
      {WindowStyle::NormalFocus, SW_SHOWNORMAL},
      {WindowStyle::MinimizedFocus, SW_SHOWMINIMIZED},
      {WindowStyle::MaximizedFocus, SW_SHOWMAXIMIZED},
      {WindowStyle::NormalNoFocus, SW_SHOWNOACTIVATE},
      {WindowStyle::MinimizedNoFocus, SW_SHOWMINNOACTIVE},
  };
  for (const Case& c : cases) {
    const std::string report = folder + "\\show-" + std::to_string(c.show) + ".txt";
    DeleteFileA(report.c_str());
    const StartResult started = StartProgram("\"" + probe + "\" \"" + report + "\"", c.style);
    ASSERT_TRUE(started) << "error " << started.error;
    ASSERT_TRUE(WaitForFile(report));
    std::string shown;
    for (int i = 0; i < 100 && shown.size() < 3; ++i, Sleep(20)) shown = ReadWhole(report);
    EXPECT_EQ(shown, "1 " + std::to_string(c.show));
  }
}

TEST(StartProgram, AProgramThatCannotBeFoundIsReportedNotStarted) {
  const StartResult started = StartProgram("no-such-program-korvane.exe index.htm", WindowStyle::NormalFocus);
  EXPECT_FALSE(started);
  EXPECT_EQ(started.process_id, 0u);
  EXPECT_EQ(started.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
