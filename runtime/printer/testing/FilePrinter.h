// A real printer for tests: the system's PostScript printer driver with a port that is a file, made the
// default printer while the object lives. Whatever the program prints on the default printer then lands
// in that file as PostScript, to be read back with PostScriptPages.h. The previous default printer comes
// back, and the printer is removed, when the object goes.
#pragma once

#include <string>

namespace korvane::printer::testing {

// The character cell of a font on a printer and the printable height of its page, in device units.
struct DeviceCell {
  int width = 0;
  int height = 0;
  int page_height = 0;
};

class FilePrinter {
 public:
  // Installs the printer, writing to a file of this process in the temporary directory.
  FilePrinter();
  ~FilePrinter();
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;

  // False when this system cannot offer such a printer; Failure() then says what refused.
  bool Installed() const { return installed_; }
  const std::string& Failure() const { return failure_; }

  // True where such a printer must be available: under Wine, whose PostScript driver it is.
  static bool ExpectedOnThisSystem();

  const std::string& Name() const;
  const std::string& OutputPath() const { return output_path_; }
  // The cell of a font of that name and size on this printer, measured on its device; zeros when it
  // cannot be.
  DeviceCell CellOf(const std::string& font_name, double points) const;

  // What has been printed so far: the bytes of the output file, empty when there is none.
  std::string Output() const;

 private:
  bool Install();
  void Remove();

  std::string output_path_;
  std::string previous_default_;
  bool installed_ = false;
  std::string failure_;
};

}  // namespace korvane::printer::testing
