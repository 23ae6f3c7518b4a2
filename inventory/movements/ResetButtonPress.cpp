#include "movements/ResetButtonPress.h"

#include "items/WindowNavigation.h"
#include "movements/ButtonValue.h"

namespace korvane {
namespace {

constexpr long kValueDispid = 47;
// The indicator's lamp: lit (a Boolean) and the colour it is lit in (an OLE colour, green 128).
constexpr long kIndicatorLitDispid = 50;
constexpr long kIndicatorColorDispid = 8;
constexpr long kIndicatorGreen = 0x008000;

}  // namespace

void ProcessResetPress(forms::Form& window, const ResetButton& button, WindowCounters& counters) {
  // Read before the file work: the value the button held when it was pressed.
  // A button whose Value cannot be read counts as unchecked: only a reading of checked lights the indicator.
  const long value = ButtonValueOf(window.Hosted(button.button).Property(kValueDispid)).value_or(0);
  const ResetOutcome outcome = PressResetButton(button, value, counters);
  if (outcome.status != ItemFileStatus::Ok) {
    ShowItemFileProblem(outcome.status);
    return;
  }
  if (!outcome.lightIndicator) return;
  // An indicator that refuses only keeps its look; the counters are reset either way.
  forms::HostedControlHolder& indicator = window.Hosted(button.indicator);
  (void)indicator.SetProperty(kIndicatorLitDispid, true);
  (void)indicator.SetProperty(kIndicatorColorDispid, kIndicatorGreen);
}

}  // namespace korvane
