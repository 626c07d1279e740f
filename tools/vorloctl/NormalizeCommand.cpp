#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

namespace
{
int normalize (const ParsedCommand& command, ToolContext& context)
{
    ValueCache cache;
    cache.applyDefaultValues();
    if (! DocumentFiles::load (cache, DocumentFiles::argumentFile (command, 0), context))
        return ExitCode::failed;

    const auto out = DocumentFiles::argumentFile (command, 1);
    return DocumentFiles::reportWrite (SettingsFile::save (cache, out), out, context);
}
} // namespace

CommandSpec normalizeCommand()
{
    return { "normalize",
             "IN OUT",
             2,
             2,
             {},
             "Rewrites a settings file as the editor saves it.",
             "Loads IN onto the default values, as the editor does after \"Default Values\" then \"Load...\",\n"
             "and saves the result to OUT: every control with a number, all twelve globals and eleven curves.",
             normalize };
}
