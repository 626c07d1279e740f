#include "panel/ControllerNames.h"

namespace
{
// The MIDI 1.0 control change table, by controller number.
const char* const controllerNames[128] = {
    "Bank Select MSB",                  // 0
    "Modulation Wheel",                 // 1
    "Breath Controller",                // 2
    "Undefined",                        // 3
    "Foot Controller",                  // 4
    "Portamento Time",                  // 5
    "Data Entry MSB",                   // 6
    "Channel Volume",                   // 7
    "Balance",                          // 8
    "Undefined",                        // 9
    "Pan",                              // 10
    "Expression Controller",            // 11
    "Effect Control 1",                 // 12
    "Effect Control 2",                 // 13
    "Undefined",                        // 14
    "Undefined",                        // 15
    "General Purpose Controller 1",     // 16
    "General Purpose Controller 2",     // 17
    "General Purpose Controller 3",     // 18
    "General Purpose Controller 4",     // 19
    "Undefined",                        // 20
    "Undefined",                        // 21
    "Undefined",                        // 22
    "Undefined",                        // 23
    "Undefined",                        // 24
    "Undefined",                        // 25
    "Undefined",                        // 26
    "Undefined",                        // 27
    "Undefined",                        // 28
    "Undefined",                        // 29
    "Undefined",                        // 30
    "Undefined",                        // 31
    "Bank Select LSB",                  // 32
    "Modulation Wheel LSB",             // 33
    "Breath Controller LSB",            // 34
    "Undefined",                        // 35
    "Foot Controller LSB",              // 36
    "Portamento Time LSB",              // 37
    "Data Entry LSB",                   // 38
    "Channel Volume LSB",               // 39
    "Balance LSB",                      // 40
    "Undefined",                        // 41
    "Pan LSB",                          // 42
    "Expression Controller LSB",        // 43
    "Effect Control 1 LSB",             // 44
    "Effect Control 2 LSB",             // 45
    "Undefined",                        // 46
    "Undefined",                        // 47
    "General Purpose Controller 1 LSB", // 48
    "General Purpose Controller 2 LSB", // 49
    "General Purpose Controller 3 LSB", // 50
    "General Purpose Controller 4 LSB", // 51
    "Undefined",                        // 52
    "Undefined",                        // 53
    "Undefined",                        // 54
    "Undefined",                        // 55
    "Undefined",                        // 56
    "Undefined",                        // 57
    "Undefined",                        // 58
    "Undefined",                        // 59
    "Undefined",                        // 60
    "Undefined",                        // 61
    "Undefined",                        // 62
    "Undefined",                        // 63
    "Sustain",                          // 64
    "Portamento On/Off",                // 65
    "Sostenuto On/Off",                 // 66
    "Soft Pedal On/Off",                // 67
    "Legato Footswitch",                // 68
    "Hold 2",                           // 69
    "Sound Variation",                  // 70
    "Timbre/Harmonic Intens.",          // 71
    "Release Time",                     // 72
    "Attack Time",                      // 73
    "Brightness",                       // 74
    "Decay Time",                       // 75
    "Vibrato Rate",                     // 76
    "Vibrato Depth",                    // 77
    "Vibrato Delay",                    // 78
    "Sound Controller 10",              // 79
    "General Purpose Controller 5",     // 80
    "General Purpose Controller 6",     // 81
    "General Purpose Controller 7",     // 82
    "General Purpose Controller 8",     // 83
    "Portamento Control",               // 84
    "Undefined",                        // 85
    "Undefined",                        // 86
    "Undefined",                        // 87
    "Undefined",                        // 88
    "Undefined",                        // 89
    "Undefined",                        // 90
    "Reverb Send Level",                // 91
    "Tremolo Depth",                    // 92
    "Chorus Send Level",                // 93
    "Celeste Depth",                    // 94
    "Phaser Depth",                     // 95
    "Data Increment",                   // 96
    "Data Decrement",                   // 97
    "NRPN - LSB",                       // 98
    "NRPN - MSB",                       // 99
    "RPN - LSB",                        // 100
    "RPN - MSB",                        // 101
    "Undefined",                        // 102
    "Undefined",                        // 103
    "Undefined",                        // 104
    "Undefined",                        // 105
    "Undefined",                        // 106
    "Undefined",                        // 107
    "Undefined",                        // 108
    "Undefined",                        // 109
    "Undefined",                        // 110
    "Undefined",                        // 111
    "Undefined",                        // 112
    "Undefined",                        // 113
    "Undefined",                        // 114
    "Undefined",                        // 115
    "Undefined",                        // 116
    "Undefined",                        // 117
    "Undefined",                        // 118
    "Undefined",                        // 119
    "All Sound Off",                    // 120
    "Reset All Controllers",            // 121
    "Local Control On/Off",             // 122
    "All Notes Off",                    // 123
    "Omni Mode Off",                    // 124
    "Omni Mode On",                     // 125
    "Mono Mode On",                     // 126
    "Poly Mode On",                     // 127
};
} // namespace

juce::String controllerName (int number) { return juce::isPositiveAndBelow (number, 128) ? controllerNames[number] : ""; }

juce::StringArray controllerItemTexts()
{
    juce::StringArray texts;
    for (int number = 0; number < 128; ++number)
        texts.add (juce::String (number) + " - " + controllerName (number));
    return texts;
}
