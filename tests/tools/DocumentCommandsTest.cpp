#include "vorloctl/Vorloctl.h"

#include "support/DocumentFiles.h"

#include <gmock/gmock.h>

#include <sstream>

TEST (DocumentCommands, ExitCodesOfEachCommandForEachOutcome)
{
    ScratchFolder scratch;
    const auto settings = testDataFile ("default-settings.vorlo25").getFullPathName();
    const auto hostile = scratch.write ("bomb.vorlo25", juce::String::repeatedString ("<a>", 5000)).getFullPathName();
    const auto missing = scratch.file ("missing.vorlo25").getFullPathName();
    const auto out = [&scratch] (const char* name) { return scratch.file (name).getFullPathName(); };
    const auto unwritable = scratch.file ("no such folder").getChildFile ("out").getFullPathName();

    struct Case
    {
        const char* outcome;
        juce::StringArray words;
        int exitCode;
        const char* expectedOutput; // a fixture the output must equal, if any
    };

    const Case cases[] = {
        { "defaults written", { "defaults", out ("d.vorlo25") }, 0, "default-settings.vorlo25" },
        { "chart written", { "chart", settings, out ("c.html") }, 0, "default-chart.html" },
        { "normalized", { "normalize", settings, out ("n.vorlo25") }, 0, "default-settings.vorlo25" },
        { "chart of a missing file", { "chart", missing, out ("c2.html") }, 1, nullptr },
        { "normalize a missing file", { "normalize", missing, out ("n2.vorlo25") }, 1, nullptr },
        { "defaults to an unwritable place", { "defaults", unwritable }, 1, nullptr },
        { "chart to an unwritable place", { "chart", settings, unwritable }, 1, nullptr },
        { "normalize to an unwritable place", { "normalize", settings, unwritable }, 1, nullptr },
        { "chart of a hostile file", { "chart", hostile, out ("c3.html") }, 1, nullptr },
        { "normalize a hostile file", { "normalize", hostile, out ("n3.vorlo25") }, 1, nullptr },
        { "defaults without OUT", { "defaults" }, 2, nullptr },
        { "chart without OUT", { "chart", settings }, 2, nullptr },
        { "normalize with one operand too many", { "normalize", settings, out ("n4"), out ("n5") }, 2, nullptr },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.outcome);
        std::ostringstream printed, err;
        ToolContext context { printed, err };

        EXPECT_EQ (runVorloctl (c.words, context), c.exitCode) << err.str();

        const auto output = juce::File (c.words[c.words.size() - 1]);
        if (c.exitCode == 0)
        {
            EXPECT_TRUE (err.str().empty());
            EXPECT_TRUE (sameFileContent (output, testDataFile (c.expectedOutput)));
        }
        else
        {
            EXPECT_THAT (err.str(), ::testing::StartsWith ("vorloctl " + c.words[0].toStdString() + ": "));
            if (c.exitCode == 1)
            {
                EXPECT_FALSE (output.exists()) << "nothing is written after a failure";
            }
        }
    }
}
