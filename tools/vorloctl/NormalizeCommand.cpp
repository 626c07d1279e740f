#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

#include <iostream>

namespace
{
const char* const usage = "normalize IN OUT";
}

int runNormalizeCommand (const juce::ArgumentList& arguments, std::ostream& err)
{
    if (! DocumentFiles::hasOperands (arguments, 2, usage, err))
        return DocumentFiles::usageError;

    ValueCache cache;
    cache.applyDefaultValues();
    if (! DocumentFiles::load (cache, DocumentFiles::argumentFile (arguments, 1), err))
        return DocumentFiles::taskFailed;

    const auto out = DocumentFiles::argumentFile (arguments, 2);
    return DocumentFiles::reportWrite (SettingsFile::save (cache, out), out, err);
}

juce::ConsoleApplication::Command normalizeCommand (int& exitCode)
{
    return { "normalize", usage, "Rewrites a settings file as the editor saves it.",
             "Loads IN onto the default values, as the editor does after \"Default Values\" then \"Load...\",\n"
             "and saves the result to OUT: every control with a number, all twelve globals and eleven curves.",
             [&exitCode] (const juce::ArgumentList& args) { exitCode = runNormalizeCommand (args, std::cerr); } };
}
