#pragma once

#include "panel/KbdSettingComponentVorlo.h"
#include "sim/SimulatedKeyboard.h"
#include "support/MessageLoop.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

// A settings panel on virtual ports, with scripted dialogs and a hand-driven
// clock: the detection tick comes only from tick(), and pacing costs nothing.
// Tests add ports or a simulated keyboard before createPanel().
class PanelRig : public ::testing::Test
{
protected:
    void TearDown() override
    {
        panel.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    KbdSettingComponentVorlo& createPanel()
    {
        panel = std::make_unique<KbdSettingComponentVorlo> (KbdSettingComponentVorlo::Services { ports, dialogs, clock });
        return *panel;
    }

    const KbdSettingComponentVorlo::Widgets& widgets() const { return panel->getWidgets(); }
    OrvaneManager49& manager() { return panel->getManager(); }

    // A click on the picture, as the picker announces it, and the
    // notifications it sets off.
    void pick (const juce::String& message)
    {
        panel->actionListenerCallback (message);
        flushMessageLoop();
    }

    // The user picks an item of a combo box.
    void choose (juce::ComboBox& comboBox, int itemIndex)
    {
        comboBox.setSelectedItemIndex (itemIndex, juce::sendNotificationAsync);
        flushMessageLoop();
    }

    // The read-back after detection is over: its last step switched the
    // keyboard's LEDs off.
    bool readBackFinished (const SimulatedKeyboard& keyboard) const
    {
        const bool ledsOff = keyboard.inspect (
            [] (const KeyboardModel& k)
            {
                for (int led = 99; led < 107; ++led)
                    if (k.itemValues.at (led) != 0)
                        return false;
                return true;
            });
        return ledsOff && ! panel->isReadingBack();
    }

    // The editor found the keyboard and read every setting from it.
    void readKeyboard (const SimulatedKeyboard& keyboard)
    {
        createPanel();
        ASSERT_TRUE (runMessageLoopUntil ([&] { return readBackFinished (keyboard); }));
        // The boxes' refresh after the last reply may still be queued: a
        // choice made before it ran would be shown over by it.
        flushMessageLoop();
        tick(); // the inputs close: sending needs none
    }

    // "Send to Keyboard" into a memory, and everything arrived.
    void sendToMemory (int memory)
    {
        choose (*panel->getWidgets().memoryCombo, memory - 1);
        panel->getWidgets().sendButton->triggerClick();
        flushMessageLoop();
        ASSERT_TRUE (ports.waitUntilIdle());
    }

    void tick()
    {
        clock.advance (OrvaneManager49::probeIntervalMs);
        manager().timerCallback();
    }

    VirtualMidiPorts ports;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<KbdSettingComponentVorlo> panel;
};
