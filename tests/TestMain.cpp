#include "JuceIncludes.h"

#include <gmock/gmock.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleMock (&argc, argv);

    // A test executable is no JUCE application, so JUCE installs no X error
    // handler; pretending to be one keeps Xlib from exiting on its first error.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };

    // This thread becomes the message thread for every test.
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    return RUN_ALL_TESTS();
}
