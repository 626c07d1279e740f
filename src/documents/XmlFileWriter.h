#pragma once

#include "JuceIncludes.h"

// Writes an element tree the way the editor's documents are written: an XML
// declaration with encoding "UTF-8", no DTD, lines wrapped at 60 columns.
//
// The text goes to a temporary file beside the target, which then replaces
// the target in one rename: a save that fails or is cut short leaves the
// previous file as it was. The new file keeps the old one's permissions. A
// symbolic link is written through: the file it leads to is replaced and the
// link stays. A read-only file is refused and left as it is.
class XmlFileWriter
{
public:
    static juce::String toText (const juce::XmlElement& document);

    // Fails, with the reason, when the file could not be written.
    static juce::Result write (const juce::XmlElement& document, const juce::File& file);

    // The same for any text, written as UTF-8.
    static juce::Result writeText (const juce::String& text, const juce::File& file);
};
