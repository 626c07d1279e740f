#pragma once

#include "app/AppClass.h"
#include "sim/SimulatedKeyboard.h"

// The editor wired to virtual MIDI ports where a simulated keyboard answers,
// for trying it without the keyboard at hand. Ctrl+U pulls the keyboard's
// cable and plugs it back in.
class DemoAppClass : public AppClass, private juce::KeyListener
{
public:
    DemoAppClass();
    ~DemoAppClass() override;

    const juce::String getApplicationName() override { return "Velmora Vorlo MIDI Control Center Demo"; }

    static inline const juce::KeyPress plugKey { 'u', juce::ModifierKeys::ctrlModifier, 0 };

protected:
    std::unique_ptr<MainAppWindow> createMainWindow() override;

private:
    bool keyPressed (const juce::KeyPress& key, juce::Component* originatingComponent) override;

    // Members outlive the window and its keyboard manager.
    VirtualMidiPorts ports;
    std::unique_ptr<SimulatedKeyboard> keyboard;
};
