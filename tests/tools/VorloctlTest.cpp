#include "vorloctl/Vorloctl.h"

#include "support/KeyboardRig.h"

#include <gmock/gmock.h>

#include <sstream>

using ::testing::HasSubstr;

// vorloctl as a user runs it, against a simulated keyboard on virtual ports,
// the only device there, with what it writes on each stream.
class Vorloctl : public KeyboardRig
{
protected:
    int run (const juce::StringArray& words)
    {
        out.str ({});
        err.str ({});
        ToolContext context { out, err };
        context.ports = &ports;
        return runVorloctl (words, context);
    }

    std::ostringstream out, err;
};

TEST_F (Vorloctl, BadCommandLinesAreUsageErrorsOnStandardErrorAndReachNoKeyboard)
{
    const std::tuple<juce::StringArray, int, const char*> cases[] = {
        { {}, 2, "Usage: vorloctl COMMAND [options]" },
        { { "frobnicate" }, 2, "vorloctl: unknown command 'frobnicate'. Try 'vorloctl --help'.\n" },
        { { "--bogus" }, 2, "vorloctl: unknown option '--bogus'. Try 'vorloctl --help'.\n" },
        { { "detect", "--simulted" }, 2, "vorloctl detect: unknown option '--simulted'. Try 'vorloctl help detect'.\n" },
        { { "describe", "--om33", "F0", "F7" }, 2, "vorloctl describe: unknown option '--om33'. Try 'vorloctl help describe'.\n" },
        { { "catalogue", "extra" }, 2, "vorloctl catalogue: takes no arguments, but was given 'extra'. Try 'vorloctl help catalogue'.\n" },
        { { "detect", "now" }, 2, "vorloctl detect: takes no arguments, but was given 'now'. Try 'vorloctl help detect'.\n" },
        { { "detect", "--json=yes" }, 2, "vorloctl detect: --json takes no value. Try 'vorloctl help detect'.\n" },
        { { "pads", "--set" }, 2, "vorloctl pads: --set needs its G1,...,G8. Try 'vorloctl help pads'.\n" },
        { { "flash" }, 2, "vorloctl flash: needs FILE. Try 'vorloctl help flash'.\n" },
        { { "flash", "a.bin", "b.bin" },
          2,
          "vorloctl flash: takes at most 1 argument, but was also given 'b.bin'. Try 'vorloctl help flash'.\n" },
        { { "help", "nope" }, 2, "vorloctl: unknown command 'nope'. Try 'vorloctl --help'.\n" },
        { { "describe" }, 2, "vorloctl describe: needs HEX-BYTES.... Try 'vorloctl help describe'.\n" },
        { { "describe", "F0", "00", "2F" }, 1, "vorloctl describe: a SysEx message must end with F7.\n" },
    };

    for (const auto& [words, exitCode, message] : cases)
    {
        const auto line = words.joinIntoString (" ");
        EXPECT_EQ (run (words), exitCode) << line;
        EXPECT_THAT (err.str(), HasSubstr (message)) << line;
        EXPECT_EQ (out.str(), "") << line;
    }
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (Vorloctl, ACommandsHelpIsTheSameAskedEitherWayAndListsItsOptions)
{
    for (const juce::String command : { "ports", "detect", "pads", "flash", "catalogue", "describe" })
    {
        ASSERT_EQ (run ({ "help", command }), 0) << command;
        const auto help = out.str();
        EXPECT_THAT (help, ::testing::StartsWith ("Usage: vorloctl " + command.toStdString())) << command;
        EXPECT_THAT (help, HasSubstr ("  --help")) << command;

        ASSERT_EQ (run ({ command, "--help" }), 0) << command;
        EXPECT_EQ (out.str(), help) << command;
        EXPECT_EQ (err.str(), "") << command;
    }

    ASSERT_EQ (run ({ "help", "detect" }), 0);
    EXPECT_THAT (out.str(), HasSubstr ("--simulated"));
    EXPECT_THAT (out.str(), HasSubstr ("--trace"));
    EXPECT_THAT (out.str(), HasSubstr ("--json"));

    // Asking for help never looks for the keyboard.
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (Vorloctl, DetectPrintsTheModelAndFirmwareRevisionOrOneJsonObject)
{
    keyboard.setFirmwareRevision ({ 1, 0, 4, 0 });

    ASSERT_EQ (run ({ "detect" }), 0) << err.str();
    EXPECT_EQ (out.str(),
               "Found the keyboard: Vorlo, device code 0x0400, firmware revision 1.0.4.0\n"
               "  input:  Velmora Vorlo\n"
               "  output: Velmora Vorlo\n");
    EXPECT_EQ (err.str(), ""); // not a terminal: no progress

    ASSERT_EQ (run ({ "detect", "--json" }), 0) << err.str();
    const auto found = juce::JSON::parse (juce::String (out.str()));
    EXPECT_EQ (found["model"].toString(), "Vorlo");
    EXPECT_EQ (found["deviceCode"].toString(), "0x0400");
    EXPECT_EQ (found["firmwareRevision"].toString(), "1.0.4.0");
    EXPECT_EQ (found["output"].toString(), "Velmora Vorlo");
}

TEST_F (Vorloctl, ASilentKeyboardEndsDetectionWithAClearErrorInsteadOfAHang)
{
    keyboard.setSilent (true);

    const auto startMs = juce::Time::getMillisecondCounter();
    EXPECT_EQ (run ({ "detect" }), 1);
    EXPECT_EQ (err.str(), "No keyboard answered. Make sure it is connected and switched on.\n");
    EXPECT_EQ (out.str(), "");
    // Two passes over the one output, 2 s each.
    std::cout << "silent keyboard: detect gave up after " << juce::Time::getMillisecondCounter() - startMs << " ms" << std::endl;
}

TEST_F (Vorloctl, TraceShowsTheIdentityRequestAndReplyOnStandardErrorOnly)
{
    keyboard.setFirmwareRevision ({ 1, 0, 4, 0 });

    ASSERT_EQ (run ({ "detect", "--trace" }), 0) << err.str();
    EXPECT_THAT (out.str(), ::testing::StartsWith ("Found the keyboard: Vorlo"));

    const auto trace = err.str();
    EXPECT_THAT (trace, ::testing::ContainsRegex (" ms  -> Velmora Vorlo  F0 7E 7F 06 01 F7  .*Universal identity request\n"));
    EXPECT_THAT (trace,
                 ::testing::ContainsRegex (" ms  <- Velmora Vorlo  F0 7E .* F7  .*Identity reply: Vorlo, device code 0x0400, "
                                           "firmware revision 1\\.0\\.4\\.0\n"));
}

TEST_F (Vorloctl, PortsListsTheInputsAndOutputs)
{
    ports.addOutput ("Virtual Synth");

    ASSERT_EQ (run ({ "ports" }), 0);
    EXPECT_EQ (out.str(), "MIDI inputs:\n  Velmora Vorlo\nMIDI outputs:\n  Velmora Vorlo\n  Virtual Synth\n");

    ASSERT_EQ (run ({ "ports", "--json" }), 0);
    const auto found = juce::JSON::parse (juce::String (out.str()));
    EXPECT_EQ (found["outputs"][1].toString(), "Virtual Synth");
    EXPECT_EQ (found["inputs"].size(), 1);
}

TEST_F (Vorloctl, DescribeAddsTheCatalogueNameAndFieldsInEitherDialect)
{
    ASSERT_EQ (run ({ "describe", "F0 00 2F 19 7F 42 02 00 40 06 05 F7" }), 0) << err.str();
    EXPECT_EQ (out.str(), "F0 00 2F 19 7F 42 02 00 40 06 05 F7 \nOM32 SYSEX : Midi channel response 5\nMidiChannelSet: channel 5\n");

    ASSERT_EQ (run ({ "describe", "--om32", "0xF0002F1902030305F7" }), 0) << err.str();
    EXPECT_THAT (out.str(), ::testing::EndsWith ("\nMidiChannelSet: channel 5\n"));

    // Arguments are text: a non-ASCII one comes back as it was given.
    EXPECT_EQ (run ({ "describe", juce::String::fromUTF8 ("F0 \xc3\xa4 F7") }), 1);
    EXPECT_EQ (err.str(), "vorloctl describe: '\xc3\xa4' is not a hex byte.\n");
}
