#include "files/SequentialFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/tests/TempFolder.h"

namespace korvane::files {
namespace {

using korvane::testing::ReadBytes;
using korvane::testing::TempFolder;
using korvane::testing::WriteBytes;

class SequentialFilesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    FailWritesAfterLinesForTesting(-1);
    CloseAllFiles();
  }
  TempFolder folder_;
};

TEST_F(SequentialFilesTest, ClosingAClosedHandleDoesNothing) {
  EXPECT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_FALSE(IsFileOpen(1));
}

TEST_F(SequentialFilesTest, HandleNumbersOutsideTheTableAreRefused) {
  const std::string path = folder_.File("a.txt");
  WriteBytes(path, "x\r\n");
  for (int handle : {0, -1, kMaxFileHandle + 1}) {
    EXPECT_EQ(OpenFile(handle, path, FileMode::Input), FileStatus::BadHandle) << handle;
    EXPECT_EQ(CloseFile(handle), FileStatus::BadHandle) << handle;
    EXPECT_EQ(WriteLine(handle, "x"), FileStatus::BadHandle) << handle;
    EXPECT_EQ(InputOf(handle), nullptr) << handle;
  }
  EXPECT_EQ(OpenFile(kMaxFileHandle, path, FileMode::Input), FileStatus::Ok);
}

TEST_F(SequentialFilesTest, InputHoldsTheWholeFileAndReachesItsEnd) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, std::string("ab\r\n\0\xE9\n", 7));
  ASSERT_EQ(OpenFile(1, path, FileMode::Input), FileStatus::Ok);
  InputText* input = InputOf(1);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->bytes, std::string("ab\r\n\0\xE9\n", 7));  // bytes pass unchanged, NUL and high bytes too
  EXPECT_FALSE(AtEndOfFile(1));
  input->position = input->bytes.size();
  EXPECT_TRUE(AtEndOfFile(1));
}

TEST_F(SequentialFilesTest, AnEmptyFileIsAtItsEndAtOnce) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, "");
  ASSERT_EQ(OpenFile(1, path, FileMode::Input), FileStatus::Ok);
  EXPECT_TRUE(AtEndOfFile(1));
}

TEST_F(SequentialFilesTest, InputDoesNotKeepTheFileOpenOnDisk) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, "old\r\n");
  ASSERT_EQ(OpenFile(1, path, FileMode::Input), FileStatus::Ok);
  std::filesystem::remove(path);  // would fail on Windows while a handle held the file
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(InputOf(1)->bytes, "old\r\n");
}

TEST_F(SequentialFilesTest, OpeningFailuresAreReported) {
  EXPECT_EQ(OpenFile(1, folder_.File("missing.dat"), FileMode::Input), FileStatus::CannotOpen);
  EXPECT_FALSE(IsFileOpen(1));
  EXPECT_EQ(OpenFile(1, folder_.Path().string(), FileMode::Input), FileStatus::CannotOpen);  // a folder
  EXPECT_EQ(OpenFile(1, folder_.File("no/such/folder/x.dat"), FileMode::Output), FileStatus::CannotOpen);
  EXPECT_FALSE(IsFileOpen(1));
}

TEST_F(SequentialFilesTest, AnOpenHandleCannotBeOpenedAgain) {
  const std::string path = folder_.File("a.txt");
  WriteBytes(path, "x\r\n");
  ASSERT_EQ(OpenFile(5, path, FileMode::Input), FileStatus::Ok);
  EXPECT_EQ(OpenFile(5, path, FileMode::Input), FileStatus::AlreadyOpen);
  EXPECT_EQ(CloseFile(5), FileStatus::Ok);
  EXPECT_EQ(OpenFile(5, path, FileMode::Input), FileStatus::Ok);
}

TEST_F(SequentialFilesTest, OutputEmptiesTheFileAndEndsLinesWithCrLf) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, "old contents\r\n");
  ASSERT_EQ(OpenFile(1, path, FileMode::Output), FileStatus::Ok);
  ASSERT_EQ(WriteLine(1, "12"), FileStatus::Ok);
  ASSERT_EQ(WriteLine(1, ""), FileStatus::Ok);
  ASSERT_EQ(WriteLine(1, "OPEN           "), FileStatus::Ok);
  ASSERT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "12\r\n\r\nOPEN           \r\n");
}

TEST_F(SequentialFilesTest, AppendKeepsWhatIsThere) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, "1\r\n");
  ASSERT_EQ(OpenFile(1, path, FileMode::Append), FileStatus::Ok);
  ASSERT_EQ(WriteLine(1, "2"), FileStatus::Ok);
  ASSERT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "1\r\n2\r\n");

  const std::string fresh = folder_.File("new.dat");  // append creates a missing file
  ASSERT_EQ(OpenFile(1, fresh, FileMode::Append), FileStatus::Ok);
  ASSERT_EQ(WriteLine(1, "a"), FileStatus::Ok);
  ASSERT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(fresh), "a\r\n");
}

TEST_F(SequentialFilesTest, DirectionsAreChecked) {
  const std::string path = folder_.File("Item.dat");
  WriteBytes(path, "x\r\n");
  EXPECT_EQ(WriteLine(1, "x"), FileStatus::NotOpen);
  ASSERT_EQ(OpenFile(1, path, FileMode::Input), FileStatus::Ok);
  EXPECT_EQ(WriteLine(1, "x"), FileStatus::WrongMode);
  ASSERT_EQ(OpenFile(2, folder_.File("out.dat"), FileMode::Output), FileStatus::Ok);
  EXPECT_EQ(InputOf(2), nullptr);
  EXPECT_TRUE(AtEndOfFile(2));  // not an input: a read loop over it ends at once
  EXPECT_TRUE(AtEndOfFile(3));  // closed
}

TEST_F(SequentialFilesTest, InjectedWriteFailureStopsTheWriterAtTheGivenLine) {
  const std::string path = folder_.File("out.dat");
  ASSERT_EQ(OpenFile(1, path, FileMode::Output), FileStatus::Ok);
  FailWritesAfterLinesForTesting(2);
  EXPECT_EQ(WriteLine(1, "a"), FileStatus::Ok);
  EXPECT_EQ(WriteLine(1, "b"), FileStatus::Ok);
  EXPECT_EQ(WriteLine(1, "c"), FileStatus::WriteFailed);
  EXPECT_EQ(WriteLine(1, "d"), FileStatus::WriteFailed);
  FailWritesAfterLinesForTesting(-1);
  EXPECT_EQ(WriteLine(1, "e"), FileStatus::Ok);
  ASSERT_EQ(CloseFile(1), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(path), "a\r\nb\r\ne\r\n");
}

TEST_F(SequentialFilesTest, CloseAllClosesEveryHandle) {
  const std::string path = folder_.File("a.txt");
  WriteBytes(path, "x\r\n");
  ASSERT_EQ(OpenFile(1, path, FileMode::Input), FileStatus::Ok);
  ASSERT_EQ(OpenFile(5, path, FileMode::Input), FileStatus::Ok);
  ASSERT_EQ(OpenFile(7, folder_.File("b.txt"), FileMode::Output), FileStatus::Ok);
  CloseAllFiles();
  EXPECT_FALSE(IsFileOpen(1));
  EXPECT_FALSE(IsFileOpen(5));
  EXPECT_FALSE(IsFileOpen(7));
}

}  // namespace
}  // namespace korvane::files
