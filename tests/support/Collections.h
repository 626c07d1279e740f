#pragma once

#include "JuceIncludes.h"

#include <vector>

// juce::Array as a std::vector, for gmock's container matchers.
template <typename T>
std::vector<T> asVector (const juce::Array<T>& array)
{
    return std::vector<T> (array.begin(), array.end());
}
