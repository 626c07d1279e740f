#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

#include <iostream>

namespace
{
const char* const usage = "defaults OUT";
}

int runDefaultsCommand (const juce::ArgumentList& arguments, std::ostream& err)
{
    if (! DocumentFiles::hasOperands (arguments, 1, usage, err))
        return DocumentFiles::usageError;

    ValueCache cache;
    cache.applyDefaultValues();

    const auto out = DocumentFiles::argumentFile (arguments, 1);
    return DocumentFiles::reportWrite (SettingsFile::save (cache, out), out, err);
}

juce::ConsoleApplication::Command defaultsCommand (int& exitCode)
{
    return { "defaults", usage, "Writes the settings file of the editor's \"Default Values\".",
             "OUT gets the default assignment of every control, global channel 1, absolute knobs, fast knob\n"
             "acceleration and linear velocity curves.",
             [&exitCode] (const juce::ArgumentList& args) { exitCode = runDefaultsCommand (args, std::cerr); } };
}
