#include "printer/testing/FilePrinter.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "printer/Printer.h"

namespace korvane::printer::testing {

namespace {

constexpr const char* kPrinterName = "Korvane Test File Printer";
constexpr const char* kDriverName = "Wine PostScript Driver";
constexpr const char* kDriverFile = "wineps.drv";
constexpr const char* kDescriptionFile = "KORVTEST.PPD";

// A monochrome PostScript printer with one paper size, US Letter with a quarter inch margin, at 300 dots
// per inch; it has no fonts of its own, so every font is downloaded with the job.
constexpr const char* kPrinterDescription =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"KORVTEST.PPD\"\n"
    "*Manufacturer: \"Korvane\"\n"
    "*Product: \"(Korvane test file printer)\"\n"
    "*ModelName: \"Korvane test file printer\"\n"
    "*ShortNickName: \"Korvane test file printer\"\n"
    "*NickName: \"Korvane test file printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n"
    "*DefaultColorSpace: Gray\n"
    "*FileSystem: False\n"
    "*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize: PickOne\n"
    "*DefaultPageSize: Letter\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*DefaultPageRegion: Letter\n"
    "*PageRegion Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: Letter\n"
    "*ImageableArea Letter/Letter: \"18 18 594 774\"\n"
    "*DefaultPaperDimension: Letter\n"
    "*PaperDimension Letter/Letter: \"612 792\"\n";

std::string ErrorText(const char* what) {
  std::ostringstream text;
  text << what << " (error " << GetLastError() << ")";
  return text.str();
}

// Owns a printer handle from OpenPrinter or AddPrinter.
class PrinterHandle {
 public:
  explicit PrinterHandle(HANDLE handle) : handle_(handle) {}
  ~PrinterHandle() {
    if (handle_) ClosePrinter(handle_);
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Removes the printer of that name, if there is one. True when none is left.
bool DeletePrinterNamed(const char* name) {
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE opened = nullptr;
  if (!OpenPrinterA(const_cast<char*>(name), &opened, &access)) return true;
  PrinterHandle printer(opened);
  return DeletePrinter(printer.Get()) != FALSE;
}

std::string DriverDirectory() {
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::string directory(needed, '\0');
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory.data()), needed, &needed))
    return {};
  directory.resize(directory.find('\0') == std::string::npos ? directory.size() : directory.find('\0'));
  return directory;
}

}  // namespace

FilePrinter::FilePrinter() {
  char directory[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof directory, directory);
  std::ostringstream path;
  path << (length > 0 && length < sizeof directory ? directory : ".\\") << "korvane-printed-" << GetCurrentProcessId()
       << ".ps";
  output_path_ = path.str();
  previous_default_ = DefaultPrinterName();
  installed_ = Install();
  if (!installed_) Remove();
}

FilePrinter::~FilePrinter() {
  Remove();
  DeleteFileA(output_path_.c_str());
}

bool FilePrinter::ExpectedOnThisSystem() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

const std::string& FilePrinter::Name() const {
  static const std::string name = kPrinterName;
  return name;
}

bool FilePrinter::Install() {
  // The driver's files live in the printer driver directory, where the driver looks for its description.
  const std::string directory = DriverDirectory();
  if (directory.empty()) {
    failure_ = ErrorText("the system has no printer driver directory");
    return false;
  }
  const std::string description = directory + "\\" + kDescriptionFile;
  {
    std::ofstream file(description, std::ios::binary | std::ios::trunc);
    file << kPrinterDescription;
    if (!file.flush()) {
      failure_ = "the printer description " + description + " could not be written";
      return false;
    }
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>(kDriverFile);
  driver.pConfigFile = const_cast<char*>(kDriverFile);
  driver.pDataFile = const_cast<char*>(description.c_str());
  driver.pDefaultDataType = const_cast<char*>("RAW");
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
    failure_ = ErrorText("the PostScript printer driver could not be installed");
    return false;
  }
  if (!DeletePrinterNamed(kPrinterName)) {
    failure_ = ErrorText("a printer left by an earlier run could not be removed");
    return false;
  }
  DeleteFileA(output_path_.c_str());
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = const_cast<char*>(kPrinterName);
  printer.pPortName = output_path_.data();
  printer.pDriverName = const_cast<char*>(kDriverName);
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  printer.pDatatype = const_cast<char*>("RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  PrinterHandle added(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
  if (!added.Get()) {
    failure_ = ErrorText("the printer could not be added");
    return false;
  }
  if (!SetDefaultPrinterA(kPrinterName)) {
    failure_ = ErrorText("the printer could not be made the default");
    return false;
  }
  return true;
}

void FilePrinter::Remove() {
  DeletePrinterNamed(kPrinterName);
  if (!previous_default_.empty()) SetDefaultPrinterA(previous_default_.c_str());
}

DeviceCell FilePrinter::CellOf(const std::string& font_name, double points) const {
  DeviceCell cell;
  const HDC dc = CreateDCA(nullptr, kPrinterName, nullptr, nullptr);
  if (!dc) return cell;
  const int height = -static_cast<int>(points * GetDeviceCaps(dc, LOGPIXELSY) / 72 + 0.5);
  const HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, font_name.c_str());
  if (font) {
    const HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    if (before && GetTextMetricsA(dc, &metrics)) {
      cell.width = metrics.tmAveCharWidth;
      cell.height = metrics.tmHeight + metrics.tmExternalLeading;
      cell.page_height = GetDeviceCaps(dc, VERTRES);
    }
    if (before) SelectObject(dc, before);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return cell;
}

std::string FilePrinter::Output() const {
  std::ifstream file(output_path_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace korvane::printer::testing
