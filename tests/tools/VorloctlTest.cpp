#include "support/VorloctlRun.h"

#include "documents/SettingsFile.h"
#include "support/DocumentFiles.h"
#include "support/KeyboardRig.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

#include <sstream>

using ::testing::HasSubstr;

// vorloctl as a user runs it, against a simulated keyboard on virtual ports,
// the only device there, with what it writes on each stream.
class Vorloctl : public KeyboardRig
{
protected:
    int run (const juce::StringArray& words) { return runVorloctlOn (ports, words, out, err); }

    std::ostringstream out, err;
};

TEST_F (Vorloctl, BadCommandLinesAreUsageErrorsOnStandardErrorAndReachNoKeyboard)
{
    const std::tuple<juce::StringArray, int, const char*> cases[] = {
        { {}, 2, "Usage: vorloctl COMMAND [options]" },
        { { "frobnicate" }, 2, "vorloctl: unknown command 'frobnicate'. Try 'vorloctl --help'.\n" },
        { { "--bogus" }, 2, "vorloctl: unknown option '--bogus'. Try 'vorloctl --help'.\n" },
        { { "detcet" }, 2, "vorloctl: unknown command 'detcet'. Did you mean 'detect'? Try 'vorloctl --help'.\n" },
        { { "help", "normalise" }, 2, "vorloctl: unknown command 'normalise'. Did you mean 'normalize'? Try 'vorloctl --help'.\n" },
        { { "pads", "--st=64" }, 2, "vorloctl pads: unknown option '--st=64'. Did you mean '--set'? Try 'vorloctl help pads'.\n" },
        { { "read", "-", "--", "--trace" }, 2, "vorloctl read: takes at most 1 argument, but was also given '--trace'. Try 'vorloctl help read'.\n" },
        { { "detect", "--simulted" }, 2, "vorloctl detect: unknown option '--simulted'. Did you mean '--simulated'? Try 'vorloctl help detect'.\n" },
        { { "describe", "--om33", "F0", "F7" }, 2, "vorloctl describe: unknown option '--om33'. Did you mean '--om32'? Try 'vorloctl help describe'.\n" },
        { { "catalogue", "extra" }, 2, "vorloctl catalogue: takes no arguments, but was given 'extra'. Try 'vorloctl help catalogue'.\n" },
        { { "detect", "now" }, 2, "vorloctl detect: takes no arguments, but was given 'now'. Try 'vorloctl help detect'.\n" },
        { { "detect", "--json=yes" }, 2, "vorloctl detect: --json takes no value. Try 'vorloctl help detect'.\n" },
        { { "pads", "--set" }, 2, "vorloctl pads: --set needs its G1,...,G8. Try 'vorloctl help pads'.\n" },
        { { "flash" }, 2, "vorloctl flash: needs FILE. Try 'vorloctl help flash'.\n" },
        { { "flash", "a.bin", "b.bin" },
          2,
          "vorloctl flash: takes at most 1 argument, but was also given 'b.bin'. Try 'vorloctl help flash'.\n" },
        { { "help", "nope" }, 2, "vorloctl: unknown command 'nope'. Try 'vorloctl --help'.\n" },
        { { "describe" }, 2, "vorloctl describe: needs HEX-BYTES... Try 'vorloctl help describe'.\n" },
        { { "describe", "F0", "00", "2F" }, 1, "vorloctl describe: a SysEx message must end with F7.\n" },
        { { "send", "/no/such/file.vorlo25", "--memory", "5" },
          1,
          "vorloctl send: /no/such/file.vorlo25 can't be found. Nothing was sent to the keyboard.\n" },
        { { "send", "a.vorlo25", "--memory", "9" },
          2,
          "vorloctl send: --memory takes a memory from 1 to 8, not '9'. Try 'vorloctl help send'.\n" },
        { { "send", "a.vorlo25", "--memory=0" },
          2,
          "vorloctl send: --memory takes a memory from 1 to 8, not '0'. Try 'vorloctl help send'.\n" },
        { { "send", "a.vorlo25", "--memory", "5x" },
          2,
          "vorloctl send: --memory takes a memory from 1 to 8, not '5x'. Try 'vorloctl help send'.\n" },
        { { "send", "a.vorlo25" }, 2, "vorloctl send: needs --memory N, the keyboard memory (1 to 8) to store the settings into." },
        { { "send", "a.vorlo25", "--memory" }, 2, "vorloctl send: --memory needs its N. Try 'vorloctl help send'.\n" },
        { { "send", "a.vorlo25", "--memory=5", "--memory", "9" },
          2,
          "vorloctl send: --memory takes a memory from 1 to 8, not '9'. Try 'vorloctl help send'.\n" },
        { { "read" }, 2, "vorloctl read: needs FILE. Try 'vorloctl help read'.\n" },
        { { "read", "a.vorlo25", "b.vorlo25" },
          2,
          "vorloctl read: takes at most 1 argument, but was also given 'b.vorlo25'. Try 'vorloctl help read'.\n" },
        { { "read", "/no/such/folder/a.vorlo25" },
          1,
          "vorloctl read: the folder of /no/such/folder/a.vorlo25 does not exist. Nothing was read.\n" },
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
    for (const juce::String command :
         { "ports", "detect", "read", "send", "pads", "flash", "defaults", "chart", "normalize", "diff", "catalogue", "describe" })
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
    EXPECT_EQ (err.str(), "vorloctl detect: No keyboard answered. Make sure it is connected and switched on.\n");
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

namespace
{
// The keyboard's settings after a musician's evening with it.
void editOnTheKeyboard (KeyboardModel& k)
{
    k.working.controls[0x30][3] = 21; // knob 1 on CC 21
    k.working.controls[0x70][2] = 9;  // pad 1 on channel 10
    k.working.controls[0x01][5] = 100;
    k.working.globals[6] = 4;
    k.working.curves[1] = 2;
    k.working.curves[4] = 1;
}

// Whether the cache holds the settings, control by control, and the global
// channel, knob mode, octave shift and the three curves the editor reads.
::testing::AssertionResult cacheHolds (const ValueCache& cache, const KeyboardModel::Settings& settings)
{
    for (const auto& [id, setting] : settings.controls)
        for (int parameter = 1; parameter <= 6; ++parameter)
            if (cache.getItemParam (parameter, id) != setting[(size_t) parameter])
                return ::testing::AssertionFailure() << "control " << id << " parameter " << parameter << ": "
                                                     << cache.getItemParam (parameter, id) << " instead of " << setting[(size_t) parameter];
    for (const int global : { 2, 3, 6 })
        if (cache.getGlobal (global) != settings.globals[(size_t) global])
            return ::testing::AssertionFailure() << "global " << global;
    for (const int curve : { 1, 3, 4 })
        if (cache.getCurve (curve) != settings.curves[(size_t) curve])
            return ::testing::AssertionFailure() << "curve " << curve;
    return ::testing::AssertionSuccess();
}
} // namespace

TEST_F (Vorloctl, ReadWritesAFileEqualToTheKeyboardsWorkingState)
{
    ScratchFolder scratch;
    const auto file = scratch.file ("evening.vorlo25");
    keyboard.change (editOnTheKeyboard);

    ASSERT_EQ (run ({ "read", file.getFullPathName() }), 0) << err.str();
    EXPECT_THAT (out.str(), HasSubstr ("Read the settings of Velmora Vorlo: Vorlo"));
    EXPECT_EQ (err.str(), "");

    ValueCache fromFile;
    ASSERT_TRUE (SettingsFile::load (fromFile, file).wasOk());
    EXPECT_TRUE (cacheHolds (fromFile, keyboard.inspect ([] (const KeyboardModel& k) { return k.working; })));
}

TEST_F (Vorloctl, SendLeavesTheMemoryEqualToTheFile)
{
    ScratchFolder scratch;
    const auto file = scratch.file ("evening.vorlo25");
    keyboard.change (editOnTheKeyboard);
    ASSERT_EQ (run ({ "read", file.getFullPathName() }), 0) << err.str();
    const auto evening = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });

    // Back to the factory state, then the file into memory 5.
    keyboard.change ([] (KeyboardModel& k) { k = KeyboardModel(); });
    ASSERT_EQ (run ({ "send", file.getFullPathName(), "--memory", "5" }), 0) << err.str();
    EXPECT_EQ (out.str(),
               "Sent evening.vorlo25 to Velmora Vorlo: Vorlo, device code 0x0400, firmware revision 1.0.3.0 and stored it in memory 5.\n");

    ASSERT_TRUE (ports.waitUntilIdle());
    const auto memory5 = keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[5]; });
    ASSERT_TRUE (memory5.has_value());
    EXPECT_TRUE (*memory5 == evening);

    ValueCache fromFile;
    ASSERT_TRUE (SettingsFile::load (fromFile, file).wasOk());
    EXPECT_TRUE (cacheHolds (fromFile, *memory5));
    EXPECT_FALSE (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[4].has_value(); }));
}

TEST_F (Vorloctl, AKeyboardThatFallsSilentDuringTheReadFailsClearlyAndWritesNothing)
{
    ScratchFolder scratch;
    const auto file = scratch.file ("half.vorlo25");
    keyboard.unplug();
    ScriptedDevice identityOnly (ports, "Velmora Vorlo",
                                 midiBytes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 1, 0, 3, 0, 0xF7 }));

    EXPECT_EQ (run ({ "read", file.getFullPathName() }), 1);
    EXPECT_EQ (
        err.str(),
        "vorloctl read: The keyboard stopped answering while its settings were read (1 of 12 requests sent). Nothing was written.\n");
    EXPECT_EQ (out.str(), "");
    EXPECT_FALSE (file.exists());
}
