#include "vorloctl/Commands.h"
#include "vorloctl/KeyboardSession.h"
#include "vorloctl/TerminalDialogs.h"

#include "firmware/UpdaterRunner.h"

namespace
{
// What the simulated boot loader holds, so that anyone can check the
// transfer: the SHA-256 of the file, as sha256sum prints it, and that of what
// arrived, the file filled up with 0xFF to whole blocks. Nothing when nothing
// arrived, as when the file was refused.
void printReceived (const SimulatedBootLoader& bootLoader, const juce::File& file, std::ostream& out)
{
    const auto image = bootLoader.getReceivedImage();
    if (image.empty())
        return;

    out << "The simulated boot loader received " << image.size() << " bytes";
    if (bootLoader.isImageComplete())
        out << ": the file's " << file.getSize() << " bytes padded to " << image.size();
    out << "." << std::endl;
    out << "SHA-256 of the file:                 " << juce::SHA256 (file).toHexString() << std::endl;
    out << "SHA-256 of what the boot loader got: " << juce::SHA256 (image.data(), image.size()).toHexString() << std::endl;
}

int flash (const ParsedCommand& command, ToolContext& context)
{
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (command.getArguments()[0]);

    // The simulated keyboard is restarted in boot-loader mode at once.
    KeyboardSession session (command, context, KeyboardSession::Simulate::bootLoader);
    TerminalDialogs dialogs (context, command.has ("--yes") || session.getSimulatedBootLoader() != nullptr);

    auto& manager = session.getManager();
    const auto outcome = UpdaterRunner::runFirmwareUpdate (&manager, file, dialogs);

    // The editor would look for the keyboard again; the tool is done.
    manager.stopDetection();

    if (auto* bootLoader = session.getSimulatedBootLoader())
        printReceived (*bootLoader, file, context.out);
    return outcome == UpdaterRunner::Outcome::succeeded ? ExitCode::success : ExitCode::failed;
}
} // namespace

CommandSpec flashCommand()
{
    return { "flash",
             "FILE",
             1,
             1,
             withOptions (deviceOptions(), { { "--yes", {}, "Takes the keyboard as already restarted in firmware upgrade mode." } }),
             "Streams a firmware file to the keyboard's boot loader.",
             "Asks for the keyboard to be restarted in firmware upgrade mode (--yes: it already is), then sends\n"
             "the file with a progress bar; Ctrl-C cancels. With --simulated it flashes a simulated boot loader\n"
             "and prints how many bytes it received, the SHA-256 of the file (as sha256sum prints it) and that\n"
             "of what it received, the file padded with 0xFF to whole blocks of 512 bytes. Exits with 1 when\n"
             "the update failed.",
             flash };
}
