#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/MidiChart.h"

namespace
{
int writeChart (const ParsedCommand& command, ToolContext& context)
{
    ValueCache cache;
    cache.applyDefaultValues();
    if (! DocumentFiles::load (cache, DocumentFiles::argumentFile (command, 0), context))
        return ExitCode::failed;

    const auto out = DocumentFiles::argumentFile (command, 1);
    return DocumentFiles::reportWrite (MidiChart::save (cache, out), out, context);
}
} // namespace

CommandSpec chartCommand()
{
    return { "chart",
             "SETTINGS OUT",
             2,
             2,
             {},
             "Writes the MIDI chart of a settings file.",
             "Loads SETTINGS onto the default values, as the editor does after \"Default Values\" then\n"
             "\"Load...\", and writes the HTML chart of the result to OUT.",
             writeChart };
}
