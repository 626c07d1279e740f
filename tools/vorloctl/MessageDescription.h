#pragma once

#include "JuceIncludes.h"

// What a message is, for people: the dialect's diagnostic line, then the
// catalogue's name and fields where the message is one of its kinds, or what
// it is in the identification exchange. One entry per line, without line
// feeds. With olderDialect a SysEx message is read as the OM32's.
juce::StringArray describeMessage (const juce::MidiMessage& message, bool olderDialect);
