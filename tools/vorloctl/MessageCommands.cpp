#include "vorloctl/Commands.h"
#include "vorloctl/HexMessage.h"
#include "vorloctl/MessageDescription.h"
#include "vorloctl/ParsedCommand.h"
#include "vorloctl/ToolContext.h"

#include "protocol/MessageCatalogue.h"
#include "protocol/OrvaneMidiMessage49.h"

#include <limits>

namespace
{
int printCatalogue (const ParsedCommand&, ToolContext& context)
{
    context.out << messageCatalogueText() << std::flush;
    return ExitCode::success;
}

int describe (const ParsedCommand& command, ToolContext& context)
{
    juce::String error;
    const auto message = parseHexMessage (command.getArguments().joinIntoString (" "), error);
    if (! message)
    {
        return reportFailure (context, error + ".");
    }

    context.out << OrvaneMidiMessage49 (*message).toHexString();
    for (const auto& line : describeMessage (*message, command.has ("--om32")))
        context.out << line << "\n";
    context.out << std::flush;
    return ExitCode::success;
}
} // namespace

CommandSpec catalogueCommand()
{
    return { "catalogue",   {}, 0, 0, {}, "Prints the named kinds of message of the keyboard's SysEx dialect, with an example of each.", {},
             printCatalogue };
}

CommandSpec describeCommand()
{
    return { "describe",
             "HEX-BYTES...",
             1,
             std::numeric_limits<int>::max(),
             { { "--om32", {}, "Reads a SysEx message in the older dialect of the 32-key model." } },
             "Prints a MIDI message given as hex bytes, and what it is.",
             "The bytes may be separated by spaces or commas, or run together, with or without 0x:\n"
             "F0 7E 7F 06 01 F7, 0xF0,0x7E,... or F07E7F0601F7. Prints the bytes, the dialect's diagnostic\n"
             "line and, for a message of the catalogue, its name and fields (\"MidiChannelSet: channel 5\").\n"
             "Exits with 1 when the bytes are no MIDI message.",
             describe };
}
