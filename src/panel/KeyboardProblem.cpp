#include "panel/KeyboardProblem.h"

#include "link/KnownPortManager.h"

juce::String KeyboardProblem::notVorloText (int deviceCode)
{
    return describeOtherModel (deviceCode) + " This editor reads and sets only the Vorlo, so it leaves that keyboard as it is.";
}
