#include "items/FieldReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace korvane {
namespace {

using Fields = std::vector<std::string>;

// Reads fields until the past-the-end error.
Fields ReadAllFields(const std::string& bytes) {
  files::InputText input{bytes, 0};
  Fields fields;
  std::string field;
  while (ReadField(input, field) == ReadStatus::Ok) {
    fields.push_back(field);
    if (fields.size() > bytes.size() + 1) break;  // a reader that stops advancing
  }
  return fields;
}

Fields ReadAllLines(const std::string& bytes) {
  files::InputText input{bytes, 0};
  Fields lines;
  std::string line;
  while (ReadWholeLine(input, line) == ReadStatus::Ok) {
    lines.push_back(line);
    if (lines.size() > bytes.size() + 1) break;
  }
  return lines;
}

struct FieldCase {
  const char* what;
  std::string bytes;
  Fields fields;
};

void PrintTo(const FieldCase& c, std::ostream* out) { *out << c.what; }

class FieldReadingRulesTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReadingRulesTest, SplitsAsTheRulesSay) {
  EXPECT_EQ(ReadAllFields(GetParam().bytes), GetParam().fields) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldReadingRulesTest,
    ::testing::Values(
        FieldCase{"one field per line", "1\r\nAB-1001        \r\n", {"1", "AB-1001"}},
        FieldCase{"a comma splits a description into two fields",
                  "Nuts, bolts\r\n1 \r\n", {"Nuts", "bolts", "1"}},
        FieldCase{"blanks and tabs before a field are skipped", "  Washer\r\n\t 5\r\n", {"Washer", "5"}},
        FieldCase{"blanks at the end are dropped, tabs kept", "12   \r\n12\t\r\n", {"12", "12\t"}},
        FieldCase{"empty lines are empty fields, not skipped", "\r\n\r\n\r\n", {"", "", ""}},
        FieldCase{"a line of blanks is one empty field", "        \r\n", {""}},
        FieldCase{"empty stretches between commas", ",,\r\n", {"", "", ""}},
        FieldCase{"a comma at a line's end leaves an empty field", "a,\r\nb\r\n", {"a", "", "b"}},
        FieldCase{"a quoted field keeps commas and blanks", "\"Nuts, bolts \"\r\nx\r\n", {"Nuts, bolts ", "x"}},
        FieldCase{"after the closing quote, the rest up to a comma is discarded",
                  "\"ab\"cd  ,ef\r\n", {"ab", "ef"}},
        FieldCase{"after the closing quote, the rest up to the line end is discarded",
                  "\"ab\"cd\r\nef\r\n", {"ab", "ef"}},
        FieldCase{"blanks before an opening quote are skipped", "   \"ab\"\r\n", {"ab"}},
        FieldCase{"a quote inside a field is an ordinary character", "5\" bolt\r\n", {"5\" bolt"}},
        FieldCase{"an empty quoted field", "\"\"\r\nx\r\n", {"", "x"}},
        FieldCase{"an unclosed quote ends at its line's end", "\"Nuts\r\nbolts\r\n", {"Nuts", "bolts"}},
        FieldCase{"an unclosed quote ends at the file's end", "\"Nuts, bolts", {"Nuts, bolts"}},
        FieldCase{"lines ended by LF alone", "1\nOPEN\n\n2\n", {"1", "OPEN", "", "2"}},
        FieldCase{"lines ended by CR alone", "1\rOPEN\r", {"1", "OPEN"}},
        FieldCase{"mixed line ends", "1\r\n2\n3\r4", {"1", "2", "3", "4"}},
        FieldCase{"a last line without its line end", "1\r\n2", {"1", "2"}},
        FieldCase{"an empty file has no field", "", {}},
        FieldCase{"high bytes and NUL are ordinary characters",
                  std::string("Caf\xE9\0x\r\n", 7), {std::string("Caf\xE9\0x", 6)}}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return "case" + std::to_string(info.index); });

TEST(FieldReaderTest, AskingPastTheEndIsAnError) {
  files::InputText input{"5\r\n", 0};
  std::string field = "unchanged";
  ASSERT_EQ(ReadField(input, field), ReadStatus::Ok);
  EXPECT_TRUE(input.AtEnd());
  field = "unchanged";
  EXPECT_EQ(ReadField(input, field), ReadStatus::PastEnd);
  EXPECT_EQ(field, "unchanged");
}

TEST(FieldReaderTest, AHandleNotOpenForInputIsReported) {
  std::string field;
  EXPECT_EQ(ReadField(42, field), ReadStatus::NotOpen);
  EXPECT_EQ(ReadWholeLine(42, field), ReadStatus::NotOpen);
}

TEST(WholeLineReadTest, TakesCommasAndQuotesAndKeepsBlanks) {
  EXPECT_EQ(ReadAllLines("Nuts, bolts   \r\n\"x\"y\n\r\n  a\rb"),
            (Fields{"Nuts, bolts   ", "\"x\"y", "", "  a", "b"}));
  EXPECT_EQ(ReadAllLines(""), Fields{});
}

TEST(WholeLineReadTest, AndTheFieldReaderShareTheirLineEnds) {
  // A whole-line read after a field read starts at the next line, whatever the line ends are.
  for (const std::string bytes : {"1,2\r\nx,y\r\n", "1,2\nx,y\n", "1,2\rx,y\r"}) {
    files::InputText input{bytes, 0};
    std::string text;
    ASSERT_EQ(ReadField(input, text), ReadStatus::Ok);
    ASSERT_EQ(ReadField(input, text), ReadStatus::Ok);
    ASSERT_EQ(ReadWholeLine(input, text), ReadStatus::Ok);
    EXPECT_EQ(text, "x,y");
    EXPECT_TRUE(input.AtEnd());
  }
}

}  // namespace
}  // namespace korvane
