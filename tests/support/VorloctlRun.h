#pragma once

#include "vorloctl/Vorloctl.h"

#include <sstream>

// vorloctl run on the given ports, with what it writes on each stream caught
// afresh in out and err.
inline int runVorloctlOn (MidiPorts& ports, const juce::StringArray& words, std::ostringstream& out, std::ostringstream& err)
{
    out.str ({});
    err.str ({});
    ToolContext context { out, err };
    context.ports = &ports;
    return runVorloctl (words, context);
}
