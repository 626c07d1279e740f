#pragma once

#include "app/AppClass.h"
#include "app/DemoDialogs.h"
#include "sim/SimulatedBootLoader.h"
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

    // The same keyboard restarted in firmware upgrade mode: plugged in while
    // the keyboard is out, and back to the keyboard once it has a whole image.
    std::unique_ptr<SimulatedBootLoader> bootLoader;
    void enterBootLoaderMode();
    void leaveBootLoaderMode();
    static constexpr int restartDelayMs = 300;
    std::unique_ptr<DemoDialogs> dialogs;
};
