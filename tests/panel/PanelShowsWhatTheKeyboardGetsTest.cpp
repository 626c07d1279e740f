#include "documents/SettingsFile.h"
#include "link/ReadBackChain.h"
#include "support/DocumentFiles.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

// The editor against the simulated keyboard, end to end: what the boxes show
// is what the keyboard's memory gets, in the corners too.
class PanelShowsWhatTheKeyboardGets : public PanelRig
{
protected:
    using Widgets = KbdSettingComponentVorlo::Widgets;
    using BoxOf = std::unique_ptr<juce::ComboBox> Widgets::*;

    void readKeyboard() { PanelRig::readKeyboard (keyboard); }

    // Control id's values in the keyboard's memory; zeros when it holds none.
    KeyboardModel::ControlSetting inMemory (int memory, int id) const
    {
        return keyboard.inspect (
            [=] (const KeyboardModel& k)
            {
                const auto& stored = k.memories[(size_t) memory];
                return stored.has_value() ? stored->controls.at (id) : KeyboardModel::ControlSetting {};
            });
    }

    KeyboardModel::Settings onKeyboard() const
    {
        return keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
    }

    // The one option box on show, or nullptr when none or several are.
    juce::ComboBox* visibleOptionBox() const
    {
        juce::ComboBox* visible = nullptr;
        int count = 0;
        for (auto* box : optionBoxes())
            if (box->isVisible())
            {
                visible = box;
                ++count;
            }
        return count == 1 ? visible : nullptr;
    }

    std::array<juce::ComboBox*, 4> optionBoxes() const
    {
        const auto& w = widgets();
        return { w.toggleOptionCombo.get(), w.encodingOptionCombo.get(), w.nrpnOptionCombo.get(), w.holdOptionCombo.get() };
    }

    juce::ComboBox* box (BoxOf which) const { return which == nullptr ? nullptr : (widgets().*which).get(); }

    void setOnKeyboard (int id, int parameter, int value)
    {
        keyboard.change ([=] (KeyboardModel& k) { k.working.controls[id][(size_t) parameter] = value; });
    }

    // Closing the editor: whether it asked about unkept edits (answered
    // with Cancel, so that it stays open).
    bool closingAsks()
    {
        const int before = dialogs.countTitled ("Unsaved Changes");
        dialogs.answerChoice (0);
        const bool closes = panel->confirmQuit();
        const bool asked = dialogs.countTitled ("Unsaved Changes") > before;
        EXPECT_NE (closes, asked);
        return asked;
    }

    SimulatedKeyboard keyboard { ports };
    ScratchFolder scratch;
};

// A mode that none of the nine items stands for shows its own name, with the
// option box of the item it sits under, and nothing is written by looking.
TEST_F (PanelShowsWhatTheKeyboardGets, AModeNoItemStandsForShowsItsOwnNameAndLookingWritesNothing)
{
    const struct
    {
        int id, mode;
        const char* shown;
        BoxOf optionBox;
    } cases[] = {
        { 0x33, 2, "Rel. Control", &Widgets::encodingOptionCombo }, // the keyboard's own knob 9
        { 0x30, 3, "RPN", &Widgets::nrpnOptionCombo },
        { 0x01, 5, "Duration Ctl", nullptr },
        { 0x02, 6, "Kbd Preset", nullptr },
        { 0x70, 10, "Midi Note Gated", &Widgets::toggleOptionCombo },
        { 0x71, 13, "Mode 13", nullptr },
    };
    for (const auto& c : cases)
        setOnKeyboard (c.id, 1, c.mode);
    readKeyboard();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.shown);
        pick ("0x7F"); // a pad in "Switched" first: the mode box must not keep it
        pick (juce::String::toHexString (c.id));

        auto& mode = *widgets().modeCombo;
        EXPECT_EQ (mode.getText(), c.shown);
        EXPECT_EQ (mode.getSelectedItemIndex(), -1);
        EXPECT_THAT (mode.getTooltip().toStdString(), HasSubstr ("\"" + juce::String (c.shown).toStdString() + "\" (" + std::to_string (c.mode)));
        EXPECT_THAT (mode.getTooltip().toStdString(), ::testing::Not (HasSubstr ("Not read")));
        EXPECT_EQ (visibleOptionBox(), box (c.optionBox));
        EXPECT_EQ (manager().getItemParam (1, c.id), c.mode);
        EXPECT_EQ (manager().getCache().getItemSource (1, c.id), ValueSource::keyboard);
    }
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits());
}

// Choosing an item, or an option, for such a mode stores the mode the item
// shows with it: what the screen says is what the keyboard then does.
TEST_F (PanelShowsWhatTheKeyboardGets, ChoosingAnItemOrAnOptionForSuchAModeStoresTheItemsModeAndSendWritesIt)
{
    const struct
    {
        int id, mode;
        BoxOf chosenIn;
        int item, storedMode, storedOption;
    } cases[] = {
        { 0x33, 2, &Widgets::encodingOptionCombo, 0, 1, 0 }, // a relative knob made absolute
        { 0x30, 2, &Widgets::modeCombo, 1, 1, 1 },           // "Continuous" chosen: the option stays
        { 0x01, 3, &Widgets::nrpnOptionCombo, 0, 4, 0 },     // RPN, then "NRPN" chosen
        { 0x02, 2, &Widgets::encodingOptionCombo, 2, 1, 2 }, // relative, then "Relative #2"
        { 0x70, 10, &Widgets::toggleOptionCombo, 0, 9, 0 },  // gated note, then "Toggle"
        { 0x71, 5, &Widgets::modeCombo, 0, 0, 1 },           // "Off" for a duration control
    };
    for (const auto& c : cases)
        setOnKeyboard (c.id, 1, c.mode);
    readKeyboard();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        pick (juce::String::toHexString (c.id));
        choose (*box (c.chosenIn), c.item);
        EXPECT_EQ (manager().getItemParam (1, c.id), c.storedMode);
        EXPECT_EQ (widgets().modeCombo->getSelectedItemIndex(), ModeRules::modeToItemIndex (c.storedMode));
    }

    sendToMemory (2);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        EXPECT_EQ (inMemory (2, c.id)[1], c.storedMode);
        EXPECT_EQ (inMemory (2, c.id)[6], c.storedOption);
    }
}

// The option box is the one the control shown and its mode call for, not
// the one the control before it had.
TEST_F (PanelShowsWhatTheKeyboardGets, TheOptionBoxFollowsTheControlShown)
{
    const struct
    {
        const char* picked;
        BoxOf optionBox;
    } picks[] = {
        { "0x30", &Widgets::encodingOptionCombo }, // knob 1, continuous
        { "0x40", nullptr },                       // the modulation strip, continuous too, but no knob
        { "0x30", &Widgets::encodingOptionCombo },
        { "0x70", &Widgets::toggleOptionCombo }, // a pad playing notes
        { "0x71", &Widgets::toggleOptionCombo },
        { "0x41", &Widgets::holdOptionCombo }, // the pitch strip
        { "0x40", nullptr },
        { "0x33", &Widgets::encodingOptionCombo }, // knob 9, relative
    };
    readKeyboard();

    for (const auto& p : picks)
    {
        pick (p.picked);
        EXPECT_EQ (visibleOptionBox(), box (p.optionBox)) << p.picked;
    }

    // An option box that is not on show writes nothing the user could see:
    // after knob -> strip the strip has no encoding to edit.
    pick ("0x30");
    pick ("0x40");
    EXPECT_FALSE (widgets().encodingOptionCombo->isVisible());
}

// Send leaves the pitch strip to the keyboard: its boxes show its values
// but cannot be changed, and say why.
TEST_F (PanelShowsWhatTheKeyboardGets, ThePitchStripIsShownButCannotBeChangedSinceSendLeavesItAlone)
{
    readKeyboard();
    const auto& w = widgets();
    const std::vector<juce::ComboBox*> boxes { w.modeCombo.get(),      w.channelCombo.get(),        w.ccNumberCombo.get(),
                                               w.minCombo.get(),       w.maxCombo.get(),            w.toggleOptionCombo.get(),
                                               w.holdOptionCombo.get(), w.encodingOptionCombo.get(), w.nrpnOptionCombo.get() };

    pick ("0x41");
    EXPECT_EQ (w.modeCombo->getText(), "Pitch Bend");
    for (auto* b : boxes)
    {
        EXPECT_FALSE (b->isEnabled()) << b->getName();
        EXPECT_THAT (b->getTooltip().toStdString(), HasSubstr ("Send does not write it")) << b->getName();
    }

    pick ("0x30");
    for (auto* b : boxes)
    {
        EXPECT_TRUE (b->isEnabled()) << b->getName();
        EXPECT_THAT (b->getTooltip().toStdString(), ::testing::Not (HasSubstr ("Send does not write it"))) << b->getName();
    }

    sendToMemory (1);
    EXPECT_EQ (inMemory (1, 0x41), onKeyboard().controls.at (0x41));
}

// Only a load that put the file's values over every edit keeps them: a file
// that is refused, or applies none of them, leaves the question on closing.
TEST_F (PanelShowsWhatTheKeyboardGets, OnlyALoadThatReplacesTheEditsCountsAsKeepingThem)
{
    const struct
    {
        const char* kind;
        const char* text;
        bool loads, editsRemain;
    } cases[] = {
        { "a page", "<html><body><p>Gig</p></body></html>", false, true },
        { "an empty settings file", "<Settings/>", true, true },
        { "another control only", "<Settings><Items><Item ID=\"48\" Chan=\"2\"/></Items></Settings>", true, true },
        { "the edited value", "<Settings><Items><Item ID=\"1\" Chan=\"2\"/></Items></Settings>", true, false },
    };
    readKeyboard();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.kind);
        pick ("0x01");
        choose (*widgets().channelCombo, 6);
        ASSERT_TRUE (manager().getCache().hasUnkeptEdits());

        const auto file = scratch.write ("file.vorlo25", c.text);
        dialogs.forgetShown();
        dialogs.answerFile (file);
        widgets().loadButton->triggerClick();
        flushMessageLoop();

        EXPECT_EQ (dialogs.countTitled ("File Problem"), c.loads ? 0 : 1);
        if (! c.loads)
        {
            EXPECT_THAT (dialogs.getShown().back().text.toStdString(), HasSubstr ("\"" + file.getFullPathName().toStdString()
                                                                                  + "\" was not loaded: it is not a settings file"));
        }
        EXPECT_EQ (closingAsks(), c.editsRemain);
    }
}

// A read-back that stopped part-way leaves guesses in the editor. Saved,
// loaded in another session and sent, the file must leave everything the
// editor never had from the keyboard as the keyboard has it.
TEST_F (PanelShowsWhatTheKeyboardGets, AFileSavedFromAPartReadLeavesWhatWasNotReadToTheKeyboard)
{
    // The keyboard's own values, unlike the editor's guesses.
    keyboard.change (
        [] (KeyboardModel& k)
        {
            for (auto& [id, setting] : k.working.controls)
            {
                setting[2] = 3;
                setting[4] = 5;
                setting[5] = 100;
            }
            k.working.curves[1] = 2;
            k.working.curves[4] = 0;
        });
    const auto keyboardsOwn = onKeyboard();

    // The cable comes out after the modes were asked for.
    keyboard.unplugAfterReceiving (4);
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().isKeyboardDetected(); }));
    for (int poll = 0; poll < 10 && dialogs.countTitled ("Keyboard Problem") == 0; ++poll)
    {
        // Replies on their way arrive before the step's time runs out.
        ASSERT_TRUE (ports.waitUntilIdle());
        flushMessageLoop();
        clock.advance (ReadBackChain::stepTimeoutMs);
        panel->getFollower().poll();
        flushMessageLoop();
    }
    ASSERT_EQ (dialogs.countTitled ("Keyboard Problem"), 1);
    ASSERT_FALSE (manager().getCache().isAssumed (3, 0x30)) << "the numbers were read";
    ASSERT_TRUE (manager().getCache().isAssumed (5, 0x30)) << "the upper bounds were not";

    const auto file = scratch.file ("Part.vorlo25");
    dialogs.answerFile (file);
    ASSERT_TRUE (panel->saveSettingsAs());
    EXPECT_THAT (file.loadFileAsString().toStdString(), ::testing::Not (HasSubstr ("MaxMSB")));

    // Another session: the keyboard is read whole, then the file goes over it.
    panel.reset();
    keyboard.plugIn();
    readKeyboard();
    dialogs.answerFile (file);
    widgets().loadButton->triggerClick();
    flushMessageLoop();
    sendToMemory (3);

    ValueCache fromFile;
    fromFile.forgetEverything();
    ASSERT_TRUE (SettingsFile::load (fromFile, file).wasOk());
    for (const auto& [id, own] : keyboardsOwn.controls)
    {
        if (id == 0x41) // never sent
            continue;
        const auto stored = inMemory (3, id);
        for (int p = 1; p <= 6; ++p)
        {
            const bool inFile = ! fromFile.isAssumed (p, id);
            EXPECT_EQ (stored[(size_t) p], inFile ? fromFile.getItemParam (p, id) : own[(size_t) p]) << "parameter " << p << " of " << id;
        }
    }
    const auto memory3 = keyboard.inspect ([] (const KeyboardModel& k) { return *k.memories[3]; });
    for (const int curve : { 1, 3, 4 })
        EXPECT_EQ (memory3.curves[(size_t) curve], keyboardsOwn.curves[(size_t) curve]) << "curve " << curve;
}
