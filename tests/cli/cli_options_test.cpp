#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "cli/default_machine.h"
#include "cli/report_cli.h"
#include "machine/machine_loader.h"

namespace {

bool Parse(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
    return ParseCliOptions(args, options, error);
}

TEST(CliOptionsTest, ReadsEveryOptionInBothForms) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(Parse(
        {"--system", "m.json", "--no-usb", "--output=out.txt", "--verbose", "--details"}, o, error))
        << error;
    EXPECT_TRUE(o.details);
    EXPECT_EQ("m.json", o.systemFile);
    EXPECT_EQ("out.txt", o.outputFile);
    EXPECT_FALSE(o.showUsb);
    EXPECT_TRUE(o.show1394);
    EXPECT_TRUE(o.verbose);

    ASSERT_TRUE(Parse({"--no-1394", "--system=a=b.json", "--output", "--odd-name"}, o, error));
    EXPECT_EQ("a=b.json", o.systemFile);
    EXPECT_EQ("--odd-name", o.outputFile);  // a value is taken as it stands
    EXPECT_TRUE(o.showUsb);
    EXPECT_FALSE(o.show1394);

    ASSERT_TRUE(Parse({}, o, error));
    EXPECT_TRUE(o.systemFile.empty() && o.outputFile.empty() && o.showUsb && o.show1394);
    for (const char* help : {"--help", "-h", "/?", "-?"}) {
        ASSERT_TRUE(Parse({"--no-usb", help}, o, error)) << help;
        EXPECT_TRUE(o.help) << help;
    }
    ASSERT_TRUE(Parse({"--version"}, o, error));
    EXPECT_TRUE(o.version);

    ASSERT_TRUE(
        Parse({"--class", "Net", "--all-classes", "--class={4d36e967-e325-11ce-bfc1-08002be10318}"},
              o, error));
    EXPECT_EQ((std::vector<std::string>{"Net", "{4d36e967-e325-11ce-bfc1-08002be10318}"}),
              o.classes);
    EXPECT_TRUE(o.allClasses);
}

TEST(CliOptionsTest, RefusesWhatItDoesNotKnow) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"--system"}, "option --system needs a file name"},
        {{"--no-usb", "--output"}, "option --output needs a file name"},
        {{"--output="}, "option --output needs a file name"},
        {{"--verbose=yes"}, "option --verbose takes no value"},
        {{"report.txt"}, "unexpected argument 'report.txt'"},
        {{"--class"}, "option --class needs a class name or GUID"},
        {{"--read", "r.txt", "--all-classes"},
         "options --class and --all-classes choose what a new report holds, not what a saved "
         "one says"},
        {{"--read", "a.txt", "--details"},
         "option --details asks for a report written now, not a saved one"},
    };
    for (const auto& c : cases) {
        CliOptions o;
        std::string error;
        EXPECT_FALSE(Parse(c.args, o, error)) << c.error;
        EXPECT_EQ(c.error, error);
    }
}

TEST(CliOptionsTest, TitleBlockUnderlinesTheProductLine) {
    EXPECT_EQ("Malvoret System Info v1.70.0", ProductLine());
    EXPECT_EQ("Malvoret System Info v1.70.0\r\n" + std::string(28, '-'), ReportTitle());
}

TEST(DefaultMachineTest, EmbeddedDescriptionLoads) {
    machine::Machine machine;
    std::string error;
    ASSERT_TRUE(LoadDefaultMachine(machine, error)) << error;
    EXPECT_EQ(4u, machine.os.processorCount);
    EXPECT_EQ(2u, machine.classes.size());
    EXPECT_EQ(2u, machine.devices.size());
    EXPECT_EQ(4u, machine.services.size());
}

}  // namespace
