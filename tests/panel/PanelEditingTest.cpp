#include "support/PanelRig.h"

#include <gmock/gmock.h>

class PanelEditing : public PanelRig
{
protected:
    void SetUp() override { createPanel(); }

    std::vector<bool> enabledModeItems() const
    {
        std::vector<bool> enabled;
        for (int i = 0; i < widgets().modeCombo->getNumItems(); ++i)
            enabled.push_back (widgets().modeCombo->isItemEnabled (i + 1));
        return enabled;
    }

    juce::ComboBox* visibleOptionBox() const
    {
        juce::ComboBox* visible = nullptr;
        int count = 0;
        for (auto* box : { widgets().toggleOptionCombo.get(), widgets().encodingOptionCombo.get(), widgets().nrpnOptionCombo.get(),
                           widgets().holdOptionCombo.get() })
            if (box->isVisible())
            {
                visible = box;
                ++count;
            }
        return count == 1 ? visible : nullptr;
    }
};

TEST_F (PanelEditing, PickingAControlShowsItsCachedAssignment)
{
    manager().setItemParam (2, 0x30, 4);
    manager().setItemParam (4, 0x30, 10);
    pick ("0x30");

    const auto& w = widgets();
    EXPECT_EQ (panel->getSelectedControl(), 0x30);
    EXPECT_EQ (w.controlNameBox->getText(), "1 - Volume");
    EXPECT_EQ (w.modeCombo->getText(), "Continuous");
    EXPECT_EQ (w.channelCombo->getText(), "5");
    EXPECT_EQ (w.ccNumberCombo->getText(), "7 - Channel Volume");
    EXPECT_EQ (w.minCombo->getText(), "10");
    EXPECT_EQ (w.maxCombo->getText(), "127");
    EXPECT_EQ (visibleOptionBox(), w.encodingOptionCombo.get());
    EXPECT_EQ (w.encodingOptionCombo->getText(), "Relative #1");

    // Pads, the second of each pair under the Shift widget too.
    pick ("0x7A");
    EXPECT_EQ (w.controlNameBox->getText(), "Pad #11");
    EXPECT_EQ (w.modeCombo->getText(), "Switched");
    EXPECT_EQ (visibleOptionBox(), w.toggleOptionCombo.get());
    EXPECT_EQ (w.toggleOptionCombo->getText(), "Gate");
}

TEST_F (PanelEditing, ALateNotificationFromTheUsersChoiceWritesNothingToTheNextControl)
{
    manager().setItemParam (1, 0x33, 2); // knob 9 a relative encoder
    pick ("0x30");
    // The user's choice is announced asynchronously; a pick comes first.
    widgets().channelCombo->setSelectedItemIndex (4, juce::sendNotificationAsync);
    widgets().modeCombo->setSelectedItemIndex (0, juce::sendNotificationAsync);
    pick ("0x33");

    EXPECT_EQ (manager().getItemParam (1, 0x33), 2);
    EXPECT_EQ (manager().getItemParam (2, 0x33), 0x41);
    EXPECT_EQ (manager().getItemParam (1, 0x30), 1);
}

TEST_F (PanelEditing, ValuesTheEditorOnlyAssumedShowGreyedUntilTheUserChoosesOne)
{
    pick ("0x30");
    const auto& w = widgets();
    EXPECT_TRUE (w.ccNumberCombo->isColourSpecified (juce::ComboBox::textColourId)) << "nothing read from a keyboard yet";
    EXPECT_THAT (w.ccNumberCombo->getTooltip().toStdString(), ::testing::HasSubstr ("Not read from the keyboard"));

    choose (*w.ccNumberCombo, 20);
    EXPECT_FALSE (w.ccNumberCombo->isColourSpecified (juce::ComboBox::textColourId)) << "the look's own text colour";
    EXPECT_EQ (w.ccNumberCombo->getTooltip(), "Midi control number assigned to the selected control");
    EXPECT_TRUE (w.channelCombo->isColourSpecified (juce::ComboBox::textColourId)) << "the other values are still a guess";
}

TEST_F (PanelEditing, AnOptionOnlyOneBoxHasShowsThereAndWritesNothingElsewhere)
{
    manager().setItemParam (6, 0x30, 3);
    pick ("0x30");

    const auto& w = widgets();
    EXPECT_EQ (w.encodingOptionCombo->getText(), "Relative #3");
    for (auto* box : { w.toggleOptionCombo.get(), w.nrpnOptionCombo.get(), w.holdOptionCombo.get() })
        EXPECT_EQ (box->getSelectedItemIndex(), -1);
    EXPECT_EQ (manager().getItemParam (6, 0x30), 3);

    // Any option box writes the option, visible or not.
    choose (*w.holdOptionCombo, 1);
    EXPECT_EQ (manager().getItemParam (6, 0x30), 1);
}

TEST_F (PanelEditing, TheGlobalChannelIsStoredAsSixtyFive)
{
    pick ("0x30");
    EXPECT_EQ (widgets().channelCombo->getText(), "Global");

    choose (*widgets().channelCombo, 3);
    EXPECT_EQ (manager().getItemParam (2, 0x30), 3);
    choose (*widgets().channelCombo, 16);
    EXPECT_EQ (manager().getItemParam (2, 0x30), 65);
}

TEST_F (PanelEditing, EveryBoxEditsTheCacheAndNothingIsSent)
{
    const auto& w = widgets();
    const auto output = ports.addOutput ("Synth");
    pick ("0x33");

    choose (*w.modeCombo, 2);
    choose (*w.ccNumberCombo, 20);
    choose (*w.minCombo, 5);
    choose (*w.maxCombo, 100);
    choose (*w.nrpnOptionCombo, 1);
    choose (*w.globalChannelCombo, 9);
    choose (*w.knobAccelCombo, 2);
    choose (*w.velCurveCombo, 3);
    choose (*w.padCurveCombo, 1);
    choose (*w.knobModeCombo, 1);
    choose (*w.memoryCombo, 5);

    EXPECT_EQ (manager().getItemSetting (0x33).mode, 4);
    EXPECT_EQ (visibleOptionBox(), w.nrpnOptionCombo.get());
    EXPECT_EQ (manager().getNumber (0x33), 20);
    EXPECT_EQ (manager().getItemParam (4, 0x33), 5);
    EXPECT_EQ (manager().getItemParam (5, 0x33), 100);
    EXPECT_EQ (manager().getItemParam (6, 0x33), 1);
    EXPECT_EQ (manager().getGlobal (6), 9);
    EXPECT_EQ (manager().getCurve (4), 2);
    EXPECT_EQ (manager().getCurve (1), 3);
    EXPECT_EQ (manager().getCurve (3), 1);
    EXPECT_EQ (manager().getGlobal (2), 127);
    EXPECT_TRUE (ports.getSentMessages (output).empty());
}

TEST_F (PanelEditing, BeforeAnyPickTheControlBoxesChangeNothing)
{
    const auto& w = widgets();
    for (auto* box : { w.modeCombo.get(), w.channelCombo.get(), w.ccNumberCombo.get(), w.minCombo.get(), w.maxCombo.get(),
                       w.toggleOptionCombo.get(), w.encodingOptionCombo.get() })
        choose (*box, 1);

    for (int id : { 0x30, 0x01, 0x70, 0x41 })
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (manager().getItemParam (p, id), OrvaneManager49 (ports, clock).getItemParam (p, id)) << p << " of " << id;
}

TEST_F (PanelEditing, PicksOfUnknownControlsAreIgnored)
{
    pick ("0x30");
    for (const char* message : { "Shift", "", "xyz", "0x99", "0x31" })
    {
        pick (message);
        EXPECT_EQ (panel->getSelectedControl(), 0x30) << message;
    }
    EXPECT_EQ (widgets().controlNameBox->getText(), "1 - Volume");
}

TEST_F (PanelEditing, OnlyTheModesAControlAllowsCanBePicked)
{
    using ::testing::ElementsAre;

    pick ("0x72"); // a pad
    EXPECT_THAT (enabledModeItems(), ElementsAre (true, false, false, true, true, true, true, false, false));

    pick ("0x41"); // the pitch strip
    EXPECT_THAT (enabledModeItems(), ElementsAre (true, false, false, false, false, false, false, true, false));

    pick ("0x40"); // the modulation strip
    EXPECT_THAT (enabledModeItems(), ElementsAre (true, true, true, false, false, false, false, false, true));

    pick ("0x20"); // an octave button
    EXPECT_THAT (enabledModeItems(), ElementsAre (true, false, false, false, false, false, false, false, false));
}
