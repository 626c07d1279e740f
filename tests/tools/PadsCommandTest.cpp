#include "support/VorloctlRun.h"

#include "support/PadCalibrationRig.h"

#include <gmock/gmock.h>

#include <sstream>

// vorloctl pads against a simulated keyboard on virtual ports, the only
// device there, so that it answers the first probe.
class PadsCommand : public PadCalibrationRig
{
protected:
    int run (const juce::StringArray& options)
    {
        juce::StringArray words { "pads" };
        words.addArray (options);
        return runVorloctlOn (ports, words, out, err);
    }

    std::ostringstream out, err;
};

TEST_F (PadsCommand, PrintsTheKeyboardsGainsOnePadALineOrAsJson)
{
    setGains ({ 100, 64, 1, 127, 90, 64, 33, 50 });

    ASSERT_EQ (run ({}), 0) << err.str();
    EXPECT_EQ (out.str(),
               "Pad 1: 100/64\nPad 2: 64/64\nPad 3: 1/64\nPad 4: 127/64\nPad 5: 90/64\nPad 6: 64/64\nPad 7: 33/64\nPad 8: 50/64\n");

    ASSERT_EQ (run ({ "--json" }), 0) << err.str();
    EXPECT_EQ (out.str(), "[100, 64, 1, 127, 90, 64, 33, 50]\n");
}

TEST_F (PadsCommand, SetSendsAndStoresTheGainsAsApplyDoes)
{
    ASSERT_EQ (run ({ "--set", "1,2,3,4,5,6,7,127" }), 0) << err.str();

    ASSERT_TRUE (ports.waitUntilIdle());
    const std::array<int, 8> set { 1, 2, 3, 4, 5, 6, 7, 127 };
    EXPECT_EQ (storedGains(), set);
    EXPECT_EQ (bytesOfAll (sentToKeyboardAfter (1)), bytesOfAll (applyMessages (set))); // after the identity request
    EXPECT_TRUE (err.str().empty());
}

TEST_F (PadsCommand, BadGainsAndOptionsAreUsageErrorsAndSendNothing)
{
    const juce::StringArray cases[] = {
        { "--set", "64,64,64,64,64,64,64" },
        { "--set", "64,64,64,64,64,64,64,64,64" },
        { "--set", "0,64,64,64,64,64,64,64" },
        { "--set", "64,64,64,64,64,64,64,128" },
        { "--set", "64,64,-1,64,64,64,64,64" },
        { "--set", "64,64,64,64,abc,64,64,64" },
        { "--set", "64,64,64,,64,64,64,64" },
        { "--set", "64.5,64,64,64,64,64,64,64" },
        { "--set=64,64,64,64,64,64,64,1000" },
        { "--set" },
        { "--set", "64,64,64,64,64,64,64,64", "--json" },
        { "--loud" },
    };

    for (const auto& options : cases)
    {
        EXPECT_EQ (run (options), 2) << options.joinIntoString (" ");
        EXPECT_THAT (err.str(), ::testing::StartsWith ("vorloctl pads: ")) << options.joinIntoString (" ");
    }
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (PadsCommand, WithoutAKeyboardFailsAndSaysWhatCouldNotBeDone)
{
    keyboard.unplug();

    EXPECT_EQ (run ({}), 1);
    EXPECT_EQ (err.str(), "vorloctl pads: The keyboard has not been detected, so the pad gains can't be read.\n");
    EXPECT_TRUE (out.str().empty());

    EXPECT_EQ (run ({ "--set", "64,64,64,64,64,64,64,64" }), 1);
    EXPECT_EQ (err.str(), "vorloctl pads: The keyboard has not been detected, so pad calibration can't be set.\n");
    EXPECT_TRUE (out.str().empty());
}
