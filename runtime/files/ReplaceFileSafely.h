// Replacing a file so that a failure at any moment leaves either the old file whole or the new one whole.
#pragma once

#include <string>

namespace korvane::files {

// Flushes `replacement` (a closed, completely written file) to the disk, then moves it over `target` in
// one step, creating `target` when it does not exist. Answers false when any step fails; `target` is then
// as it was, and `replacement` is left for the caller to remove.
bool ReplaceFileSafely(const std::string& replacement, const std::string& target);

}  // namespace korvane::files
