#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

namespace
{
int writeDefaults (const ParsedCommand& command, ToolContext& context)
{
    ValueCache cache;
    cache.applyDefaultValues();

    const auto out = DocumentFiles::argumentFile (command, 0);
    return DocumentFiles::reportWrite (SettingsFile::save (cache, out), out, context);
}
} // namespace

CommandSpec defaultsCommand()
{
    return { "defaults",
             "OUT",
             1,
             1,
             {},
             "Writes the settings file of the editor's \"Default Values\".",
             "OUT gets the default assignment of every control, global channel 1, absolute knobs, fast knob\n"
             "acceleration and linear velocity curves.",
             writeDefaults };
}
