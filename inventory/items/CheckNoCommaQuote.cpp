#include "items/CheckNoCommaQuote.h"

#include "forms/MessageBox.h"
#include "forms/TextBox.h"
#include "items/ItemFile.h"

namespace korvane {
namespace {

constexpr unsigned kCriticalOkOnly = 16;  // MB_ICONHAND | MB_OK
constexpr char kCommaQuoteHelpFile[] = "DEMO.HLP";
constexpr unsigned long kCommaQuoteHelpContext = 1000;

}  // namespace

bool CheckNoCommaQuote(forms::TextBox& box) {
  if (!HoldsCommaOrQuote(box.Text())) return true;
  forms::MsgBox(kCommaQuoteErrorText, kCriticalOkOnly, kErrorConditionTitle, kCommaQuoteHelpFile,
                kCommaQuoteHelpContext);
  box.SetFocus();
  return false;
}

}  // namespace korvane
