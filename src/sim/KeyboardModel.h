#pragma once

#include "JuceIncludes.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

// What a Vorlo keeps and how it answers its SysEx dialect, without any
// wire: one message in, the replies out. Written from the messages the editor
// and the keyboard exchange; the simulated keyboard puts it on virtual ports.
// Not thread-safe: its owner serialises calls.
class KeyboardModel
{
public:
    // Parameters 1 to 6 of one control: mode, channel, number, min/LSB,
    // max/MSB, option (index 0 unused).
    using ControlSetting = std::array<int, 7>;

    struct Settings
    {
        std::map<int, ControlSetting> controls;
        std::array<int, 12> globals {};
        std::array<int, 11> curves {};

        bool operator== (const Settings& other) const
        {
            return controls == other.controls && globals == other.globals && curves == other.curves;
        }
    };

    static constexpr int numPads = 8;
    static constexpr int firstPad = 0x70;
    static constexpr int numMemories = 8;

    // The keyboard as it leaves the factory.
    KeyboardModel();

    // Handles one message from the editor; returns what the keyboard answers.
    std::vector<juce::MidiMessage> receive (const juce::MidiMessage& message);

    // What a control sends when moved, as it is set up now: a note for the
    // note modes, pitch bend for the pitch-bend mode (value 0 to 127 scaled
    // to 14 bits), a controller otherwise; nothing for a control the
    // keyboard does not have.
    std::optional<juce::MidiMessage> messageWhenMoved (int id, int value) const;
    int globalChannel() const;

    Settings working;
    std::array<std::optional<Settings>, numMemories + 1> memories; // 1 to 8
    std::array<int, numPads> padGains {};
    std::array<int, numPads> storedPadGains {};
    std::map<int, int> itemValues; // parameter-0 values: LED states among them
    juce::String names[2];
    std::vector<int> memoryCommands05;

private:
    std::vector<juce::MidiMessage> answerRequest (int memory, int parameter, int item) const;
    void applyValue (int parameter, int item, int value);
    void applyNames (const juce::uint8* data, int size);
    void store (int memory);
};
