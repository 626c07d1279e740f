#pragma once

#include "JuceIncludes.h"

// Reads an XML document that may come from anyone, with expat: a streaming
// parser made for untrusted input, which does not recurse on nesting. It
// refuses what a document of the editor's never holds, each where the parser
// meets it: more bytes than the limit, bytes that are not UTF-8 text, a DTD
// or entity declaration, processing instructions besides the XML
// declaration, entity references other than XML's own, and nesting deeper
// than the limit. The result is JUCE's element tree, without text.
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
