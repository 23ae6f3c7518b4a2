#include "printer/Printer.h"

#include <map>
#include <utility>
#include <vector>

#include "forms/GdiObjects.h"
#include "forms/MessageBox.h"
#include "printer/PagePlacement.h"

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

// The fonts of a document made on the printer, each with its character cell there.
class PrinterFonts {
 public:
  explicit PrinterFonts(HDC dc) : dc_(dc), pixels_per_inch_(GetDeviceCaps(dc, LOGPIXELSY)) {}

  struct Made {
    forms::GdiFont font;
    CellSize cell;
  };

  const Made& Of(const PrintFont& wanted) {
    auto found = made_.find({wanted.name, wanted.points});
    if (found != made_.end()) return found->second;
    Made made{forms::MakeFont(forms::FontDescription{wanted.name, wanted.points}, pixels_per_inch_), {}};
    if (made.font) {
      forms::SelectedObject selected(dc_, made.font.Get());
      TEXTMETRICA metrics{};
      if (GetTextMetricsA(dc_, &metrics))
        made.cell = CellSize{metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
    }
    return made_.emplace(std::make_pair(wanted.name, wanted.points), std::move(made)).first->second;
  }

 private:
  HDC dc_;
  int pixels_per_inch_;
  std::map<std::pair<std::string, double>, Made> made_;
};

}  // namespace

HRESULT RenderDocument(HDC printer_dc, const PrintedDocument& document, const std::string& job_name) {
  if (!printer_dc) return E_INVALIDARG;
  PrinterFonts fonts(printer_dc);
  const PagePlan plan = PlaceOnPages(document, GetDeviceCaps(printer_dc, VERTRES),
                                     [&](const PrintFont& font) { return fonts.Of(font).cell; });
  if (plan.pages < 0) return E_FAIL;  // a font the printer cannot measure
  if (plan.pages == 0) return S_OK;   // nothing was printed: no job

  DOCINFOA job{};
  job.cbSize = sizeof job;
  job.lpszDocName = job_name.c_str();
  if (StartDocA(printer_dc, &job) <= 0) return LastError();
  HRESULT result = S_OK;
  auto run = plan.runs.begin();
  for (int page = 0; page < plan.pages && SUCCEEDED(result); ++page) {
    if (StartPage(printer_dc) <= 0) {
      result = LastError();
      break;
    }
    for (; run != plan.runs.end() && run->page == page; ++run) {
      forms::SelectedObject selected(printer_dc, fonts.Of(run->font).font.Get());
      // Every character stands in its own cell, whatever the font's own advance widths are.
      std::vector<INT> advances(run->text.size(), run->cell_width);
      if (!ExtTextOutA(printer_dc, run->x, run->y, 0, nullptr, run->text.data(), static_cast<UINT>(run->text.size()),
                       advances.data())) {
        result = LastError();
        break;
      }
    }
    if (SUCCEEDED(result) && EndPage(printer_dc) <= 0) result = LastError();
  }
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
