// Numbers in the item file are text. These are the three rules by which the program turns text into a
// number, a number into text, and a number into the text that windows and print-outs show.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The numeric value of a text. Blanks and tabs are ignored wherever they stand; then an optional sign,
// digits with at most one decimal point, and an optional exponent (E or D in either case, an optional
// sign and digits) are taken; "." is the decimal point whatever the system's settings, and there are no
// thousands separators. Reading stops at the first other character; a text without digits before that
// has the value 0 (so "", "OPEN" and "A1" are 0, "12abc" is 12, " 1 2" is 12). An exponent letter
// without digits after it is not part of the number ("5E" is 5). A value beyond the range of a double
// reads as the largest double of its sign; one too small to hold reads as 0.
double NumberFromText(std::string_view text);

// Number text: the shortest decimal form of the value rounded to 15 significant digits, with no leading
// blank, no plus sign and no thousands separators, a minus sign for negative values, "." as the decimal
// point and no point for whole values ("0", "12", "12.5", "-3").
// Every value from 1E-15 up to below 1E+15 in size is written in this plain form. Values outside that
// range are written in exponent form: the significant digits with a point after the first one when
// there are more, "E", the exponent's sign and at least two exponent digits ("1E+15", "-2.5E+20",
// "1.5E-16"); NumberFromText reads both forms back. -0 is written "0"; an infinite value is written as
// the largest double of its sign, and a value that is not a number as "0".
std::string NumberText(double value);

// Shows a field's number text under a number pattern: "0" characters with at most one "." ("0000",
// "0.00", "0000.00"). The result has at least as many digits before the point as the pattern has "0"s
// there (leading zeros added, never cut) and exactly as many after it, rounded half away from zero on
// the value's 15 significant digits (0.125 under "0.00" is "0.13"; 1.005 is "1.01"); a negative value
// gets a leading minus sign (-5 under "0000" is "-0005"), unless it rounds to zero.
// An empty text gives empty text. A text that is not a number as a whole (blanks and tabs aside) is
// shown unchanged: blanks only, "OPEN", and also "12abc" and "1E", whose trailing characters belong to
// no number.
std::string ApplyNumberPattern(std::string_view fieldText, std::string_view pattern);

}  // namespace korvane
