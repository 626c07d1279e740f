#include "vorloctl/ParsedCommand.h"
#include "vorloctl/Vorloctl.h"

#include <iostream>
#include <unistd.h>

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;

    juce::String error;
    const auto words = commandLineWords (argc, argv, error);
    if (! words)
    {
        std::cerr << "vorloctl: " << error << ". Nothing was done." << std::endl;
        return ExitCode::usageError;
    }

    ToolContext context { std::cout, std::cerr };
    context.showsProgress = isatty (STDERR_FILENO) != 0;
    return runVorloctl (*words, context);
}
