#include "items/DebugInventoryWindow.h"

#include "items/WindowNavigation.h"

namespace korvane {
namespace {

constexpr long kMarqueeStyleDispid = 60;
constexpr long kBlinkingMarquee = 3;  // qvBlinkingMarquee
constexpr COLORREF kStatusComplete = 49152;  // green
constexpr COLORREF kStatusError = 255;       // red
constexpr char kScanComplete[] = "Complete";
constexpr char kScanError[] = "ERROR";

}  // namespace

Form4::Form4() : Form("Form4") {}

void Form4::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form4::Form_Load);
  on("DebugTool", "Click", &Form4::DebugTool_Click);
  on("SaveButton", "Click", &Form4::SaveButton_Click);
  on("ExitButton", "Click", &Form4::ExitButton_Click);
  on("help", "Click", &Form4::help_Click);
  on("DebugTool", "MouseEnter", &Form4::DebugTool_MouseEnter);
  on("DebugTool", "MouseExit", &Form4::DebugTool_MouseExit);
}

void Form4::Form_Load() {
  forms::HostedControlHolder& reminder = Hosted("ribTravelVia", 1);
  reminder.SetVisible(true);
  // A reminder that cannot blink still shows its words.
  (void)reminder.SetProperty(kMarqueeStyleDispid, kBlinkingMarquee);
  tool_.CountItems();
}

void Form4::DebugTool_Click() {
  forms::ListBox& progress = ListBoxNamed("List1");
  forms::TextBox& status = TextBoxNamed("Text9");
  ScanHit hit;
  const ScanOutcome outcome = tool_.Scan([&progress](const std::string& slot) { progress.AddItem(slot); }, hit);
  switch (outcome) {
    case ScanOutcome::Complete:
      status.SetBackColor(kStatusComplete);
      status.SetText(kScanComplete);
      break;
    case ScanOutcome::Hit:
      // A slot number's own line has no box: "Record" shows the whole line, and the save writes the slot
      // number as the other readers take it.
      TextBoxNamed("Text8").SetText(hit.field ? hit.lineNo : hit.value);
      status.SetBackColor(kStatusError);
      status.SetText(kScanError);
      if (hit.field) {
        forms::TextBox& box = TextBoxNamed(hit.field->box);
        box.SetText(hit.value);
        box.SetFocus();
      }
      TextBoxNamed("Text16").SetText(hit.lineNo);
      break;
    case ScanOutcome::LastItemShort:
    case ScanOutcome::TooManyItems:
      TextBoxNamed("Text8").SetText(hit.lineNo);
      status.SetBackColor(kStatusError);
      status.SetText(kScanError);
      ShowErrorMessage(outcome == ScanOutcome::LastItemShort ? kLastItemShortText : kItemFileTooLongText);
      break;
    case ScanOutcome::CannotOpen: ShowItemFileError(); break;
  }
}

void Form4::SaveButton_Click() {
  const SaveOutcome saved = tool_.Save(
      TextBoxNamed("Text16").Text(),
      [this](const ScannedField& field) { return CheckNoCommaQuote(TextBoxNamed(field.box)); },
      [this](const ScannedField& field) { return TextBoxNamed(field.box).Text(); });
  switch (saved) {
    case SaveOutcome::Saved: ClearAfterSave(); break;
    case SaveOutcome::Refused: break;  // the check has shown its message and focused the box
    // Nothing was written in each case.
    case SaveOutcome::ItemFileUnreadable: ShowItemFileError(); break;
    case SaveOutcome::TooManyItems: ShowErrorMessage(kItemFileTooLongText); break;
    case SaveOutcome::CannotWrite: ShowErrorMessage(kItemFileNotSavedText); break;
  }
}

void Form4::ClearAfterSave() {
  TextBoxNamed("Text16").SetText("");
  for (const ScannedField& field : kScannedFields) TextBoxNamed(field.box).SetText("");
  TextBoxNamed("Text8").SetText("");
  TextBoxNamed("Text9").SetText("");  // its colour stays
  ListBoxNamed("List1").Clear();
}

void Form4::ExitButton_Click() {
  tool_.ResetCounters();
  ReturnToCaller();
}

void Form4::help_Click() { OpenHelpPageOf(*this, "help"); }
void Form4::DebugTool_MouseEnter() { ApplyHover(*this, "DebugTool", true); }
void Form4::DebugTool_MouseExit() { ApplyHover(*this, "DebugTool", false); }

}  // namespace korvane
