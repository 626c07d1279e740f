#include "vorloctl/Vorloctl.h"

#include "documents/SettingsFile.h"
#include "link/VirtualMidiPorts.h"
#include "support/DocumentFiles.h"

#include <gmock/gmock.h>

#include <sstream>

using ::testing::StartsWith;

namespace
{
// vorloctl run with what it writes on each stream.
struct Run
{
    int exitCode;
    std::string out, err;
};

Run run (const juce::StringArray& words, MidiPorts* ports = nullptr)
{
    std::ostringstream out, err;
    ToolContext context { out, err };
    context.ports = ports;
    const int exitCode = runVorloctl (words, context);
    return { exitCode, out.str(), err.str() };
}

// Loaded onto the defaults, it differs from them in a control's value, a
// global and a curve, and in three values of one pad.
const char* const eveningSettings = "<Settings>"
                                    "<Items><Item ID=\"48\" Num=\"21\"/><Item ID=\"112\" Mode=\"10\" Chan=\"65\" Option=\"0\"/></Items>"
                                    "<Globals><Param ID=\"6\" Value=\"4\"/></Globals>"
                                    "<Curves><Param ID=\"1\" Value=\"2\"/></Curves>"
                                    "</Settings>";

// A global "Default Values" leaves out.
const char* const extraGlobalSettings = "<Settings><Globals><Param ID=\"9\" Value=\"3\"/></Globals></Settings>";
} // namespace

TEST (DiffCommand, ExitCodeAndListingForEachPairOfFilesAndEachBadCommandLine)
{
    ScratchFolder scratch;
    const auto defaults = testDataFile ("default-settings.vorlo25").getFullPathName();
    const auto evening = scratch.write ("evening.vorlo25", eveningSettings).getFullPathName();
    const auto extra = scratch.write ("extra.vorlo25", extraGlobalSettings).getFullPathName();
    const auto missing = scratch.file ("missing.vorlo25").getFullPathName();
    const auto cutShort = scratch.write ("cut.vorlo25", "<Settings><Items>").getFullPathName();
    const auto outOfRange =
        scratch.write ("odd.vorlo25", "<Settings><Items><Item ID=\"48\" Mode=\"99\"/></Items></Settings>").getFullPathName();

    struct Case
    {
        const char* outcome;
        juce::StringArray words;
        int exitCode;
        juce::String out;
        juce::String errStart; // what standard error starts with, if anything
    };

    const Case cases[] = {
        { "the same file", { "diff", defaults, defaults }, 0, defaults + " and " + defaults + " hold the same settings.\n", {} },
        { "a control, a global and a curve differ",
          { "diff", defaults, evening },
          1,
          defaults + " -> " + evening
              + ": 6 differences\n"
                "  1 - Volume, CC number: 7 -> 21\n"
                "  Pad #1, Mode: Midi Note -> Midi Note Gated\n"
                "  Pad #1, Channel: 10 -> Global\n"
                "  Pad #1, Option: Gate -> Toggle\n"
                "  Channel: 1 -> 5\n"
                "  Velocity curve: Linear -> Exponential\n",
          {} },
        { "one file holds a global the other only assumes",
          { "diff", defaults, extra },
          0,
          defaults + " and " + extra + " hold the same settings.\nNot compared, as " + defaults + " gives no value for them: global 9.\n",
          {} },
        { "A is missing",
          { "diff", missing, defaults },
          1,
          {},
          "vorloctl diff: " + missing + " was not loaded: the file does not exist\n" },
        { "B is missing",
          { "diff", defaults, missing },
          1,
          {},
          "vorloctl diff: " + missing + " was not loaded: the file does not exist\n" },
        { "a file cut short", { "diff", cutShort, defaults }, 1, {}, "vorloctl diff: " + cutShort + " was not loaded: " },
        { "a value that fits no parameter", { "diff", defaults, outOfRange }, 1, {}, "vorloctl diff: " + outOfRange + " was not loaded: " },
        { "no file",
          { "diff" },
          2,
          {},
          "vorloctl diff: needs two settings files, A and B, or one and --keyboard. Try 'vorloctl help diff'.\n" },
        { "one file", { "diff", defaults }, 2, {}, "vorloctl diff: needs two settings files" },
        { "three files", { "diff", defaults, defaults, defaults }, 2, {}, "vorloctl diff: takes at most 2 arguments" },
        { "--keyboard and two files",
          { "diff", "--keyboard", "a.vorlo25", "b.vorlo25" },
          2,
          {},
          "vorloctl diff: --keyboard compares one settings file with the keyboard, but was also given 'b.vorlo25'." },
        { "--keyboard and no file",
          { "diff", "--keyboard" },
          2,
          {},
          "vorloctl diff: needs A, the settings file to compare with the keyboard." },
        { "--simulated without --keyboard",
          { "diff", defaults, defaults, "--simulated" },
          2,
          {},
          "vorloctl diff: --simulated goes with --keyboard." },
        { "an unknown option",
          { "diff", defaults, defaults, "--keybaord" },
          2,
          {},
          "vorloctl diff: unknown option '--keybaord'. Did you mean '--keyboard'?" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.outcome);
        const auto result = run (c.words);
        EXPECT_EQ (result.exitCode, c.exitCode);
        EXPECT_EQ (result.out, c.out.toStdString());
        if (c.errStart.isEmpty())
            EXPECT_EQ (result.err, "");
        else
            EXPECT_THAT (result.err, StartsWith (c.errStart.toStdString()));
    }
}

TEST (DiffCommand, JsonHoldsTheDifferencesAndNullWhereASideHoldsNoValue)
{
    ScratchFolder scratch;
    const auto defaults = testDataFile ("default-settings.vorlo25").getFullPathName();
    const auto evening = scratch.write ("evening.vorlo25", eveningSettings).getFullPathName();
    const auto extra = scratch.write ("extra.vorlo25", extraGlobalSettings).getFullPathName();

    const auto differing = run ({ "diff", defaults, evening, "--json" });
    ASSERT_EQ (differing.exitCode, 1) << differing.err;
    const auto diff = juce::JSON::parse (juce::String (differing.out));
    EXPECT_EQ (diff["first"].toString(), defaults);
    EXPECT_EQ (diff["second"].toString(), evening);
    EXPECT_FALSE ((bool) diff["same"]);
    ASSERT_EQ (diff["differences"].size(), 6);

    const auto& knob = diff["differences"][0];
    EXPECT_EQ (knob["kind"].toString(), "control");
    EXPECT_EQ (knob["name"].toString(), "1 - Volume, CC number");
    EXPECT_EQ ((int) knob["id"], 0x30);
    EXPECT_EQ ((int) knob["parameter"], 3);
    EXPECT_EQ ((int) knob["first"], 7);
    EXPECT_EQ ((int) knob["second"], 21);

    const auto& channel = diff["differences"][4];
    EXPECT_EQ (channel["kind"].toString(), "global");
    EXPECT_EQ ((int) channel["index"], 6);
    EXPECT_EQ ((int) channel["second"], 4);
    EXPECT_EQ (channel["secondText"].toString(), "5");
    EXPECT_EQ (diff["differences"][5]["name"].toString(), "Velocity curve");

    const auto notComparing = run ({ "diff", defaults, extra, "--json" });
    ASSERT_EQ (notComparing.exitCode, 0) << notComparing.err;
    const auto same = juce::JSON::parse (juce::String (notComparing.out));
    EXPECT_TRUE ((bool) same["same"]);
    EXPECT_EQ (same["differences"].size(), 0);
    ASSERT_EQ (same["notCompared"].size(), 1);
    EXPECT_EQ (same["notCompared"][0]["name"].toString(), "global 9");
    EXPECT_TRUE (same["notCompared"][0]["first"].isVoid());
    EXPECT_EQ ((int) same["notCompared"][0]["second"], 3);
}

TEST (DiffCommand, WhatReadSavedIsTheSimulatedKeyboardsUntilOneValueOfTheFileChanges)
{
    ScratchFolder scratch;
    const auto file = scratch.file ("keyboard.vorlo25");
    const auto path = file.getFullPathName();
    const auto read = run ({ "read", path, "--simulated" });
    ASSERT_EQ (read.exitCode, 0) << read.err;

    // What the keyboard does not report is not compared, and says so.
    const auto same = run ({ "diff", "--keyboard", path, "--simulated" });
    EXPECT_EQ (same.exitCode, 0) << same.err;
    EXPECT_EQ (same.out,
               (path
                + " and the keyboard hold the same settings.\n"
                  "Not compared, as the keyboard does not report them: Down - Preset Dec, Pitch Strip, Up - Preset Inc.\n")
                   .toStdString());
    EXPECT_EQ (same.err, "");

    ValueCache cache;
    ASSERT_TRUE (SettingsFile::load (cache, file).wasOk());
    const int onKeyboard = cache.getItemParam (3, 0x30);
    ASSERT_TRUE (cache.setItemParam (3, 0x30, onKeyboard + 1));
    ASSERT_TRUE (SettingsFile::save (cache, file).wasOk());

    const auto differing = run ({ "diff", "--keyboard", path, "--simulated" });
    EXPECT_EQ (differing.exitCode, 1) << differing.err;
    const auto line = "  1 - Volume, CC number: " + juce::String (onKeyboard + 1) + " -> " + juce::String (onKeyboard) + "\n";
    EXPECT_THAT (differing.out, StartsWith ((path + " -> the keyboard: 1 difference\n" + line).toStdString()));
}

TEST (DiffCommand, AKeyboardThatCannotBeReadFailsWithTheReason)
{
    VirtualMidiPorts noPorts;
    const auto result = run ({ "diff", "--keyboard", testDataFile ("default-settings.vorlo25").getFullPathName() }, &noPorts);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.err, "vorloctl diff: No MIDI output ports found. Is the keyboard plugged in?\n");
    EXPECT_EQ (result.out, "");
}
