// vorlo-sim-ports: the simulated Velmora Vorlo on the operating system's MIDI
// ports, for trying the real editor, or any MIDI software, without the
// keyboard. It runs until Ctrl-C.

#include "sim/SystemPortsKeyboard.h"

#include <csignal>
#include <iostream>

namespace
{
std::atomic<bool> stopRequested { false };

void requestStop (int) { stopRequested = true; }

const char* const usage = "Usage: vorlo-sim-ports [--model N] [--latency MS] [--for-seconds S]\n"
                          "  --model N        the model number it answers with: 4 the Vorlo (default), 1 to 3 the others\n"
                          "  --latency MS     how long it takes to answer, in milliseconds (default 1)\n"
                          "  --for-seconds S  stop after S seconds instead of at Ctrl-C\n";
} // namespace

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const juce::ArgumentList arguments (argc, argv);

    int model = SimulatedKeyboard::vorloModelNumber;
    double latencyMs = 1.0, forSeconds = 0.0;
    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i].text;
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--model" && hasValue)
            model = arguments[++i].text.getIntValue();
        else if (argument == "--latency" && hasValue)
            latencyMs = arguments[++i].text.getDoubleValue();
        else if (argument == "--for-seconds" && hasValue)
            forSeconds = arguments[++i].text.getDoubleValue();
        else
        {
            std::cerr << "vorlo-sim-ports: unexpected '" << argument << "'.\n" << usage;
            return 2;
        }
    }

    if (model < 1 || model > 4 || latencyMs < 0.0 || forSeconds < 0.0)
    {
        std::cerr << "vorlo-sim-ports: the model is 1 to 4, and times are not negative.\n" << usage;
        return 2;
    }

    juce::String whyNot;
    auto bridge = SystemPortsKeyboard::create (whyNot);
    if (bridge == nullptr)
    {
        std::cerr << "vorlo-sim-ports: " << whyNot << std::endl;
        return 1;
    }

    bridge->getKeyboard().setModelNumber (model);
    bridge->getKeyboard().setReplyLatencyMs (latencyMs);

    std::signal (SIGINT, requestStop);
    std::signal (SIGTERM, requestStop);
    std::cout << "The simulated keyboard is on the MIDI ports \"" << SimulatedKeyboard::defaultPortName << "\". "
              << (forSeconds > 0.0 ? "It stops by itself." : "Press Ctrl-C to stop.") << std::endl;

    const auto until = juce::Time::getMillisecondCounterHiRes() + forSeconds * 1000.0;
    while (! stopRequested && (forSeconds <= 0.0 || juce::Time::getMillisecondCounterHiRes() < until))
        juce::Thread::sleep (50);

    return 0;
}
