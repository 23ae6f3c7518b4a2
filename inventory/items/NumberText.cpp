#include "items/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace korvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What NumberFromText takes from a text.
struct ScannedNumber {
  bool negative = false;
  bool hasDigits = false;
  std::string mantissa;  // the digits and the decimal point as they stand, blanks left out
  long exponent = 0;
  bool isWholeText = false;  // nothing but blanks and tabs follows the number
};

ScannedNumber ScanNumber(std::string_view text) {
  ScannedNumber number;
  std::size_t p = 0;
  const auto skipBlanks = [&text](std::size_t& at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
  };

  skipBlanks(p);
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    number.negative = text[p] == '-';
    ++p;
  }
  bool seenPoint = false;
  for (;;) {
    skipBlanks(p);
    if (p >= text.size()) break;
    const char c = text[p];
    if (IsDigit(c)) {
      number.mantissa += c;
      number.hasDigits = true;
    } else if (c == '.' && !seenPoint) {
      number.mantissa += c;
      seenPoint = true;
    } else {
      break;
    }
    ++p;
  }

  if (number.hasDigits && p < text.size() &&
      (text[p] == 'E' || text[p] == 'e' || text[p] == 'D' || text[p] == 'd')) {
    std::size_t q = p + 1;
    skipBlanks(q);
    bool negativeExponent = false;
    if (q < text.size() && (text[q] == '+' || text[q] == '-')) {
      negativeExponent = text[q] == '-';
      ++q;
    }
    bool hasExponentDigits = false;
    long exponent = 0;
    for (;;) {
      skipBlanks(q);
      if (q >= text.size() || !IsDigit(text[q])) break;
      // Far beyond any double's range already; more digits change nothing.
      if (exponent < 1000000) exponent = exponent * 10 + (text[q] - '0');
      hasExponentDigits = true;
      ++q;
    }
    if (hasExponentDigits) {
      number.exponent = negativeExponent ? -exponent : exponent;
      p = q;
    }
  }

  skipBlanks(p);
  number.isWholeText = number.hasDigits && p == text.size();
  return number;
}

// The decimal exponent of the first non-zero digit of a mantissa and exponent, roughly: enough to tell
// a value too large for a double from one too small.
long RoughDecimalExponent(const ScannedNumber& number) {
  long digitsBeforePoint = 0;
  long position = 0;  // counted over the digits, the point left out
  long firstNonZero = -1;
  bool beforePoint = true;
  for (char c : number.mantissa) {
    if (c == '.') {
      beforePoint = false;
      continue;
    }
    if (beforePoint) ++digitsBeforePoint;
    if (c != '0' && firstNonZero < 0) firstNonZero = position;
    ++position;
  }
  if (firstNonZero < 0) return 0;
  return digitsBeforePoint - firstNonZero - 1 + number.exponent;
}

double ValueOf(const ScannedNumber& number) {
  if (!number.hasDigits) return 0.0;
  const std::string text = number.mantissa + "e" + std::to_string(number.exponent);
  double magnitude = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    magnitude = RoughDecimalExponent(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
  } else if (error != std::errc()) {
    magnitude = 0.0;
  }
  if (magnitude == 0.0) return 0.0;
  return number.negative ? -magnitude : magnitude;
}

// The 15 significant digits of a positive finite value and the decimal exponent of the first one:
// value = d.dddddddddddddd x 10^exponent.
void SignificantDigits(double magnitude, std::string& digits, int& exponent) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  digits.assign(1, text[0]);
  digits.append(text.substr(2, e - 2));
  exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

double NumberFromText(std::string_view text) { return ValueOf(ScanNumber(text)); }

std::string NumberText(double value) {
  if (std::isnan(value)) return "0";
  if (std::isinf(value)) value = value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  if (value == 0.0) return "0";

  std::string digits;
  int exponent = 0;
  SignificantDigits(std::fabs(value), digits, exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent >= -15 && exponent <= 14) {
    if (exponent >= 0) {
      const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        text += digits;
        text.append(integerDigits - digits.size(), '0');
      } else {
        text += digits.substr(0, integerDigits);
        text += '.';
        text += digits.substr(integerDigits);
      }
    } else {
      text += "0.";
      text.append(static_cast<std::size_t>(-exponent - 1), '0');
      text += digits;
    }
    return text;
  }

  text += digits[0];
  if (digits.size() > 1) {
    text += '.';
    text += digits.substr(1);
  }
  text += exponent < 0 ? "E-" : "E+";
  const std::string exponentDigits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (exponentDigits.size() < 2) text += '0';
  text += exponentDigits;
  return text;
}

std::string ApplyNumberPattern(std::string_view fieldText, std::string_view pattern) {
  if (fieldText.empty()) return std::string();
  const ScannedNumber number = ScanNumber(fieldText);
  if (!number.isWholeText) return std::string(fieldText);
  const double value = ValueOf(number);

  const std::size_t point = pattern.find('.');
  const bool hasPoint = point != std::string_view::npos;
  std::size_t integerZeros = 0;
  std::size_t fractionZeros = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '0') continue;
    if (hasPoint && i > point) {
      ++fractionZeros;
    } else {
      ++integerZeros;
    }
  }

  // scaled: the value times 10^fractionZeros, rounded half away from zero, as decimal digits.
  std::string scaled = "0";
  if (value != 0.0) {
    std::string digits;
    int exponent = 0;
    SignificantDigits(std::fabs(value), digits, exponent);
    const long shift = static_cast<long>(exponent) - 14 + static_cast<long>(fractionZeros);
    if (shift >= 0) {
      scaled = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
      const std::size_t dropped = static_cast<std::size_t>(-shift);
      if (dropped > digits.size()) {
        scaled = "0";
      } else {
        scaled = digits.substr(0, digits.size() - dropped);
        if (digits[digits.size() - dropped] >= '5') {
          Increment(scaled);
        } else if (scaled.empty()) {
          scaled = "0";
        }
      }
    }
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    scaled = firstNonZero == std::string::npos ? "0" : scaled.substr(firstNonZero);
  }
  const bool isZero = scaled == "0";

  if (scaled.size() < fractionZeros) scaled.insert(0, fractionZeros - scaled.size(), '0');
  std::string integerPart = scaled.substr(0, scaled.size() - fractionZeros);
  const std::string fractionPart = scaled.substr(scaled.size() - fractionZeros);
  if (integerPart == "0" && integerZeros == 0) integerPart.clear();
  if (integerPart.size() < integerZeros) integerPart.insert(0, integerZeros - integerPart.size(), '0');

  std::string text = value < 0 && !isZero ? "-" : "";
  text += integerPart;
  if (hasPoint) {
    text += '.';
    text += fractionPart;
  }
  return text;
}

}  // namespace korvane
