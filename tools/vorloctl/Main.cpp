#include "vorloctl/ParsedCommand.h"
#include "vorloctl/Vorloctl.h"

#include <iostream>
#include <unistd.h>

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;

    juce::StringArray words;
    for (int i = 1; i < argc; ++i)
        words.add (commandLineArgument (argv[i]));

    ToolContext context { std::cout, std::cerr };
    context.showsProgress = isatty (STDERR_FILENO) != 0;
    return runVorloctl (words, context);
}
