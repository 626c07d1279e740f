#pragma once

#include "calibration/PadCalibComponent.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/KeyboardRig.h"
#include "support/MessageLoop.h"
#include "support/Midi.h"
#include "support/ScriptedDialogs.h"

// A simulated keyboard that the manager already knows, with scripted dialogs.
// Tests with a keyboard that answers connect with the system clock, so that
// the blocking queries wait for real replies; tests with a silent one use the
// hand-driven clock, so that the time-outs pass at once.
class PadCalibrationRig : public KeyboardRig
{
protected:
    void setGains (std::array<int, KeyboardModel::numPads> gains)
    {
        keyboard.change (
            [gains] (KeyboardModel& k)
            {
                k.padGains = gains;
                k.storedPadGains = gains;
            });
    }

    std::array<int, KeyboardModel::numPads> storedGains() const
    {
        return keyboard.inspect ([] (const KeyboardModel& k) { return k.storedPadGains; });
    }

    // What the keyboard received after the first `skip` messages.
    std::vector<juce::MidiMessage> sentToKeyboardAfter (size_t skip) const
    {
        std::vector<juce::MidiMessage> messages;
        const auto sent = sentToKeyboard();
        for (size_t i = skip; i < sent.size(); ++i)
            messages.push_back (sent[i].message);
        return messages;
    }

    // The eight gains into the pad-gain memory, then the store into it.
    static std::vector<juce::MidiMessage> applyMessages (std::array<int, 8> gains)
    {
        std::vector<juce::MidiMessage> messages;
        for (int pad = 0; pad < 8; ++pad)
            messages.push_back (OrvaneMidiMessage49::createValue (0x34, 0x70 + pad, gains[(size_t) pad], 0x40));
        messages.push_back (OrvaneMidiMessage49::createStoreToMemory (0x40));
        return messages;
    }

    static std::vector<std::vector<int>> bytesOfAll (const std::vector<juce::MidiMessage>& messages)
    {
        std::vector<std::vector<int>> result;
        for (const auto& m : messages)
            result.push_back (bytesOf (m));
        return result;
    }

    ScriptedDialogs dialogs;
};
