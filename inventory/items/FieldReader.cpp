#include "items/FieldReader.h"

namespace korvane {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Steps over one line end (CR LF, LF or CR) at `position`, if one stands there.
void SkipLineEnd(const std::string& bytes, std::size_t& position) {
  if (position >= bytes.size()) return;
  if (bytes[position] == '\r') {
    ++position;
    if (position < bytes.size() && bytes[position] == '\n') ++position;
  } else if (bytes[position] == '\n') {
    ++position;
  }
}

// Steps over what ends a field: a comma or a line end.
void SkipFieldEnd(const std::string& bytes, std::size_t& position) {
  if (position < bytes.size() && bytes[position] == ',') {
    ++position;
  } else {
    SkipLineEnd(bytes, position);
  }
}

std::size_t FindFieldEnd(const std::string& bytes, std::size_t position) {
  while (position < bytes.size() && bytes[position] != ',' && !IsLineEnd(bytes[position])) ++position;
  return position;
}

}  // namespace

ReadStatus ReadField(files::InputText& input, std::string& field) {
  if (input.AtEnd()) return ReadStatus::PastEnd;
  const std::string& bytes = input.bytes;
  std::size_t p = input.position;

  while (p < bytes.size() && (bytes[p] == ' ' || bytes[p] == '\t')) ++p;

  if (p < bytes.size() && bytes[p] == '"') {
    const std::size_t start = ++p;
    while (p < bytes.size() && bytes[p] != '"' && !IsLineEnd(bytes[p])) ++p;
    field.assign(bytes, start, p - start);
    if (p < bytes.size() && bytes[p] == '"') p = FindFieldEnd(bytes, p + 1);
  } else {
    const std::size_t start = p;
    p = FindFieldEnd(bytes, p);
    std::size_t end = p;
    while (end > start && bytes[end - 1] == ' ') --end;
    field.assign(bytes, start, end - start);
  }

  SkipFieldEnd(bytes, p);
  input.position = p;
  return ReadStatus::Ok;
}

ReadStatus ReadWholeLine(files::InputText& input, std::string& line) {
  if (input.AtEnd()) return ReadStatus::PastEnd;
  const std::string& bytes = input.bytes;
  std::size_t p = input.position;
  while (p < bytes.size() && !IsLineEnd(bytes[p])) ++p;
  line.assign(bytes, input.position, p - input.position);
  SkipLineEnd(bytes, p);
  input.position = p;
  return ReadStatus::Ok;
}

ReadStatus ReadField(int handle, std::string& field) {
  files::InputText* input = files::InputOf(handle);
  if (input == nullptr) return ReadStatus::NotOpen;
  return ReadField(*input, field);
}

ReadStatus ReadWholeLine(int handle, std::string& line) {
  files::InputText* input = files::InputOf(handle);
  if (input == nullptr) return ReadStatus::NotOpen;
  return ReadWholeLine(*input, line);
}

}  // namespace korvane
