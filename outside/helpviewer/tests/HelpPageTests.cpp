// Help pages as the viewer reads them.
#include "HelpPage.h"

#include <gtest/gtest.h>

namespace korvane::help {
namespace {

TEST(HelpPage, GivesTheTitleAndTheTextWithoutMarkup)
{
    const HelpPage page = ReadHelpPage(R"(<html><head><title>Sort
      Inventory   File</title><style>p { color: red }</style></head>
      <body><h1>Sort &amp; check</h1>
      <p>Sorting   rewrites <b>Item.dat</b>, in the
      order of Item.Txt.</p><p>Only&nbsp;this&#33; &lt;no&gt; &unknown; &#9999;</p></body></html>)");
    EXPECT_EQ(page.title, "Sort Inventory File");
    EXPECT_EQ(page.text,
              "Sort & check\n"
              "\n"
              "Sorting rewrites Item.dat, in the order of Item.Txt.\n"
              "\n"
              "Only this! <no> &unknown; &#9999;\n");
}

TEST(HelpPage, MarksListItemsAndNumbersOrderedOnes)
{
    const HelpPage page = ReadHelpPage("<p>Steps:</p><ol><li>Click a kind.</li><li>Type <i>the</i> number."
                                       "<ul><li>or its start</li></ul></li></ol><ul><li>Save</li></ul>Done<br>End");
    EXPECT_EQ(page.title, "");
    EXPECT_EQ(page.text,
              "Steps:\n"
              "\n"
              "1. Click a kind.\n"
              "2. Type the number.\n"
              "  - or its start\n"
              "\n"
              "- Save\n"
              "\n"
              "Done\n"
              "End\n");
}

TEST(HelpPage, AnEmptyOrBrokenPageGivesWhatItHas)
{
    EXPECT_EQ(ReadHelpPage("").text, "");
    EXPECT_EQ(ReadHelpPage("plain words").text, "plain words\n");
    EXPECT_EQ(ReadHelpPage("before <b unclosed").text, "before\n");
}

} // namespace
} // namespace korvane::help
