#pragma once

#include "app/AppClass.h"
#include "sim/SimulatedKeyboard.h"

// The editor wired to virtual MIDI ports where a simulated keyboard answers,
// for trying it without the keyboard at hand.
class DemoAppClass : public AppClass
{
public:
    DemoAppClass();
    ~DemoAppClass() override;

    const juce::String getApplicationName() override { return "Velmora Vorlo MIDI Control Center Demo"; }

protected:
    std::unique_ptr<MainAppWindow> createMainWindow() override;

private:
    // Members outlive the window and its keyboard manager.
    VirtualMidiPorts ports;
    std::unique_ptr<SimulatedKeyboard> keyboard;
};
