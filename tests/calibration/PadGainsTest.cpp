#include "calibration/PadGains.h"
#include "support/PadCalibrationRig.h"

#include <gmock/gmock.h>

TEST (PadGains, NameThePadsThatWereNotReadAsPeopleCountThem)
{
    const std::pair<std::vector<int>, const char*> cases[] = {
        { {}, "" },
        { { 2 }, "The gain of pad 3 could not be read from the keyboard: it shows the default, 64/64." },
        { { 1, 4 }, "The gains of pads 2 and 5 could not be read from the keyboard: they show the default, 64/64." },
        { { 0, 1, 7 }, "The gains of pads 1, 2 and 8 could not be read from the keyboard: they show the default, 64/64." },
        { { 0, 1, 2, 3, 4, 5, 6, 7 }, "The keyboard gave none of the pad gains: every pad shows the default, 64/64." },
    };

    for (const auto& [pads, text] : cases)
        EXPECT_EQ (PadGains::describeUnreadPads (pads), text) << pads.size() << " pads";
}

class PadGainsOnKeyboard : public PadCalibrationRig
{
};

TEST_F (PadGainsOnKeyboard, ASendThatFailsStopsTheApplyAndNothingIsStored)
{
    connect();
    PadGains gains (*manager);
    for (int pad = 0; pad < PadGains::numPads; ++pad)
        gains.set (pad, 64);
    gains.set (2, 200); // no 7-bit value: the manager refuses to send it
    const auto before = sentToKeyboard().size();

    EXPECT_EQ (gains.apply(), PadGains::ApplyResult::notSent);

    ASSERT_TRUE (ports.waitUntilIdle());
    const auto sent = sentToKeyboardAfter (before);
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_TRUE (sameBytes (sent[1], OrvaneMidiMessage49::createValue (0x34, 0x71, 64, 0x40)));
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 64, 64, 64, 64, 64, 50 }));
}

TEST_F (PadGainsOnKeyboard, GainsThatWereNotReadAreLeftOnTheKeyboardUntilTheUserSetsThem_NotOverwrittenWithTheDefault)
{
    setGains ({ 80, 64, 64, 64, 64, 64, 64, 50 });
    connect();
    keyboard.setSilent (true);
    PadGains gains (*manager);
    gains.readFromKeyboard();
    ASSERT_EQ (gains.getUnreadPads().size(), 8u);

    // The sixty-fours shown are not the keyboard's: applying them would
    // replace the calibration of pads 1 and 8.
    keyboard.setSilent (false);
    ASSERT_EQ (gains.apply(), PadGains::ApplyResult::applied);
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 64, 64, 64, 64, 64, 50 }));
    EXPECT_EQ (gains.getUnreadPads().size(), 8u);

    // A gain the user chose is written, whatever the others are.
    gains.set (7, 64);
    ASSERT_EQ (gains.apply(), PadGains::ApplyResult::applied);
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 64, 64, 64, 64, 64, 64 }));
    EXPECT_EQ (gains.getUnreadPads(), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6 }));
}
