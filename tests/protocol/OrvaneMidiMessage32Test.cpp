#include "protocol/OrvaneMidiMessage32.h"
#include "support/Collections.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
OrvaneMidiMessage32 message32 (std::initializer_list<int> bytes) { return OrvaneMidiMessage32 (midiBytes (bytes)); }
} // namespace

TEST (OrvaneMidiMessage32, PredicatesReadCommandAndSubCommand)
{
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x01, 0x01, 0x05, 0xF7 }).isControllerNumberRequest());
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x01, 0x02, 0x05, 0x20, 0xF7 }).isControllerNumberResponse());
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x03, 0x01, 0xF7 }).isMidiChannelRequest());
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x04, 0x02, 0x7E, 0xF7 }).isOctaveShiftResponse());
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x08, 0x02, 0x65, 0x01, 0xF7 }).isLedStateResponse());

    // Relative mode carries the constant 02 as its first argument.
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x09, 0x02, 0x02, 0x7F, 0xF7 }).isRelativeModeResponse());
    EXPECT_TRUE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x09, 0x02, 0x02, 0x7F, 0xF7 }).isRelativeModeOn());
    EXPECT_FALSE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x09, 0x02, 0x03, 0x7F, 0xF7 }).isRelativeModeResponse());
}

TEST (OrvaneMidiMessage32, AccessorsAndPairsStartAtTheFirstArgument)
{
    const auto m = message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x02, 0x02, 0x0A, 0x40, 0x0B, 0xF7 });
    EXPECT_TRUE (m.isItemValueResponse());
    EXPECT_EQ (m.getItemValueItem(), 0x0A);
    EXPECT_EQ (m.getItemValue(), 0x40);
    EXPECT_THAT (asVector (m.getItemValuePairs()), ElementsAre (0x0A, 0x40));
}

TEST (OrvaneMidiMessage32, ShortMessagesAnswerMinusOneAndFalse)
{
    // Command and sub-command but no argument: six data bytes.
    const auto m = message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x08, 0x02, 0xF7 });
    EXPECT_FALSE (m.isLedStateResponse());
    EXPECT_FALSE (m.isOctaveShiftResponse());
    EXPECT_EQ (m.getLedId(), -1);
    EXPECT_EQ (m.getLedState(), -1);
    EXPECT_EQ (m.getItemValue(), -1);
    EXPECT_EQ (m.getMidiChannel(), -1);
    EXPECT_EQ (m.getOctaveShift(), -1);
    EXPECT_FALSE (m.isRelativeModeOn());
    EXPECT_THAT (asVector (m.getItemValuePairs()), IsEmpty());

    // Five data bytes are too few even for requests.
    EXPECT_FALSE (message32 ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x03, 0xF7 }).isMidiChannelRequest());
}
