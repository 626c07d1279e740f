#include "protocol/OrvaneMidiMessage49.h"
#include "support/Collections.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
OrvaneMidiMessage49 message49 (std::initializer_list<int> bytes) { return OrvaneMidiMessage49 (midiBytes (bytes)); }
} // namespace

TEST (OrvaneMidiMessage49, MidiChannelValueIsReadWhateverTheDeviceByte)
{
    for (int device : { 0x7F, 0x10 })
    {
        const auto m = message49 ({ 0xF0, 0x00, 0x2F, 0x19, device, 0x42, 0x02, 0x00, 0x40, 0x06, 0x05, 0xF7 });
        SCOPED_TRACE (device);
        EXPECT_TRUE (m.isOwnSysEx());
        EXPECT_TRUE (m.isMidiChannelResponse());
        EXPECT_TRUE (m.isGlobalResponse());
        EXPECT_EQ (m.getMidiChannel(), 5);
        EXPECT_FALSE (m.isItemValueResponse());
        EXPECT_FALSE (m.isMidiChannelRequest());
    }
}

TEST (OrvaneMidiMessage49, OwnSysExNeedsTheMakerAndOneDialectMarker)
{
    struct Case
    {
        std::initializer_list<int> bytes;
        bool own;
    };
    const Case cases[] = {
        { { 0xF0, 0x00, 0x2F, 0x19, 0x05, 0x43, 0x02, 0x00, 0x40, 0x06, 0x05, 0xF7 }, false }, // neither marker
        { { 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x43, 0x01, 0xF7 }, true },                          // the OM32 marker
        { { 0xF0, 0x00, 0x2F, 0x18, 0x7F, 0x42, 0x01, 0x00, 0x03, 0x00, 0xF7 }, false },       // another maker
        { { 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0xF7 }, false },                               // 5 data bytes
        { { 0x90, 0x40, 0x7F }, false },                                                       // not SysEx
    };

    for (const auto& c : cases)
        EXPECT_EQ (message49 (c.bytes).isOwnSysEx(), c.own) << message49 (c.bytes).toHexString();
}

TEST (OrvaneMidiMessage49, RequestOfAllControlsHasNoPairsAndNoValue)
{
    const auto m = message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x01, 0x00, 0x03, 0x00, 0xF7 });
    EXPECT_TRUE (m.isControllerNumberRequest());
    EXPECT_TRUE (m.isParameterRequest());
    EXPECT_FALSE (m.isControllerNumberResponse());
    EXPECT_THAT (asVector (m.getItemValuePairs()), IsEmpty());
    EXPECT_EQ (m.getItemValue(), 0);
    EXPECT_EQ (m.getControllerNumberItem(), 0);
}

TEST (OrvaneMidiMessage49, ReplyListsItsPairsAndIgnoresAnOddTrailingByte)
{
    const auto reply = message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x03, 0x30, 0x07, 0x01, 0x4A, 0xF7 });
    EXPECT_TRUE (reply.isControllerNumberResponse());
    EXPECT_THAT (asVector (reply.getItemValuePairs()), ElementsAre (0x30, 7, 1, 0x4A));

    const auto odd = message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x01, 0x30, 0x07, 0x01, 0xF7 });
    EXPECT_THAT (asVector (odd.getItemValuePairs()), ElementsAre (0x30, 7));
}

TEST (OrvaneMidiMessage49, MatchesComparesOperationAlwaysAndTheRestUnlessNegative)
{
    const auto value = message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x40, 0x34, 0x70, 0x40, 0xF7 });

    EXPECT_TRUE (value.matches (2, -1, -1, -1));
    EXPECT_TRUE (value.matches (2, 0x34, 0x70, 0x40));
    EXPECT_TRUE (value.matches (2, 0x34, 0x70, -1));
    EXPECT_FALSE (value.matches (1, -1, -1, -1));
    EXPECT_FALSE (value.matches (2, 0x34, 0x71, -1));
    EXPECT_FALSE (value.matches (2, 0x34, 0x70, 0x00));
    EXPECT_FALSE (value.matches (2, 0x03, -1, -1));

    // Eight data bytes are too few to match anything.
    EXPECT_FALSE (message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x03, 0xF7 }).matches (2, -1, -1, -1));
}

TEST (OrvaneMidiMessage49, ShortMessagesAnswerFalseAndZero)
{
    for (const auto& bytes :
         { std::vector<int> { 0xF0, 0xF7 }, std::vector<int> { 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x40, 0xF7 },
           std::vector<int> { 0xB0, 0x07, 0x64 } })
    {
        std::vector<juce::uint8> raw (bytes.begin(), bytes.end());
        const OrvaneMidiMessage49 m (juce::MidiMessage (raw.data(), (int) raw.size()));
        SCOPED_TRACE (m.toHexString());

        EXPECT_FALSE (m.isGlobalResponse());
        EXPECT_FALSE (m.isMidiChannelResponse());
        EXPECT_FALSE (m.isParameterResponse());
        EXPECT_FALSE (m.isRelativeModeOn());
        EXPECT_EQ (m.getParameter(), bytes.size() == 10 ? 0x40 : 0);
        EXPECT_EQ (m.getItem(), 0);
        EXPECT_EQ (m.getValue(), 0);
        EXPECT_EQ (m.getOctaveShift(), 0);
        EXPECT_THAT (asVector (m.getItemValuePairs()), IsEmpty());
    }
}

TEST (OrvaneMidiMessage49, KindsOfValueMessages)
{
    struct Case
    {
        int parameter, item;
        bool parameterResponse, global, curve, itemValue, relativeMode, octaveShift;
    };
    const Case cases[] = {
        { 0x00, 0x63, false, false, false, true, false, false },  { 0x01, 0x00, true, false, false, false, false, false },
        { 0x06, 0x30, true, false, false, false, false, false },  { 0x07, 0x30, false, false, false, false, false, false },
        { 0x34, 0x70, false, false, false, false, false, false }, { 0x40, 0x02, false, true, false, false, true, false },
        { 0x40, 0x03, false, true, false, false, false, true },   { 0x40, 0x07, false, true, false, false, false, false },
        { 0x41, 0x04, false, false, true, false, false, false },
    };

    for (const auto& c : cases)
    {
        const auto m = message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, c.parameter, c.item, 0x7F, 0xF7 });
        SCOPED_TRACE (m.toHexString());
        EXPECT_EQ (m.isParameterResponse(), c.parameterResponse);
        EXPECT_EQ (m.isGlobalResponse(), c.global);
        EXPECT_EQ (m.isCurveResponse(), c.curve);
        EXPECT_EQ (m.isItemValueResponse(), c.itemValue);
        EXPECT_EQ (m.isLedStateResponse(), c.itemValue);
        EXPECT_EQ (m.isRelativeModeResponse(), c.relativeMode);
        EXPECT_EQ (m.isOctaveShiftResponse(), c.octaveShift);
        EXPECT_TRUE (m.isRelativeModeOn() == (m.getValue() == 127));
    }
}

TEST (OrvaneMidiMessage49, HexStringListsEveryByteThenALineFeed)
{
    EXPECT_EQ (message49 ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x01, 0x00, 0x03, 0x00, 0xF7 }).toHexString(),
               "F0 00 2F 19 7F 42 01 00 03 00 F7 \n");
    EXPECT_EQ (message49 ({ 0xB0, 0x0A, 0x7B }).toHexString(), "B0 0A 7B \n");
}
