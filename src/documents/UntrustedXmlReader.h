#pragma once

#include "JuceIncludes.h"

// Reads an XML document that may come from anyone. JUCE's parser trusts its
// input: it recurses once per nesting level, expands the entities of a DTD
// recursively, and loops forever on a processing instruction followed by
// text. So before parsing, this refuses what a document of the editor's never
// holds: more bytes than the limit, bytes that are not UTF-8 text, a DTD,
// processing instructions besides the XML declaration, entity references
// other than XML's own, and nesting deeper than the limit.
class UntrustedXmlReader
{
public:
    struct Limits
    {
        size_t maxBytes;
        int maxDepth;
    };

    explicit UntrustedXmlReader (Limits readingLimits) : limits (readingLimits) {}

    // The document element, or nothing with the reason in error.
    std::unique_ptr<juce::XmlElement> readFile (const juce::File& file, juce::String& error) const;
    std::unique_ptr<juce::XmlElement> parse (const void* data, size_t size, juce::String& error) const;

private:
    Limits limits;
};
