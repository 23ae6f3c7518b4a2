// The field reader: how the program splits what it reads from its text files.
//
// A file is read as a stream of fields, not of lines:
//   1. Blanks and tabs before a field are skipped.
//   2. A field that then begins with a double quote is everything up to the next double quote (commas
//      and blanks included, the quotes left out); whatever follows it up to the next comma or line end
//      is discarded. A field whose opening quote has no closing quote on its line ends at the line end:
//      it never runs on into the next line, so one stray quote cannot swallow the fields after it.
//      A double quote anywhere else in a field is an ordinary character.
//   3. Otherwise the field runs up to the next comma or line end, and blanks at its end are dropped.
//      A comma ends the field and the next field begins right after it, on the same line.
//   4. An empty line, or an empty stretch between two commas, is one field with empty text.
//   5. Asking for a field at the end of the file is a past-the-end error.
// A line ends with CR LF, with LF alone or with CR alone; the line end itself is never part of a field.
//
// The whole-line read takes the complete line, commas and double quotes included, without its line end.
#pragma once

#include <string>

#include "files/SequentialFiles.h"

namespace korvane {

enum class [[nodiscard]] ReadStatus {
  Ok,
  PastEnd,  // the file was already at its end
  NotOpen,  // the handle is not open for input
};

ReadStatus ReadField(files::InputText& input, std::string& field);
ReadStatus ReadWholeLine(files::InputText& input, std::string& line);

// The same reads from a handle open for input.
ReadStatus ReadField(int handle, std::string& field);
ReadStatus ReadWholeLine(int handle, std::string& line);

}  // namespace korvane
