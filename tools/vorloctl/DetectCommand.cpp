#include "vorloctl/Commands.h"

#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <iostream>

namespace
{
class DetectionWatcher : public OrvaneManagerListener
{
public:
    void keyboardEvent (int event, int, int, int) override
    {
        if (event == eventDetected)
            detected = true;
        if (event == eventDetectionEnded)
            ended = true;
    }

    std::atomic<bool> detected { false }, ended { false };
};

int detectOn (MidiPorts& ports)
{
    const auto outputs = ports.getOutputNames();
    if (outputs.isEmpty())
    {
        std::cout << "No MIDI output ports found. Is the keyboard plugged in?" << std::endl;
        return 1;
    }

    std::cout << "Looking for the keyboard on " << outputs.size() << " MIDI output" << (outputs.size() == 1 ? "" : "s") << ": "
              << outputs.joinIntoString (", ") << std::endl;

    OrvaneManager49::setMidiInputsAllowed (true);
    OrvaneManager49 manager (ports);
    DetectionWatcher watcher;
    manager.addListener (&watcher);
    manager.startDetection();

    // Probing ends one tick after the keyboard answers, or after two passes.
    auto* messageManager = juce::MessageManager::getInstance();
    while (manager.isProbing() && ! (watcher.detected && watcher.ended))
        messageManager->runDispatchLoopUntil (50);

    if (! manager.isKeyboardDetected())
    {
        std::cout << "No keyboard answered. Make sure it is connected and switched on." << std::endl;
        return 1;
    }

    std::cout << "Found the keyboard: device code 0x" << juce::String::toHexString (manager.getDeviceCode()).paddedLeft ('0', 4)
              << ", firmware revision " << formatFirmwareRevision (manager.getFirmwareRevision()) << std::endl
              << "  input:  " << manager.getInputPortName() << std::endl
              << "  output: " << manager.getOutputPortName() << std::endl;
    return 0;
}
} // namespace

int runDetectCommand (const juce::ArgumentList& arguments)
{
    if (arguments.containsOption ("--simulated"))
    {
        VirtualMidiPorts ports;
        ports.addOutput ("Virtual Synth");
        ports.addInput ("Virtual Synth");
        SimulatedKeyboard keyboard (ports);
        return detectOn (ports);
    }

    return detectOn (SystemMidiPorts::instance());
}
