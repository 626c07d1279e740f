#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"
#include "vorloctl/KeyboardSession.h"

#include "documents/SettingsFile.h"

namespace
{
constexpr int firstMemory = 1;
constexpr int lastMemory = 8;

int readSettings (const ParsedCommand& command, ToolContext& context)
{
    const auto file = DocumentFiles::argumentFile (command, 0);
    if (! file.getParentDirectory().isDirectory())
        return reportFailure (context, "the folder of " + file.getFullPathName() + " does not exist. Nothing was read.");

    KeyboardSession session (command, context);
    if (! session.readSettings ("settings"))
        return ExitCode::failed;

    if (DocumentFiles::reportWrite (SettingsFile::save (session.getManager().getCache(), file), file, context) != ExitCode::success)
        return ExitCode::failed;

    context.out << "Read the settings of " << session.describeKeyboard() << " into " << file.getFullPathName() << "." << std::endl;
    return ExitCode::success;
}

// The memory of --memory N, 1 to 8; nothing when it is none.
std::optional<int> memoryOf (const ParsedCommand& command)
{
    const auto text = command.valueOf ("--memory").trim();
    const int memory = text.getIntValue();
    if (text.isEmpty() || text.length() > 1 || ! text.containsOnly ("0123456789") || memory < firstMemory || memory > lastMemory)
        return std::nullopt;
    return memory;
}

int sendSettings (const ParsedCommand& command, ToolContext& context)
{
    if (! command.has ("--memory"))
        return reportUsageError (context, "send", "needs --memory N, the keyboard memory (1 to 8) to store the settings into");

    const auto memory = memoryOf (command);
    if (! memory)
        return reportUsageError (context, "send",
                                 "--memory takes a memory from 1 to 8, not '" + excerptOf (command.valueOf ("--memory")) + "'");

    const auto file = DocumentFiles::argumentFile (command, 0);
    if (! file.existsAsFile())
        return reportFailure (context, file.getFullPathName() + " can't be found. Nothing was sent to the keyboard.");

    // The file onto the defaults, as "Default Values" then "Load..." in the
    // editor: what the file leaves out is the default.
    KeyboardSession session (command, context);
    auto& manager = session.getManager();
    manager.getCache().applyDefaultValues();
    if (! DocumentFiles::reportLoad (SettingsFile::load (manager.getCache(), file), file, context))
        return ExitCode::failed;

    if (! session.detectVorlo ("settings"))
        return ExitCode::failed;

    session.showProgress ("Sending the settings and storing them into memory " + juce::String (*memory));
    const auto report = manager.sendAllToKeyboard (*memory);
    session.endProgress();

    const auto problem = report.describeProblem (*memory);
    if (problem.isNotEmpty())
        return reportFailure (context, problem);

    context.out << "Sent " << file.getFileName() << " to " << session.describeKeyboard() << " and stored it in memory " << *memory << "."
                << std::endl;
    return ExitCode::success;
}
} // namespace

CommandSpec readCommand()
{
    return { "read",
             "FILE",
             1,
             1,
             deviceOptions(),
             "Reads every setting from the keyboard into a settings file.",
             "Looks for the keyboard, reads its settings as the editor does after finding it, and saves\n"
             "them as the editor's \"Save...\" does. Exits with 1 when the keyboard is missing, stopped\n"
             "answering, or FILE could not be written; FILE is then left as it was.",
             readSettings };
}

CommandSpec sendCommand()
{
    return { "send",
             "FILE",
             1,
             1,
             withOptions (deviceOptions(), { { "--memory", "N", "The keyboard memory, 1 to 8, to store the settings into." } }),
             "Sends a settings file to the keyboard and stores it into one of its memories.",
             "Loads FILE onto the default values, as the editor does after \"Default Values\" then \"Load...\",\n"
             "then sends every setting and stores them into memory N, as \"Send to Keyboard\" does.\n"
             "Exits with 1 when FILE can't be loaded (nothing is sent), the keyboard is missing, or a\n"
             "setting did not reach it.",
             sendSettings };
}
