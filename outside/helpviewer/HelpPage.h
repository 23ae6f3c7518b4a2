// A help page as the viewer shows it: its title, and its text without the markup (paragraphs and
// headings on lines of their own, list items marked with a dash or numbered, entities decoded).
#pragma once

#include <string>
#include <string_view>

namespace korvane::help {

struct HelpPage {
    std::string title;
    std::string text;  // lines end in "\n"
};

HelpPage ReadHelpPage(std::string_view html);

} // namespace korvane::help
