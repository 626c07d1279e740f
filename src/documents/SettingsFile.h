#pragma once

#include "link/ValueCache.h"

// The settings file: the whole of the value cache as an XML document, the
// assignment of every control that has a number, the twelve globals and the
// eleven curves.
//
// A file is the user's work, and a file from someone else is untrusted: a
// load reads the whole file first and changes the cache only when the file
// was read, so a file that is refused changes nothing. What a file sets is
// stored as loaded from a file; what it leaves out stays as it was. A value
// that fits no parameter refuses the whole file. Only what the editor was
// given is saved, never what it merely assumed.
class SettingsFile
{
public:
    static constexpr const char* fileExtension = ".vorlo25";
    static constexpr const char* filePattern = "*.vorlo25";

    // A real settings file is a few kilobytes, three levels deep.
    static constexpr size_t maxFileBytes = 256 * 1024;
    static constexpr int maxNestingDepth = 16;

    static std::unique_ptr<juce::XmlElement> createDocument (const ValueCache& cache);
    // The file's exact content.
    static juce::String toText (const ValueCache& cache);

    // Each fails, with the reason, leaving the file or the cache as it was.
    static juce::Result save (const ValueCache& cache, const juce::File& file);
    static juce::Result load (ValueCache& cache, const juce::File& file);
    static juce::Result loadFromData (ValueCache& cache, const void* data, size_t size);
    static juce::Result loadFromDocument (ValueCache& cache, const juce::XmlElement& root);
};
