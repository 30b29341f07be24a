#include <gtest/gtest.h>

#include "ui/command_prompt.h"
#include "ui/product_info.h"

namespace {

TEST(ReportTitleTest, IsTheVersionLineUnderlinedByAsManyDashes) {
    EXPECT_EQ(ReportTitle(),
              "Malvoret System Info v1.70.0\r\n"
              "----------------------------");
}

TEST(AboutVersionTextTest, NamesTheVersionOfTheReportTitleAndTheReleaseDate) {
    const std::string text = AboutVersionText();
    EXPECT_EQ(text.rfind("Malvoret System Info v1.70.0\nRelease Date: August 24, 2015\n\n", 0), 0u);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), kMakerNotice);
    EXPECT_EQ(ReportTitle().substr(0, ReportTitle().find('\r')), text.substr(0, text.find('\n')));
}

TEST(SplitCommandTextTest, PromptBeforeTheFirstLineBreakTooltipAfterIt) {
    const CommandPrompt copy =
        SplitCommandText("Copy the selected text and put it on the Clipboard.\nCopy");
    EXPECT_EQ(copy.statusText, "Copy the selected text and put it on the Clipboard.");
    EXPECT_EQ(copy.tooltip, "Copy");

    const CommandPrompt windowMenu = SplitCommandText("Change the window size");
    EXPECT_EQ(windowMenu.statusText, "Change the window size");
    EXPECT_EQ(windowMenu.tooltip, "");

    EXPECT_EQ(SplitCommandText("a\nb\nc").tooltip, "b\nc");
    EXPECT_EQ(SplitCommandText("").statusText, "");
}

TEST(SystemCommandPromptIdTest, MapsTheWindowMenuCommandsToTheirStrings) {
    EXPECT_EQ(SystemCommandPromptId(0xF000), 61184u);  // size
    EXPECT_EQ(SystemCommandPromptId(0xF010), 61185u);  // move
    EXPECT_EQ(SystemCommandPromptId(0xF020), 61186u);  // minimize
    EXPECT_EQ(SystemCommandPromptId(0xF030), 61187u);  // maximize
    EXPECT_EQ(SystemCommandPromptId(0xF060), 61190u);  // close
    EXPECT_EQ(SystemCommandPromptId(0xF120), 61202u);  // restore
    EXPECT_EQ(SystemCommandPromptId(0xF130), 61203u);  // task list
    // The low bits Windows may add (a move by keyboard) do not change it.
    EXPECT_EQ(SystemCommandPromptId(0xF012), 61185u);
    EXPECT_EQ(SystemCommandPromptId(57604), 0u);
    EXPECT_EQ(SystemCommandPromptId(0xF200), 0u);
}

}  // namespace
