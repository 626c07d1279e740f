#include "vorloctl/Vorloctl.h"

#include "vorloctl/Commands.h"
#include "vorloctl/ParsedCommand.h"

namespace
{
const CommandSpec* findCommand (const juce::String& name)
{
    for (const auto& command : vorloctlCommands())
        if (command.name == name)
            return &command;
    return nullptr;
}

int reportUnknown (ToolContext& context, const juce::String& what, const juce::String& word)
{
    juce::StringArray names;
    for (const auto& command : vorloctlCommands())
        names.add (command.name);
    const auto suggestion = what == "command" ? suggestionFor (word, names) : juce::String();
    context.err << "vorloctl: unknown " << what << " '" << excerptOf (word) << "'" << (suggestion.isEmpty() ? "." : suggestion)
                << " Try 'vorloctl --help'." << std::endl;
    return ExitCode::usageError;
}

juce::String overview()
{
    juce::String text = "vorloctl: the command-line companion of the Velmora Vorlo MIDI Control Center.\n"
                        "\n"
                        "Usage: vorloctl COMMAND [options]\n"
                        "\n"
                        "Commands:\n";
    int width = 0;
    for (const auto& command : vorloctlCommands())
        width = juce::jmax (width, command.name.length());
    for (const auto& command : vorloctlCommands())
        text << "  " << command.name.paddedRight (' ', width + 2) << command.summary << "\n";
    text << "\n"
            "'vorloctl help COMMAND' or 'vorloctl COMMAND --help' shows a command's options.\n"
            "Exit codes: 0 done, 1 failed (no keyboard, no answer, a bad file), 2 wrong command line.\n";
    return text;
}

int runHelp (const juce::StringArray& words, ToolContext& context)
{
    if (words.isEmpty())
    {
        context.out << overview();
        return ExitCode::success;
    }

    if (words.size() > 1)
        return reportUsageError (context, "help", "takes one command name, but was also given '" + excerptOf (words[1]) + "'");

    const auto* command = findCommand (words[0]);
    if (command == nullptr)
        return reportUnknown (context, "command", words[0]);
    context.out << command->helpText();
    return ExitCode::success;
}
} // namespace

const std::vector<CommandSpec>& vorloctlCommands()
{
    static const std::vector<CommandSpec> commands {
        portsCommand(),    detectCommand(), readCommand(),      sendCommand(), padsCommand(),      flashCommand(),
        defaultsCommand(), chartCommand(),  normalizeCommand(), diffCommand(), catalogueCommand(), describeCommand(),
    };
    return commands;
}

int runVorloctl (const juce::StringArray& words, ToolContext& context)
{
    if (words.isEmpty())
    {
        context.err << overview();
        return ExitCode::usageError;
    }

    const auto& first = words[0];
    auto rest = words;
    rest.remove (0);

    if (first == "help" || first == "--help" || first == "-h")
        return runHelp (rest, context);

    if (first == "--version")
    {
        if (! rest.isEmpty())
            return reportUsageError (context, "--version", "takes no arguments");
        context.out << "vorloctl " << JUCE_STRINGIFY (VORLO_VERSION) << std::endl;
        return ExitCode::success;
    }

    const auto* command = findCommand (first);
    if (command == nullptr)
        return reportUnknown (context, first.startsWith ("-") ? "option" : "command", first);

    juce::String error;
    const auto parsed = ParsedCommand::parse (*command, rest, error);
    if (! parsed)
        return reportUsageError (context, command->name, error);

    if (parsed->wantsHelp())
    {
        context.out << command->helpText();
        return ExitCode::success;
    }
    context.commandName = command->name;
    return command->run (*parsed, context);
}
