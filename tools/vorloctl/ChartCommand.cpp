#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/MidiChart.h"

#include <iostream>

namespace
{
const char* const usage = "chart SETTINGS OUT";
}

int runChartCommand (const juce::ArgumentList& arguments, std::ostream& err)
{
    if (! DocumentFiles::hasOperands (arguments, 2, usage, err))
        return DocumentFiles::usageError;

    ValueCache cache;
    cache.applyDefaultValues();
    if (! DocumentFiles::load (cache, DocumentFiles::argumentFile (arguments, 1), err))
        return DocumentFiles::taskFailed;

    const auto out = DocumentFiles::argumentFile (arguments, 2);
    return DocumentFiles::reportWrite (MidiChart::save (cache, out), out, err);
}

juce::ConsoleApplication::Command chartCommand (int& exitCode)
{
    return { "chart", usage, "Writes the MIDI chart of a settings file.",
             "Loads SETTINGS onto the default values, as the editor does after \"Default Values\" then\n"
             "\"Load...\", and writes the HTML chart of the result to OUT.",
             [&exitCode] (const juce::ArgumentList& args) { exitCode = runChartCommand (args, std::cerr); } };
}
