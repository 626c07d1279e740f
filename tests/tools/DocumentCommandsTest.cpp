#include "vorloctl/Vorloctl.h"

#include "support/DocumentFiles.h"

#include <gmock/gmock.h>

#include <sstream>

#if ! JUCE_WINDOWS
 #include <sys/stat.h>
#endif

TEST (DocumentCommands, ExitCodesOfEachCommandForEachOutcome)
{
    ScratchFolder scratch;
    const auto settings = testDataFile ("default-settings.vorlo25").getFullPathName();
    const auto hostile = scratch.write ("bomb.vorlo25", juce::String::repeatedString ("<a>", 5000)).getFullPathName();
    const auto missing = scratch.file ("missing.vorlo25").getFullPathName();
    const auto outOfRange =
        scratch.write ("odd.vorlo25", "<Settings><Items><Item ID=\"48\" Mode=\"99\" Chan=\"200\" Num=\"300\"/></Items></Settings>")
            .getFullPathName();
    const auto page = scratch.write ("page.vorlo25", "<html><body/></html>").getFullPathName();
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
        { "chart of a value that fits no parameter", { "chart", outOfRange, out ("c4.html") }, 1, nullptr },
        { "normalize a value that fits no parameter", { "normalize", outOfRange, out ("n6.vorlo25") }, 1, nullptr },
        { "chart of a page", { "chart", page, out ("c5.html") }, 1, nullptr },
        { "normalize a page", { "normalize", page, out ("n7.vorlo25") }, 1, nullptr },
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

TEST (DocumentCommands, AReadOnlyOutputIsRefusedAndKeptWhileALinkIsWrittenThroughAndStays)
{
    ScratchFolder scratch;
    const auto settings = testDataFile ("default-settings.vorlo25").getFullPathName();
    const juce::String kept ("kept as it was");

    for (const auto& command :
         { juce::StringArray ("defaults"), juce::StringArray ("chart", settings), juce::StringArray ("normalize", settings) })
    {
        SCOPED_TRACE (command[0]);
        const auto fixture = testDataFile (command[0] == "chart" ? "default-chart.html" : "default-settings.vorlo25");
        std::ostringstream printed, err;
        ToolContext context { printed, err };
        const auto run = [&] (const juce::File& out)
        {
            err.str ({});
            auto words = command;
            words.add (out.getFullPathName());
            return runVorloctl (words, context);
        };

        // Read-only: even for the superuser, who could replace it through its folder.
        const auto readOnly = scratch.write (command[0] + "-read-only", kept);
        ASSERT_TRUE (readOnly.setReadOnly (true));
        EXPECT_EQ (run (readOnly), 1);
        EXPECT_EQ (err.str(),
                   "vorloctl " + command[0].toStdString() + ": " + readOnly.getFullPathName().toStdString()
                       + " was not written: it is read-only\n");
        EXPECT_EQ (readOnly.loadFileAsString(), kept);

        // A link, a link to a link, and a link to a file not there yet.
        const auto target = scratch.write (command[0] + "-target", kept);
        const auto link = scratch.file (command[0] + "-link");
        const auto linkToLink = scratch.file (command[0] + "-link-to-link");
        const auto newTarget = scratch.file (command[0] + "-new-target");
        const auto dangling = scratch.file (command[0] + "-dangling");
        ASSERT_TRUE (target.createSymbolicLink (link, false));
        ASSERT_TRUE (link.createSymbolicLink (linkToLink, false));
        ASSERT_TRUE (newTarget.createSymbolicLink (dangling, false));

        for (const auto& [out, reached] : { std::pair (link, target), std::pair (linkToLink, target), std::pair (dangling, newTarget) })
        {
            ASSERT_EQ (run (out), 0) << err.str();
            EXPECT_TRUE (out.isSymbolicLink()) << out.getFileName() << " was replaced by a file";
            EXPECT_TRUE (sameFileContent (reached, fixture)) << out.getFileName();
            ASSERT_TRUE (reached.replaceWithText (kept));
        }
    }
}

#if ! JUCE_WINDOWS
TEST (DocumentCommands, AReplacedOutputKeepsWhoMayReadIt)
{
    ScratchFolder scratch;
    const auto out = scratch.write ("private.vorlo25", "old");
    ASSERT_EQ (chmod (out.getFullPathName().toRawUTF8(), 0600), 0);

    std::ostringstream printed, err;
    ToolContext context { printed, err };
    ASSERT_EQ (runVorloctl ({ "defaults", out.getFullPathName() }, context), 0) << err.str();

    struct stat info;
    ASSERT_EQ (stat (out.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0600u);
}
#endif
