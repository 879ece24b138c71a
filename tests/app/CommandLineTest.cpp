// The command line the installer parses and ignores: the framework's rules and the silent switch.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/InstallerCommandLine.h"

namespace {

TEST(CommandLine, ArgumentsAreParsedByTheFrameworkRulesAndTheSilentSwitch)
{
    struct Row {
        std::vector<std::pair<const char*, bool>> arguments;  // text, isSwitch
        int action;
        const char* fileName;
        const char* printer;
        int silent;
    };
    const Row rows[] = {
        {{}, CommandLineInfo::ActionNone, "", "", 0},
        {{{"S", true}}, CommandLineInfo::ActionNone, "", "", 1},
        {{{"s", true}}, CommandLineInfo::ActionNone, "", "", 1},
        {{{"p", true}, {"file.txt", false}}, CommandLineInfo::ActionOpen, "file.txt", "", 0},
        {{{"file.txt", false}}, CommandLineInfo::ActionOpen, "file.txt", "", 0},
        {{{"a", false}, {"b", false}}, CommandLineInfo::ActionOpen, "a", "", 0},
    };
    for (const Row& row : rows) {
        InstallerCommandLine line;
        for (size_t i = 0; i < row.arguments.size(); ++i)
            line.ParseArgument(row.arguments[i].first, row.arguments[i].second, i + 1 == row.arguments.size());
        EXPECT_EQ(line.action, row.action) << row.arguments.size() << " arguments";
        EXPECT_STREQ(line.fileName.Text(), row.fileName);
        EXPECT_EQ(line.silent, row.silent);
    }

    // The framework's own record knows print-to with its three values.
    CommandLineInfo base;
    const char* texts[] = {"pt", "doc", "printer", "driver", "port", "extra"};
    for (int i = 0; i < 6; ++i)
        base.ParseArgument(texts[i], i == 0, i == 5);
    EXPECT_EQ(base.action, CommandLineInfo::ActionPrintTo);
    EXPECT_STREQ(base.fileName.Text(), "doc");
    EXPECT_STREQ(base.printer.Text(), "printer");
    EXPECT_STREQ(base.driver.Text(), "driver");
    EXPECT_STREQ(base.port.Text(), "port");
}

}  // namespace
