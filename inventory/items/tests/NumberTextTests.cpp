#include "items/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvane {
namespace {

TEST(NumberFromTextTest, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},
      {"OPEN", 0},
      {"A1", 0},
      {"0", 0},
      {"12", 12},
      {"12.5", 12.5},
      {"-3", -3},
      {"+7", 7},
      {"12abc", 12},
      {" 1 2", 12},             // blanks are ignored wherever they stand
      {"\t- 4 . 5\t", -4.5},    // tabs too
      {"12.5    ", 12.5},       // a fixed field's padding
      {"03", 3},
      {"1.2.3", 1.2},           // at most one decimal point
      {".5", 0.5},
      {"-.25", -0.25},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"--5", 0},
      {"1,234", 1},             // no thousands separators
      {"1E3", 1000},
      {"1e3", 1000},
      {"2.5D2", 250},
      {"1E-3", 0.001},
      {"1.5E+2", 150},
      {"1 E 2", 100},
      {"5E", 5},                // an exponent letter without digits is not part of the number
      {"5E+", 5},
      {"5Ex", 5},
      {"E5", 0},
      {"0012", 12},
      {"1234.567", 1234.567},
      {"0.1", 0.1},
      {"123456789012345", 123456789012345.0},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberFromText(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberFromTextTest, ValuesBeyondADoubleSaturateOrVanish) {
  EXPECT_EQ(NumberFromText("1E400"), std::numeric_limits<double>::max());
  EXPECT_EQ(NumberFromText("-1E99999999999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(NumberFromText("1E-400"), 0.0);
  EXPECT_EQ(NumberFromText("0.0001E-400"), 0.0);
  EXPECT_EQ(NumberFromText("1000E-310"), 1e-307);
}

TEST(NumberTextTest, WritesTheShortestFormOf15SignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {12, "12"},
      {12.5, "12.5"},
      {-3, "-3"},
      {0.1 + 0.2, "0.3"},                     // binary noise beyond 15 digits is rounded away
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1234.5678, "1234.5678"},
      {12.3333, "12.3333"},
      {100, "100"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {0.001, "0.001"},
      {0.000015, "0.000015"},
      {1e-15, "0.000000000000001"},
      {-2.5e-15, "-0.0000000000000025"},
      // Exponent form outside 1E-15 .. 1E+15.
      {1e15, "1E+15"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {999999999999999.9, "1E+15"},           // rounds up to 16 digits
      {-2.5e20, "-2.5E+20"},
      {1.5e-16, "1.5E-16"},
      {1e100, "1E+100"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::infinity(), "1.79769313486232E+308"},
      {-std::numeric_limits<double>::infinity(), "-1.79769313486232E+308"},
      {std::nan(""), "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

TEST(NumberTextTest, NumberFromTextReadsEveryFormBack) {
  const double values[] = {0, 12.5, -3, 0.3, 1.0 / 3.0, 123456789012345.0, 1e15, 1.5e-16, -2.5e20,
                           1e-15, 4.9e-324, 1.7976931348623157e308, 0.1 + 0.2};
  for (double value : values) {
    const std::string text = NumberText(value);
    // The text is the value at 15 significant digits, and writing it again gives the same text.
    EXPECT_EQ(NumberText(NumberFromText(text)), text) << text;
    if (value != 0) {
      EXPECT_NEAR(NumberFromText(text) / value, 1.0, 1e-14) << text;
    }
  }
}

TEST(NumberPatternTest, ShowsNumbersUnderPatterns) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* shown;
  };
  const Case cases[] = {
      {"0.125", "0.00", "0.13"},       // half away from zero
      {"-0.125", "0.00", "-0.13"},
      {"-5", "0000", "-0005"},
      {"12345", "0000", "12345"},      // never cut
      {"12.5", "0.00", "12.50"},
      {"12.5", "0000.00", "0012.50"},
      {"12.5", "0000", "0013"},
      {"12.4999", "0000", "0012"},
      {"1.005", "0.00", "1.01"},       // rounded on the decimal value, not its binary neighbour
      {"2.675", "0.00", "2.68"},
      {"0.5", "000", "001"},
      {"0.49", "000", "000"},
      {"-0.001", "0.00", "0.00"},      // a value that rounds to zero has no sign
      {"7", "00000", "00007"},
      {"0", "0.00", "0.00"},
      {".5", "0.00", "0.50"},
      {"0.5", ".00", ".50"},
      {"3", ".00", "3.00"},
      {"999.995", "0.00", "1000.00"},  // carry into a new digit
      {"12  ", "00000", "00012"},      // a counter fitted with blanks
      {" 1 2", "0000", "0012"},
      {"1E3", "0000", "1000"},
      {"1.5E-16", "0.00", "0.00"},
      {"1E+20", "0", "100000000000000000000"},
      {"", "0000", ""},                // empty text stays empty
      {"    ", "0000", "    "},        // blanks are not a number
      {"OPEN", "0.00", "OPEN"},
      {"12abc", "0000", "12abc"},      // not a number as a whole
      {"1E", "0000", "1E"},
      {"-", "0000", "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyNumberPattern(c.text, c.pattern), c.shown) << '"' << c.text << "\" under " << c.pattern;
  }
}

}  // namespace
}  // namespace korvane
