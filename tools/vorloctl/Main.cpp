#include "vorloctl/Commands.h"

#include <iostream>

namespace
{
const char* const usage = "vorloctl: the command-line companion of the Velmora Vorlo MIDI Control Center.\n"
                          "\n"
                          "Usage: vorloctl <command> [options]\n";
} // namespace

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    juce::ConsoleApplication app;
    int exitCode = 0;

    app.addHelpCommand ("--help|-h|help", usage, false);
    app.addVersionCommand ("--version", "vorloctl " + juce::String (JUCE_STRINGIFY (VORLO_VERSION)));

    app.addCommand ({ "detect", "detect [--simulated]", "Looks for the keyboard on the MIDI ports and prints what it found.",
                      "Probes every MIDI output with the universal identity request, two passes of 2 s per\n"
                      "output. With --simulated it looks on virtual ports where a simulated keyboard answers.\n"
                      "Exits with 1 when no keyboard answered.",
                      [&] (const juce::ArgumentList& args) { exitCode = runDetectCommand (args); } });

    app.addCommand ({ "catalogue", "catalogue",
                      "Prints the named kinds of message of the keyboard's SysEx dialect, with an example of each.", "",
                      [&] (const juce::ArgumentList& args) { exitCode = runCatalogueCommand (args); } });

    app.addCommand ({ "describe", "describe [--om32] <hex bytes>", "Prints a MIDI message given as hex bytes, and what it is.",
                      "The bytes may be separated by spaces or commas, or run together: F0 7E 7F 06 01 F7.\n"
                      "With --om32 a SysEx message is read in the older dialect of the 32-key model.",
                      [&] (const juce::ArgumentList& args) { exitCode = runDescribeCommand (args); } });

    app.addCommand ({ "pads", "pads [--json] [--set G1,...,G8] [--simulated]", "Prints or sets the velocity gains of the eight pads.",
                      "Without --set, prints each pad's gain as a fraction of 64 (--json: an array, null where a pad\n"
                      "did not answer). With --set, sends the eight gains, each 1 to 127, and stores them into the\n"
                      "keyboard's pad-gain memory. Exits with 1 when the keyboard is missing or did not answer.",
                      [&] (const juce::ArgumentList& args) { exitCode = runPadsCommand (args); } });
    app.addCommand ({ "flash", "flash <file> [--simulated] [--yes]", "Streams a firmware file to the keyboard's boot loader.",
                      "Asks for the keyboard to be restarted in firmware upgrade mode (--yes: it already is), then sends\n"
                      "the file with a progress bar; Ctrl-C cancels. With --simulated it flashes a simulated boot loader\n"
                      "and prints how many bytes it received and their SHA-256. Exits with 1 when the update failed.",
                      [&] (const juce::ArgumentList& args) { exitCode = runFlashCommand (args); } });

    app.addCommand (defaultsCommand (exitCode));
    app.addCommand (chartCommand (exitCode));
    app.addCommand (normalizeCommand (exitCode));

    const juce::ArgumentList arguments (argc, argv);
    if (arguments.size() == 0)
    {
        std::cerr << usage << "Try 'vorloctl --help' for the commands." << std::endl;
        return 2;
    }

    if (app.findCommand (arguments, true) == nullptr)
    {
        std::cerr << "vorloctl: unknown command '" << arguments[0].text << "'. Try 'vorloctl --help'." << std::endl;
        return 2;
    }

    const int failure = app.findAndRunCommand (arguments, true);
    return failure != 0 ? failure : exitCode;
}
