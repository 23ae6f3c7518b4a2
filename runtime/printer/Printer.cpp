#include "printer/Printer.h"

#include <vector>

#include "forms/GdiObjects.h"
#include "forms/MessageBox.h"

namespace korvane::printer {

namespace {

std::vector<PrintedDocument>* g_recorded = nullptr;

constexpr const char* kJobName = "Korvane";
constexpr const char* kPrinterTitle = "Printer";

// Owns a device context made by CreateDC.
class DeviceContext {
 public:
  explicit DeviceContext(HDC dc) : dc_(dc) {}
  ~DeviceContext() {
    if (dc_) DeleteDC(dc_);
  }
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

HRESULT LastError() {
  const DWORD error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// The character cell of a font on the printer.
struct Cell {
  int width = 0;
  int height = 0;
};

Cell CellOf(HDC dc) {
  TEXTMETRICA metrics{};
  if (!GetTextMetricsA(dc, &metrics)) return {};
  return Cell{metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
}

}  // namespace

HRESULT RenderDocument(HDC printer_dc, const PrintedDocument& document, const std::string& job_name) {
  if (!printer_dc) return E_INVALIDARG;
  if (document.lines.empty()) return S_OK;  // nothing was printed: no job
  DOCINFOA job{};
  job.cbSize = sizeof job;
  job.lpszDocName = job_name.c_str();
  if (StartDocA(printer_dc, &job) <= 0) return LastError();

  const int page_height = GetDeviceCaps(printer_dc, VERTRES);
  const int pixels_per_inch = GetDeviceCaps(printer_dc, LOGPIXELSY);
  HRESULT result = S_OK;
  bool page_open = false;
  int top = 0;
  for (const PrintedLine& line : document.lines) {
    forms::GdiFont font = forms::MakeFont(forms::FontDescription{line.font.name, line.font.points}, pixels_per_inch);
    if (!font) {
      result = LastError();
      break;
    }
    forms::SelectedObject selected(printer_dc, font.Get());
    const Cell cell = CellOf(printer_dc);
    if (cell.width <= 0 || cell.height <= 0) {
      result = E_FAIL;
      break;
    }
    if (page_open && top + cell.height > page_height) {
      if (EndPage(printer_dc) <= 0) {
        result = LastError();
        break;
      }
      page_open = false;
    }
    if (!page_open) {
      if (StartPage(printer_dc) <= 0) {
        result = LastError();
        break;
      }
      page_open = true;
      top = 0;
    }
    for (const PrintedRun& run : line.runs) {
      if (run.text.empty()) continue;
      // Every character stands in its own cell, whatever the font's own advance widths are.
      std::vector<INT> advances(run.text.size(), cell.width);
      if (!ExtTextOutA(printer_dc, (run.column - 1) * cell.width, top, 0, nullptr, run.text.data(),
                       static_cast<UINT>(run.text.size()), advances.data())) {
        result = LastError();
        break;
      }
    }
    if (FAILED(result)) break;
    top += cell.height;
  }
  if (SUCCEEDED(result) && page_open && EndPage(printer_dc) <= 0) result = LastError();
  if (FAILED(result)) {
    AbortDoc(printer_dc);
    return result;
  }
  if (EndDoc(printer_dc) <= 0) return LastError();
  return S_OK;
}

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return {};
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return {};
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  return name;
}

void Printer::SetFontName(const std::string& name) {
  PrintFont font = layout_.Font();
  font.name = name;
  layout_.SetFont(font);
}

void Printer::SetFontSize(double points) {
  PrintFont font = layout_.Font();
  font.points = points;
  layout_.SetFont(font);
}

void Printer::PrintAt(int column, std::string_view text) { layout_.PrintAt(column, text); }

void Printer::Print(std::string_view text) { layout_.Print(text); }

void Printer::EndLine() { layout_.EndLine(); }

void Printer::PrintLine(std::string_view text) {
  layout_.Print(text);
  layout_.EndLine();
}

bool Printer::EndDoc() {
  PrintedDocument document = layout_.EndDocument();
  if (g_recorded) {
    g_recorded->push_back(std::move(document));
    return true;
  }
  const std::string printer = DefaultPrinterName();
  if (printer.empty()) {
    forms::MsgBox("No printer is installed, so the report was not printed. Nothing else has changed; install a "
                  "printer and print the report again.",
                  MB_ICONEXCLAMATION | MB_OK, kPrinterTitle);
    return false;
  }
  DeviceContext dc(CreateDCA(nullptr, printer.c_str(), nullptr, nullptr));
  const HRESULT result = dc.Get() ? RenderDocument(dc.Get(), document, kJobName) : LastError();
  if (FAILED(result)) {
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    forms::MsgBox("The report could not be printed on \"" + printer + "\" (error " + code +
                      "). Nothing else has changed; print the report again when the printer is ready.",
                  MB_ICONEXCLAMATION | MB_OK, kPrinterTitle);
    return false;
  }
  return true;
}

void Printer::RecordDocumentsForTesting(std::vector<PrintedDocument>* sink) { g_recorded = sink; }

Printer& ThePrinter() {
  static Printer printer;
  return printer;
}

}  // namespace korvane::printer
