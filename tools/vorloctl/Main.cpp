#include "vorloctl/Vorloctl.h"

#include <iostream>
#include <unistd.h>

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;

    // Arguments are UTF-8 on every system this runs on.
    juce::StringArray words;
    for (int i = 1; i < argc; ++i)
        words.add (juce::String::fromUTF8 (argv[i]));

    ToolContext context { std::cout, std::cerr };
    context.showsProgress = isatty (STDERR_FILENO) != 0;
    return runVorloctl (words, context);
}
