#include "vorloctl/Commands.h"
#include "vorloctl/TerminalDialogs.h"

#include "firmware/UpdaterRunner.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedBootLoader.h"

#include <iostream>

namespace
{
UpdaterRunner::Outcome flashOn (MidiPorts& ports, const juce::File& file, Dialogs& dialogs)
{
    OrvaneManager49::setMidiInputsAllowed (true);
    OrvaneManager49 manager (ports);
    const auto outcome = UpdaterRunner::runFirmwareUpdate (&manager, file, dialogs);

    // The editor would look for the keyboard again; the tool is done.
    manager.stopDetection();
    return outcome;
}

// What the simulated boot loader holds, so that anyone can check the transfer.
void printReceived (const SimulatedBootLoader& bootLoader, const juce::File& file)
{
    const auto image = bootLoader.getReceivedImage();
    std::cout << "The simulated boot loader received " << image.size() << " bytes";
    if (bootLoader.isImageComplete())
        std::cout << ": the file's " << file.getSize() << " bytes padded to " << image.size();
    std::cout << "." << std::endl;
    std::cout << "SHA-256: " << juce::SHA256 (image.data(), image.size()).toHexString() << std::endl;
}
} // namespace

int runFlashCommand (const juce::ArgumentList& arguments)
{
    juce::StringArray paths;
    bool simulated = false, answerYes = false;

    for (int i = 1; i < arguments.size(); ++i)
    {
        const auto& text = arguments[i].text;
        if (text == "--simulated")
            simulated = true;
        else if (text == "--yes")
            answerYes = true;
        else if (text.startsWith ("-"))
        {
            std::cerr << "vorloctl flash: unknown option '" << text << "'." << std::endl;
            return 2;
        }
        else
            paths.add (text);
    }

    if (paths.size() != 1)
    {
        std::cerr << "vorloctl flash: give one firmware file, for example: vorloctl flash VORLO_1_0_4.bin" << std::endl;
        return 2;
    }

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (paths[0]);

    if (simulated)
    {
        // The simulated keyboard is restarted in boot-loader mode at once.
        VirtualMidiPorts ports;
        ports.addOutput ("Virtual Synth");
        ports.addInput ("Virtual Synth");
        SimulatedBootLoader bootLoader (ports);
        TerminalDialogs dialogs (true);

        const auto outcome = flashOn (ports, file, dialogs);
        printReceived (bootLoader, file);
        return outcome == UpdaterRunner::Outcome::succeeded ? 0 : 1;
    }

    TerminalDialogs dialogs (answerYes);
    return flashOn (SystemMidiPorts::instance(), file, dialogs) == UpdaterRunner::Outcome::succeeded ? 0 : 1;
}
