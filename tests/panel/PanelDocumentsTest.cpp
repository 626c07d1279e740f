#include "documents/SettingsFile.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/DocumentFiles.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

// "Load...", "Save..." and "Chart..." through the dialog seam, against the
// simulated keyboard where one is needed.
class PanelDocuments : public PanelRig
{
protected:
    // A panel that found no keyboard, its alert about that dismissed.
    void createPanelWithoutKeyboard()
    {
        createPanel();
        tick();
        tick();
        flushMessageLoop();
        dialogs.forgetShown();
    }

    void readKeyboard()
    {
        createPanel();
        ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (*keyboard); }));
        tick(); // the inputs close: sending needs none
    }

    void click (juce::Button& button)
    {
        button.triggerClick();
        flushMessageLoop();
    }

    // A settings file unlike both the defaults and the simulated keyboard's
    // factory state: every control on another number, channel 4 and its own
    // range; global channel 5, octave shift -2, other curves.
    juce::File writeGigFile (const juce::String& name = "Gig.vorlo25")
    {
        ValueCache gig;
        gig.applyDefaultValues();
        for (const int id : gig.getControlsWithNumber())
        {
            gig.setItemParam (3, id, (gig.getItemParam (3, id) + 5) % 128);
            gig.setItemParam (2, id, 3);
            gig.setItemParam (4, id, 2);
            gig.setItemParam (5, id, 120);
        }
        gig.setItemParam (3, 0x30, 10);
        gig.setGlobal (6, 4);
        gig.setGlobal (3, -2);
        gig.setCurve (4, 1);
        gig.setCurve (1, 2);
        gig.setCurve (3, 1);
        const auto file = scratch.file (name);
        EXPECT_TRUE (SettingsFile::save (gig, file).wasOk());
        return file;
    }

    ScratchFolder scratch;
    std::unique_ptr<SimulatedKeyboard> keyboard;
};

TEST_F (PanelDocuments, SaveKeepsTheEditsAndAsksWhereFromTheDocumentsFolder)
{
    createPanelWithoutKeyboard();
    manager().setItemParam (3, 0x30, 11);
    ASSERT_TRUE (manager().getCache().hasUnkeptEdits());
    dialogs.answerFile (scratch.file ("Gig.vorlo25"));

    EXPECT_TRUE (panel->saveSettingsAs());

    ValueCache saved;
    ASSERT_TRUE (SettingsFile::load (saved, scratch.file ("Gig.vorlo25")).wasOk());
    EXPECT_EQ (saved.getItemParam (3, 0x30), 11);
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits());

    const auto chooser = dialogs.getShown().front();
    EXPECT_EQ (chooser.title, "Please select the settings file where to save...");
    EXPECT_EQ (chooser.text, "*.vorlo25");
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    EXPECT_EQ (chooser.startIn, documents.isDirectory() ? documents : juce::File::getSpecialLocation (juce::File::userHomeDirectory));
    EXPECT_EQ (widgets().notice->getText(), "Saved as Gig.vorlo25");
}

// The extension is added to the name typed unless it already ends in it: a
// dot in the name is the user's, and the question about replacing a file
// names the file that would be written.
TEST_F (PanelDocuments, TheExtensionIsAddedToTheNameTypedNeverSwappedIn)
{
    const struct
    {
        const char* typed;
        const char* written;
        bool chart;
    } cases[] = {
        { "Gig v1.2", "Gig v1.2.vorlo25", false },  { "Set 2.0", "Set 2.0.vorlo25", false }, { "Gig.txt", "Gig.txt.vorlo25", false },
        { "Gig.vorlo25", "Gig.vorlo25", false },    { "Gig.VORLO25", "Gig.VORLO25", false }, { "Chart v1.2", "Chart v1.2.html", true },
        { "Chart.htm", "Chart.htm.html", true },    { "Chart.html", "Chart.html", true },
    };

    createPanelWithoutKeyboard();
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.typed);
        const ScratchFolder folder;
        auto& button = c.chart ? *widgets().chartButton : *widgets().saveButton;
        // The name made by swapping the extension in, where that differs: its
        // file is not the one the user meant and stays as it is.
        const auto swapped = folder.file (c.typed).withFileExtension (c.chart ? "html" : "vorlo25");
        const bool swapDiffers = swapped.getFileName() != c.written;
        if (swapDiffers)
            swapped.replaceWithText ("kept");
        dialogs.forgetShown();
        dialogs.answerFile (folder.file (c.typed));
        click (button);

        EXPECT_EQ (dialogs.countTitled ("File Already Exists"), 0);
        EXPECT_THAT (folder.file (c.written).loadFileAsString().toStdString(), HasSubstr (c.chart ? "<html" : "<Settings>"));
        EXPECT_TRUE (! swapDiffers || swapped.loadFileAsString() == "kept");

        // Again: now the question names the file written.
        dialogs.forgetShown();
        dialogs.answerFile (folder.file (c.typed));
        dialogs.answerOk (false);
        click (button);
        ASSERT_EQ (dialogs.countTitled ("File Already Exists"), 1);
        EXPECT_THAT (dialogs.getShown().back().text.toStdString(), HasSubstr ("\"" + juce::String (c.written).toStdString() + "\" already exists"));
    }
}

TEST_F (PanelDocuments, LoadWithAControlSelectedShowsItsLoadedValuesAndWritesNothingBack)
{
    createPanelWithoutKeyboard();
    pick ("0x30");
    ASSERT_EQ (widgets().ccNumberCombo->getText(), "7 - Channel Volume");
    dialogs.answerFile (writeGigFile());

    click (*widgets().loadButton);

    EXPECT_EQ (widgets().ccNumberCombo->getText(), "10 - Pan");
    EXPECT_EQ (widgets().channelCombo->getText(), "4");
    EXPECT_EQ (widgets().globalChannelCombo->getText(), "5");
    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ (manager().getCache().getItemSource (p, 0x30), ValueSource::file) << "showing wrote parameter " << p << " back";
    EXPECT_EQ (manager().getCache().getGlobalSource (6), ValueSource::file);
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits());
}

TEST_F (PanelDocuments, LoadWithoutAKeyboardSaysTheFileWasLoadedAndNothingElse)
{
    createPanelWithoutKeyboard();
    dialogs.answerFile (writeGigFile());

    click (*widgets().loadButton);

    ASSERT_EQ (dialogs.getShown().size(), 1u) << "the file chooser, and no alert";
    EXPECT_EQ (dialogs.getShown().front().title, "Please select the settings file you want to load...");
    EXPECT_EQ (dialogs.getShown().front().text, "*.vorlo25");
    EXPECT_EQ (widgets().notice->getText(), "Loaded Gig.vorlo25");
    EXPECT_TRUE (widgets().notice->isVisible());
    EXPECT_EQ (manager().getGlobal (3), -2);
}

TEST_F (PanelDocuments, LoadThenSendToMemory8LeavesMemory8EqualToTheFile)
{
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    readKeyboard();
    const auto file = writeGigFile();
    dialogs.answerFile (file);
    click (*widgets().loadButton);

    choose (*widgets().memoryCombo, 7);
    click (*widgets().sendButton);
    ASSERT_TRUE (ports.waitUntilIdle());

    ValueCache expected;
    ASSERT_TRUE (SettingsFile::load (expected, file).wasOk());
    const auto memory8 = keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[8]; });
    ASSERT_TRUE (memory8.has_value());
    ASSERT_GT (memory8->controls.size(), 30u);
    for (const auto& [id, setting] : memory8->controls)
    {
        if (id == 0x41) // the pitch strip is never sent
            continue;
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (setting[(size_t) p], expected.getItemParam (p, id)) << "parameter " << p << " of " << id;
    }
    EXPECT_EQ (memory8->globals[6], 4);
    EXPECT_EQ (memory8->curves[4], 1);
    EXPECT_EQ (memory8->curves[1], 2);
    EXPECT_EQ (memory8->curves[3], 1);
    EXPECT_EQ (widgets().notice->getText(), "Stored in memory 8");
}

TEST_F (PanelDocuments, ASaveAfterReadingHoldsNoGuessesSoLoadAndSendLeaveTheOctaveButtonsAlone)
{
    // The keyboard does not report its octave buttons: the editor only guesses them.
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    keyboard->change ([] (KeyboardModel& k) { k.working.controls[0x20][3] = 50; });
    readKeyboard();
    const auto file = scratch.file ("Read.vorlo25");
    dialogs.answerFile (file);
    ASSERT_TRUE (panel->saveSettingsAs());
    EXPECT_THAT (file.loadFileAsString().toStdString(), ::testing::Not (HasSubstr ("ID=\"32\"")));

    dialogs.answerFile (file);
    click (*widgets().loadButton);
    click (*widgets().sendButton);
    ASSERT_TRUE (ports.waitUntilIdle());

    EXPECT_EQ (keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x20)[3]; }), 50);
    EXPECT_EQ (keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x30)[3]; }), 10)
        << "what was read is in the file and goes back as it was";
}

// A value that fits no parameter refuses the whole file, with the control
// and the value named: nothing of it reaches the editor or the keyboard.
TEST_F (PanelDocuments, AFileWithAValueThatFitsNoParameterIsRefusedWholeAndSendWritesOnlyWhatTheEditorHeld)
{
    const struct
    {
        const char* items;
        const char* reason;
    } cases[] = {
        { "<Item ID=\"48\" Mode=\"99\" Chan=\"200\" Num=\"300\"/>", "knob 1: mode 99 is not a mode" },
        { "<Item ID=\"1\" Num=\"20\"/><Item ID=\"48\" Mode=\"-5\"/>", "knob 1: mode -5 is not a mode" },
        { "<Item ID=\"48\" Chan=\"300\"/>", "knob 1: channel 300 is not a channel (0 to 15, or 65 for the global channel)" },
        { "<Item ID=\"112\" Num=\"200\"/>", "pad 1: number 200 is not a number from 0 to 127" },
        { "<Item ID=\"48\" Option=\"32767\"/>", "knob 1: option 32767 is not an option from 0 to 127" },
    };

    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    readKeyboard();
    pick ("0x01");
    choose (*widgets().channelCombo, 4);
    const auto before = SettingsFile::toText (manager().getCache());

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.reason);
        const auto file = scratch.write ("odd.vorlo25", "<Settings><Items>" + juce::String (c.items) + "</Items></Settings>");
        dialogs.forgetShown();
        dialogs.answerFile (file);
        click (*widgets().loadButton);

        ASSERT_EQ (dialogs.countTitled ("File Problem"), 1);
        EXPECT_EQ (dialogs.getShown().back().text, "The settings file \"" + file.getFullPathName() + "\" was not loaded: " + c.reason
                                                       + ". Nothing in the editor was changed.");
        EXPECT_EQ (SettingsFile::toText (manager().getCache()), before);
        EXPECT_TRUE (manager().getCache().hasUnkeptEdits()) << "the edit of knob 2 is still to be kept";
    }

    dialogs.forgetShown();
    click (*widgets().sendButton);
    ASSERT_TRUE (ports.waitUntilIdle());
    for (const auto& m : keyboard->getReceivedMessages())
        EXPECT_TRUE (OrvaneMidiMessage49 (m).hasOnlySevenBitData());
    const auto knob1 = keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x30); });
    const auto working = keyboard->inspect ([] (const KeyboardModel& k) { return k.working.controls.at (0x30); });
    EXPECT_EQ (knob1, working) << "knob 1 as the keyboard had it";
    EXPECT_EQ (keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x01)[2]; }), 4);
    EXPECT_EQ (widgets().notice->getText(), "Stored in memory 1");
}

TEST_F (PanelDocuments, AGlobalThatFitsNoDataByteIsLoadedButNeverSent)
{
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    readKeyboard();
    dialogs.answerFile (
        scratch.write ("odd.vorlo25", "<Settings><Globals><Param ID=\"6\" Value=\"-1\"/><Param ID=\"3\" Value=\"-2\"/></Globals></Settings>"));
    click (*widgets().loadButton);
    click (*widgets().sendButton);
    ASSERT_TRUE (ports.waitUntilIdle());

    for (const auto& m : keyboard->getReceivedMessages())
        EXPECT_TRUE (OrvaneMidiMessage49 (m).hasOnlySevenBitData());
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), HasSubstr ("global 6 (-1)"));
}

TEST_F (PanelDocuments, ASaveThatCannotBeWrittenShowsWhyAndLeavesTheOldFile)
{
    createPanelWithoutKeyboard();
    const auto existing = scratch.write ("Gig.vorlo25", "last week's settings");
    dialogs.answerFile (existing);
    dialogs.answerOk (true);

    bool saved = true;
    {
        const FileSizeLimit diskFull (64);
        saved = panel->saveSettingsAs();
    }

    EXPECT_FALSE (saved);
    EXPECT_EQ (existing.loadFileAsString(), "last week's settings");
    ASSERT_EQ (dialogs.countTitled ("File Problem"), 1);
    const auto text = dialogs.getShown().back().text.toStdString();
    EXPECT_THAT (text, HasSubstr ("The settings were not saved to \"" + existing.getFullPathName().toStdString() + "\": writing failed"));
    EXPECT_THAT (text, HasSubstr ("Any file that was there is unchanged."));
    EXPECT_FALSE (widgets().notice->isVisible());
}

TEST_F (PanelDocuments, SaveAndChartRefuseAReadOnlyFileAndWriteThroughALink)
{
    createPanelWithoutKeyboard();
    const juce::String kept ("kept as it was");

    for (auto* button : { widgets().saveButton.get(), widgets().chartButton.get() })
    {
        const bool chart = button == widgets().chartButton.get();
        const juce::String extension = chart ? ".html" : ".vorlo25";
        SCOPED_TRACE (extension);

        const auto readOnly = scratch.write ("read-only" + extension, kept);
        ASSERT_TRUE (readOnly.setReadOnly (true));
        dialogs.forgetShown();
        dialogs.answerFile (readOnly);
        dialogs.answerOk (true);
        click (*button);

        EXPECT_EQ (readOnly.loadFileAsString(), kept);
        ASSERT_EQ (dialogs.countTitled ("File Problem"), 1);
        EXPECT_THAT (dialogs.getShown().back().text.toStdString(),
                     HasSubstr ("\"" + readOnly.getFullPathName().toStdString() + "\": it is read-only"));

        const auto target = scratch.write ("target" + extension, kept);
        const auto link = scratch.file ("link" + extension);
        ASSERT_TRUE (target.createSymbolicLink (link, false));
        dialogs.forgetShown();
        dialogs.answerFile (link);
        dialogs.answerOk (true);
        click (*button);

        EXPECT_EQ (dialogs.countTitled ("File Problem"), 0);
        EXPECT_TRUE (link.isSymbolicLink());
        EXPECT_THAT (target.loadFileAsString().toStdString(), HasSubstr (chart ? "<html" : "<Settings"));
    }
}

TEST_F (PanelDocuments, AFileThatIsNotLoadedSaysWhyAndChangesNothing)
{
    createPanelWithoutKeyboard();
    const auto before = SettingsFile::toText (manager().getCache());
    const auto file = scratch.write ("bomb.vorlo25", "<!DOCTYPE x [<!ENTITY a \"&a;&a;\">]><Settings a=\"&a;\"/>");
    dialogs.answerFile (file);

    click (*widgets().loadButton);

    ASSERT_EQ (dialogs.countTitled ("File Problem"), 1);
    EXPECT_EQ (dialogs.getShown().back().text,
               "The settings file \"" + file.getFullPathName()
                   + "\" was not loaded: it contains a document type declaration, which settings "
                     "files never have. Nothing in the editor was changed.");
    EXPECT_EQ (SettingsFile::toText (manager().getCache()), before);
}

TEST_F (PanelDocuments, TheChartButtonWritesAnHtmlChartAfterTheSameQuestions)
{
    createPanelWithoutKeyboard();
    EXPECT_TRUE (widgets().chartButton->isVisible());
    EXPECT_THAT (widgets().chartButton->getTooltip().toStdString(), HasSubstr ("chart"));
    manager().getCache().setGlobal (3, -2, ValueSource::keyboard);
    scratch.write ("Chart.html", "old chart");
    dialogs.answerFile (scratch.file ("Chart"));
    dialogs.answerOk (true);

    click (*widgets().chartButton);

    EXPECT_EQ (dialogs.countTitled ("File Already Exists"), 1);
    EXPECT_EQ (dialogs.getShown().front().title, "Please select the chart file...");
    EXPECT_EQ (dialogs.getShown().front().text, "*.html");
    EXPECT_THAT (scratch.file ("Chart.html").loadFileAsString().toStdString(), HasSubstr ("<td>-2</td>"));
}
