#include "files/ReplaceFileSafely.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/tests/TempFolder.h"

namespace korvane::files {
namespace {

using korvane::testing::ReadBytes;
using korvane::testing::TempFolder;
using korvane::testing::WriteBytes;

TEST(ReplaceFileSafelyTest, ReplacesAnExistingFileAndRemovesTheReplacementName) {
  TempFolder folder;
  const std::string target = folder.File("Item.dat");
  const std::string replacement = folder.File("Item.dat.tmp");
  WriteBytes(target, "old\r\n");
  WriteBytes(replacement, "new\r\n");
  ASSERT_TRUE(ReplaceFileSafely(replacement, target));
  EXPECT_EQ(ReadBytes(target), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(replacement));
}

TEST(ReplaceFileSafelyTest, CreatesAMissingTarget) {
  TempFolder folder;
  const std::string target = folder.File("Item.dat");
  const std::string replacement = folder.File("Item.dat.tmp");
  WriteBytes(replacement, "new\r\n");
  ASSERT_TRUE(ReplaceFileSafely(replacement, target));
  EXPECT_EQ(ReadBytes(target), "new\r\n");
}

TEST(ReplaceFileSafelyTest, AMissingReplacementFailsAndLeavesTheTarget) {
  TempFolder folder;
  const std::string target = folder.File("Item.dat");
  WriteBytes(target, "old\r\n");
  EXPECT_FALSE(ReplaceFileSafely(folder.File("Item.dat.tmp"), target));
  EXPECT_EQ(ReadBytes(target), "old\r\n");
}

TEST(ReplaceFileSafelyTest, ATargetThatCannotBeReplacedFailsAndKeepsTheReplacement) {
  TempFolder folder;
  const std::string target = folder.File("Item.dat");
  std::filesystem::create_directories(folder.Path() / "Item.dat" / "inside");  // a folder in the way
  const std::string replacement = folder.File("Item.dat.tmp");
  WriteBytes(replacement, "new\r\n");
  EXPECT_FALSE(ReplaceFileSafely(replacement, target));
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(ReadBytes(replacement), "new\r\n");
}

}  // namespace
}  // namespace korvane::files
