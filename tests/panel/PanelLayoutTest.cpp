#include "pickers/QLookAndFeel.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

using PanelLayout = PanelRig;

TEST_F (PanelLayout, ConstructionGivesTheWidgetsInTheirPlaces)
{
    createPanel();
    const auto& w = widgets();

    struct Combo
    {
        const char* member;
        juce::ComboBox* box;
        juce::Rectangle<int> bounds;
        int items;
        const char *first, *last, *tooltip;
    };
    const Combo combos[] = {
        { "ccNumberCombo",
          w.ccNumberCombo.get(),
          { 509, 64, 180, 24 },
          128,
          "0 - Bank Select MSB",
          "127 - Poly Mode On",
          "Midi control number assigned to the selected control" },
        { "modeCombo", w.modeCombo.get(), { 509, 32, 90, 24 }, 9, "Off", "Aftertouch", "Mode assigned to the selected control" },
        { "channelCombo", w.channelCombo.get(), { 317, 64, 100, 24 }, 17, "1", "Global", "Midi channel assigned to the selected control" },
        { "maxCombo", w.maxCombo.get(), { 509, 96, 100, 24 }, 128, "0", "127", "Max value (or MSB) set for the selected control" },
        { "minCombo", w.minCombo.get(), { 317, 96, 100, 24 }, 128, "0", "127", "Min value (or LSB) set for the selected control" },
        { "globalChannelCombo", w.globalChannelCombo.get(), { 113, 32, 88, 24 }, 16, "1", "16", "" },
        { "memoryCombo", w.memoryCombo.get(), { 760, 38, 39, 24 }, 8, "1", "8", "Memory number targeted" },
        { "knobAccelCombo", w.knobAccelCombo.get(), { 113, 96, 88, 24 }, 3, "Slow (off)", "Fast", "" },
        { "velCurveCombo", w.velCurveCombo.get(), { 113, 128, 88, 24 }, 4, "Linear", "Full", "" },
        { "padCurveCombo", w.padCurveCombo.get(), { 113, 64, 88, 24 }, 4, "Linear", "Full", "Sets the pad velocity curve (for all pads)" },
        { "toggleOptionCombo",
          w.toggleOptionCombo.get(),
          { 599, 32, 90, 24 },
          2,
          "Toggle",
          "Gate",
          "States if control toggles when pressed or reacts at both press and release" },
        { "encodingOptionCombo",
          w.encodingOptionCombo.get(),
          { 599, 32, 90, 24 },
          4,
          "Absolute",
          "Relative #3",
          "States the encoding scheme used for control messages" },
        { "nrpnOptionCombo",
          w.nrpnOptionCombo.get(),
          { 599, 32, 90, 24 },
          2,
          "NRPN",
          "RPN",
          "States the kind of control messages generated (NRPN vs. RPN)" },
        { "holdOptionCombo",
          w.holdOptionCombo.get(),
          { 599, 32, 90, 24 },
          2,
          "Standard",
          "Hold",
          "States if the auto-returns to 0 (standard) or else holds the value (hold)" },
    };
    for (const auto& c : combos)
    {
        SCOPED_TRACE (c.member);
        EXPECT_EQ (c.box->getBounds(), c.bounds);
        EXPECT_TRUE (c.box->isVisible());
        ASSERT_EQ (c.box->getNumItems(), c.items);
        EXPECT_EQ (c.box->getItemText (0), c.first);
        EXPECT_EQ (c.box->getItemText (c.items - 1), c.last);
        EXPECT_EQ (c.box->getItemId (0), 1);
        EXPECT_EQ (c.box->getTooltip(), c.tooltip);
    }

    EXPECT_EQ (w.ccNumberCombo->getItemText (7), "7 - Channel Volume");
    EXPECT_EQ (w.ccNumberCombo->getItemText (98), "98 - NRPN - LSB");
    EXPECT_EQ (w.ccNumberCombo->getItemText (3), "3 - Undefined");
    EXPECT_EQ (w.channelCombo->getItemId (16), 17);
    EXPECT_EQ (w.memoryCombo->getSelectedItemIndex(), 0) << "memory 1 is targeted from the start";
    EXPECT_EQ (w.modeCombo->getSelectedItemIndex(), -1);
    EXPECT_EQ (w.globalChannelCombo->getJustificationType(), juce::Justification::centredRight);

    struct Other
    {
        const char* member;
        juce::Component* component;
        juce::Rectangle<int> bounds;
        bool visible;
    };
    const Other others[] = {
        { "globalGroup", w.globalGroup.get(), { 16, 8, 203, 155 }, true },
        { "selectedGroup", w.selectedGroup.get(), { 225, 8, 479, 124 }, true },
        { "picker", w.picker.get(), { 9, 165, 800, 378 }, true },
        { "sendButton", w.sendButton.get(), { 712, 16, 96, 22 }, true },
        { "padsButton", w.padsButton.get(), { 558, 352, 51, 24 }, true },
        { "firmwareButton", w.firmwareButton.get(), { 511, 137, 96, 22 }, true },
        { "chartButton", w.chartButton.get(), { 712, 137, 96, 22 }, true },
        { "knobModeLabel", w.knobModeLabel.get(), { 23, 64, 88, 24 }, false },
        { "knobModeCombo", w.knobModeCombo.get(), { 113, 64, 88, 24 }, false },
        { "padCurveLabel", w.padCurveLabel.get(), { 23, 64, 88, 24 }, true },
        { "controlNameBox", w.controlNameBox.get(), { 240, 32, 177, 24 }, true },
        { "firmwareRevisionBox", w.firmwareRevisionBox.get(), { 368, 135, 133, 24 }, true },
        { "changesLabel", w.changesLabel.get(), { 612, 137, 96, 22 }, true },
    };
    for (const auto& o : others)
    {
        EXPECT_EQ (o.component->getBounds(), o.bounds) << o.member;
        EXPECT_EQ (o.component->isVisible(), o.visible) << o.member;
    }

    EXPECT_EQ (w.controlNameBox->getText(), "<Click a Control>");
    EXPECT_EQ (w.firmwareRevisionBox->getText(), "Not detected yet");
    EXPECT_EQ (w.padsButton->getTooltip(), "Opens the pad calibration page");
    EXPECT_EQ (w.sendButton->getButtonText(), "Send to Keyboard");
    EXPECT_EQ (w.changesLabel->getText(), "") << "nothing changed yet";
    EXPECT_EQ (panel->getNumChildComponents(), 41) << "the widgets and the hidden notice bubble";
    EXPECT_FALSE (w.notice->isVisible());
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, 0, 816, 545));
}

TEST_F (PanelLayout, TheFourOptionBoxesAreStackedWithHoldOnTop)
{
    createPanel();
    const auto& w = widgets();

    const int holdIndex = panel->getIndexOfChildComponent (w.holdOptionCombo.get());
    for (auto* below : { w.toggleOptionCombo.get(), w.encodingOptionCombo.get(), w.nrpnOptionCombo.get() })
        EXPECT_LT (panel->getIndexOfChildComponent (below), holdIndex);

    // The pads button is drawn above the picture and takes the clicks there.
    panel->setVisible (true);
    EXPECT_GT (panel->getIndexOfChildComponent (w.padsButton.get()), panel->getIndexOfChildComponent (w.picker.get()));
    const auto takesClickAt = [this] (juce::Component& c, int x, int y)
    {
        auto* hit = panel->getComponentAt (x, y);
        return hit == &c || c.isParentOf (hit);
    };
    EXPECT_TRUE (takesClickAt (*w.holdOptionCombo, 600, 40));
    EXPECT_TRUE (takesClickAt (*w.padsButton, 580, 360));
}

TEST_F (PanelLayout, ResizingMovesNothing)
{
    createPanel().setSize (1000, 700);
    EXPECT_EQ (widgets().sendButton->getBounds(), juce::Rectangle<int> (712, 16, 96, 22));
    EXPECT_EQ (widgets().picker->getBounds(), juce::Rectangle<int> (9, 165, 800, 378));
}

TEST_F (PanelLayout, EveryButtonAndLabelReadsAtItsSizeInTheEditorsTypeface)
{
    QLookAndFeel lookAndFeel;
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    juce::Typeface::clearTypefaceCache();
    createPanel();

    // A text is drawn at its font's height as long as squeezing it to this
    // much of its width makes it fit; beyond that it would shrink.
    constexpr float readableSqueeze = 0.8f;

    for (auto* child : panel->getChildren())
    {
        if (auto* button = dynamic_cast<juce::TextButton*> (child))
        {
            const auto font = lookAndFeel.getTextButtonFont (*button, button->getHeight()).boldened();
            const auto available = (float) (button->getWidth() - 2 * (juce::roundToInt (font.getHeight() * 0.6f) / 2));
            EXPECT_LE (font.getStringWidthFloat (button->getButtonText()) * readableSqueeze, available) << button->getButtonText();
        }
        else if (auto* label = dynamic_cast<juce::Label*> (child))
        {
            const auto available = (float) label->getBorderSize().subtractedFrom (label->getLocalBounds()).getWidth();
            EXPECT_LE (label->getFont().getStringWidthFloat (label->getText()) * readableSqueeze, available) << label->getText();
        }
    }

    panel.reset();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}
