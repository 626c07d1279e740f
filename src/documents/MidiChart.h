#pragma once

#include "link/ValueCache.h"

// The MIDI chart: a printable HTML page of every control's assignment and of
// three global parameters, made from the value cache.
class MidiChart
{
public:
    static constexpr const char* fileExtension = ".html";
    static constexpr const char* filePattern = "*.html";

    static std::unique_ptr<juce::XmlElement> createDocument (const ValueCache& cache);
    // The page's exact content.
    static juce::String toText (const ValueCache& cache);
    // Fails, with the reason, leaving any file there as it was.
    static juce::Result save (const ValueCache& cache, const juce::File& file);

    // The texts of the chart's cells.
    static juce::String modeName (int mode);
    static juce::String channelName (int channel);
    // The chart's own name of a control, or its id in decimal.
    static juce::String controlName (int id);
};
