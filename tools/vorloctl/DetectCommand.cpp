#include "vorloctl/Commands.h"
#include "vorloctl/KeyboardSession.h"

namespace
{
int detect (const ParsedCommand& command, ToolContext& context)
{
    KeyboardSession session (command, context);
    if (! session.detect())
        return ExitCode::failed;

    auto& manager = session.getManager();
    const auto deviceCode = "0x" + juce::String::toHexString (manager.getDeviceCode()).paddedLeft ('0', 4);
    const auto revision = formatFirmwareRevision (manager.getFirmwareRevision());

    if (command.has ("--json"))
    {
        auto* found = new juce::DynamicObject();
        found->setProperty ("model", modelNameFor (manager.getDeviceCode()));
        found->setProperty ("deviceCode", deviceCode);
        found->setProperty ("firmwareRevision", revision);
        found->setProperty ("input", manager.getInputPortName());
        found->setProperty ("output", manager.getOutputPortName());
        context.out << juce::JSON::toString (juce::var (found), true) << std::endl;
        return ExitCode::success;
    }

    context.out << "Found the keyboard: " << modelNameFor (manager.getDeviceCode()) << ", device code " << deviceCode
                << ", firmware revision " << revision << std::endl
                << "  input:  " << manager.getInputPortName() << std::endl
                << "  output: " << manager.getOutputPortName() << std::endl;
    return ExitCode::success;
}

int listPorts (const ParsedCommand& command, ToolContext& context)
{
    KeyboardSession session (command, context);
    auto& ports = session.getPorts();
    const auto inputs = ports.getInputNames();
    const auto outputs = ports.getOutputNames();

    if (command.has ("--json"))
    {
        auto* found = new juce::DynamicObject();
        found->setProperty ("inputs", juce::var (inputs));
        found->setProperty ("outputs", juce::var (outputs));
        context.out << juce::JSON::toString (juce::var (found), true) << std::endl;
        return ExitCode::success;
    }

    const auto printList = [&context] (const char* title, const juce::StringArray& names)
    {
        context.out << title << (names.isEmpty() ? " none" : "") << std::endl;
        for (const auto& name : names)
            context.out << "  " << name << std::endl;
    };
    printList ("MIDI inputs:", inputs);
    printList ("MIDI outputs:", outputs);
    return ExitCode::success;
}

const OptionSpec jsonOption { "--json", {}, "Prints one JSON object, for scripts." };
} // namespace

CommandSpec portsCommand()
{
    return { "ports",
             {},
             0,
             0,
             { deviceOptions()[0], jsonOption },
             "Prints the names of the MIDI input and output ports.",
             "These are the ports the other commands look for the keyboard on. With --simulated, the\n"
             "virtual ports of the simulated keyboard and of another device beside it.",
             listPorts };
}

CommandSpec detectCommand()
{
    return { "detect",
             {},
             0,
             0,
             withOptions (deviceOptions(), { jsonOption }),
             "Looks for the keyboard on the MIDI ports and prints its model and firmware revision.",
             "Probes every MIDI output with the universal identity request, two passes of 2 s per\n"
             "output, and stops as soon as the keyboard answers. Exits with 1 when no keyboard answered.",
             detect };
}
