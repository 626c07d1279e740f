#pragma once

#include "JuceIncludes.h"

// The named message kinds of the keyboard's dialect with an example of each,
// request and set in pairs separated by blank lines. A diagnostic.
juce::String messageCatalogueText();

// Writes messageCatalogueText() to standard output.
void printMessageCatalogue();
