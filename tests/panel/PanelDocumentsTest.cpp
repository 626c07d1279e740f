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

TEST_F (PanelDocuments, SaveUnderATxtNameWritesVorlo25AndKeepsTheEdits)
{
    createPanelWithoutKeyboard();
    manager().setItemParam (3, 0x30, 11);
    ASSERT_TRUE (manager().getCache().hasUnkeptEdits());
    dialogs.answerFile (scratch.file ("Gig.txt"));

    EXPECT_TRUE (panel->saveSettingsAs());

    EXPECT_FALSE (scratch.file ("Gig.txt").exists());
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

TEST_F (PanelDocuments, OverwriteWarningCoversTheFileActuallyWrittenNotTheNameTyped)
{
    createPanelWithoutKeyboard();
    const auto existing = scratch.write ("Gig v1.vorlo25", "last week's settings");

    dialogs.answerFile (scratch.file ("Gig v1.2"));
    dialogs.answerOk (false);
    EXPECT_FALSE (panel->saveSettingsAs());
    EXPECT_EQ (existing.loadFileAsString(), "last week's settings");
    ASSERT_EQ (dialogs.countTitled ("File Already Exists"), 1);
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), HasSubstr ("\"Gig v1.vorlo25\" already exists"));

    dialogs.answerFile (scratch.file ("Gig v1.2"));
    dialogs.answerOk (true);
    EXPECT_TRUE (panel->saveSettingsAs());
    EXPECT_THAT (existing.loadFileAsString().toStdString(), HasSubstr ("<Settings>"));

    dialogs.forgetShown();
    dialogs.answerFile (scratch.file ("New gig.vorlo25"));
    EXPECT_TRUE (panel->saveSettingsAs());
    EXPECT_EQ (dialogs.countTitled ("File Already Exists"), 0) << "a new file needs no question";
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

TEST_F (PanelDocuments, OutOfRangeValuesFromAFileNeverReachTheWire)
{
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    readKeyboard();
    const auto file = scratch.write ("odd.vorlo25",
                                     "<Settings><Items><Item ID=\"48\" Mode=\"-5\" Chan=\"300\" Num=\"200\" MinLSB=\"-1\" "
                                     "MaxMSB=\"1000\" Option=\"32767\"/></Items><Globals><Param ID=\"6\" "
                                     "Value=\"-1\"/><Param ID=\"3\" Value=\"-2\"/></Globals></Settings>");
    dialogs.answerFile (file);
    click (*widgets().loadButton);
    click (*widgets().sendButton);
    ASSERT_TRUE (ports.waitUntilIdle());

    for (const auto& m : keyboard->getReceivedMessages())
        EXPECT_TRUE (OrvaneMidiMessage49 (m).hasOnlySevenBitData());
    EXPECT_EQ (keyboard->inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x30)[3]; }), 127);
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

TEST_F (PanelDocuments, TheHiddenChartButtonWritesAnHtmlChartAfterTheSameQuestions)
{
    createPanelWithoutKeyboard();
    EXPECT_FALSE (widgets().chartButton->isVisible());
    manager().getCache().setGlobal (3, -2, ValueSource::keyboard);
    scratch.write ("Chart.html", "old chart");
    dialogs.answerFile (scratch.file ("Chart.htm"));
    dialogs.answerOk (true);

    click (*widgets().chartButton);

    EXPECT_EQ (dialogs.countTitled ("File Already Exists"), 1);
    EXPECT_EQ (dialogs.getShown().front().title, "Please select the chart file...");
    EXPECT_EQ (dialogs.getShown().front().text, "*.html");
    EXPECT_THAT (scratch.file ("Chart.html").loadFileAsString().toStdString(), HasSubstr ("<td>-2</td>"));
}
