// Item files for the tests and the benchmark, written the way the program writes them.
#pragma once

#include <string>

#include "items/ItemRecord.h"
#include "items/NumberText.h"

namespace korvane::testing {

// The 16 lines of a well-formed item for slot `slot`: fixed fields at full width, variable fields
// without blanks at their ends, some counters reset (empty lines), every eleventh slot a free "OPEN"
// slot as a delete leaves it.
inline std::string WellFormedItem(int slot, const char* lineEnd = "\r\n") {
  const auto line = [lineEnd](const std::string& text) { return text + lineEnd; };
  std::string item = line(std::to_string(slot));
  if (slot % 11 == 0) {
    item += line(FitToWidth("OPEN", 15));
    item += line(std::string(30, ' '));
    item += line(FitToWidth(std::to_string(slot % 7), 2));
    item += line(std::string(8, ' '));
    item += line(std::string(6, ' '));
    item += line(std::string(6, ' '));
    for (int i = 0; i < 9; ++i) item += line("");
    return item;
  }
  item += line(FitToWidth("AB-" + std::to_string(1000 + slot), 15));
  item += line(FitToWidth("Hex bolt M" + std::to_string(slot % 24 + 3) + " x " + std::to_string(slot % 90 + 10), 30));
  item += line(FitToWidth(std::to_string(slot % 7), 2));
  item += line(FitToWidth(NumberText(slot * 0.25 + 0.05), 8));
  item += line(FitToWidth(NumberText(slot % 500), 6));
  item += line(FitToWidth(NumberText(slot % 40), 6));
  item += line(NumberText(slot * 0.5 + 0.99));
  for (int counter = 0; counter < 8; ++counter) {
    item += line((slot + counter) % 3 == 0 ? std::string() : NumberText((slot * (counter + 1)) % 997));
  }
  return item;
}

inline std::string WellFormedItemFile(int items, const char* lineEnd = "\r\n") {
  std::string file;
  for (int slot = 1; slot <= items; ++slot) file += WellFormedItem(slot, lineEnd);
  return file;
}

}  // namespace korvane::testing
