#pragma once

#include "vorloctl/ParsedCommand.h"
#include "vorloctl/ToolContext.h"
#include "vorloctl/TracingMidiPorts.h"

#include "link/OrvaneManager49.h"
#include "link/ReadBackChain.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedBootLoader.h"
#include "sim/SimulatedKeyboard.h"

// The MIDI ports a device command talks through, and the keyboard manager on
// them: the system's ports, or with --simulated a simulated keyboard (or boot
// loader) beside another device on virtual ports, or the ports a test gave.
// With --trace every message on them is written to standard error.
class KeyboardSession
{
public:
    enum class Simulate
    {
        keyboard,
        bootLoader
    };

    KeyboardSession (const ParsedCommand& command, ToolContext& context, Simulate simulate = Simulate::keyboard);
    ~KeyboardSession();

    MidiPorts& getPorts() { return *ports; }
    OrvaneManager49& getManager();

    // Looks for the keyboard and waits until it answered or every output was
    // asked twice (2 s each), showing progress on a terminal. With
    // untilProbingEnds it also waits out the tick that ends the search. False,
    // with the reason (or failureText) on standard error, when no keyboard
    // answered.
    bool detect (bool untilProbingEnds = false, const juce::String& failureText = {});

    // detect(), then refuses another model of the family, whose settings
    // are not the Vorlo's: false, with the reason on standard error.
    bool detectVorlo (const juce::String& whatFor);

    // detectVorlo, then reads every setting into the manager's cache with
    // the editor's read-back chain. Bounded: each request is given up on
    // after the chain's step time-out. False, with the reason on standard
    // error ending in consequence, when the keyboard stopped answering.
    bool readSettings (const juce::String& whatFor, const juce::String& consequence = "Nothing was written.");

    // "Velmora Vorlo: Vorlo, device code 0x0400, firmware revision 1.0.4.0"
    // once detected.
    juce::String describeKeyboard();

    // A line of progress, overwritten by the next, only on a terminal.
    void showProgress (const juce::String& text);
    void endProgress();

    SimulatedBootLoader* getSimulatedBootLoader() { return bootLoader.get(); }

private:
    class Watcher;

    ToolContext& context;
    std::unique_ptr<VirtualMidiPorts> virtualPorts;
    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<SimulatedBootLoader> bootLoader;
    std::unique_ptr<TracingMidiPorts> tracingPorts;
    MidiPorts* ports = nullptr;
    std::unique_ptr<Watcher> watcher;
    std::unique_ptr<OrvaneManager49> manager;
    bool progressShown = false;
};
