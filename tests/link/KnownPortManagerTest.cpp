#include "link/KnownPortManager.h"
#include "support/Midi.h"

#include <gtest/gtest.h>

namespace
{
// An identity reply with model number model and revision r0..r3, after which
// extra bytes may follow; size cuts the data to that many bytes.
juce::MidiMessage identityReply (int model, FirmwareRevision revision, int modelHigh = 0, int family = 0x02, int maker = 0x19)
{
    return midiBytes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, maker, family, 0x00, model, modelHigh, revision[0], revision[1],
                        revision[2], revision[3], 0xF7 });
}

juce::MidiMessage truncated (const juce::MidiMessage& reply, int dataSize)
{
    return juce::MidiMessage::createSysExMessage (reply.getSysExData(), dataSize);
}
} // namespace

TEST (KnownPortManager, HoldsTheFourModelsInOrder)
{
    const auto* known = KnownPortManager::getInstance();
    ASSERT_EQ (known->getNumKnownDevices(), 4);

    const std::pair<const char*, int> rows[] = { { "Velmora Vorlo", 0x0400 },
                                                 { "Orvane - The Rover", 0x0200 },
                                                 { "The Vantry", 0x1300 },
                                                 { "Orvane Mill", 0x0101 } };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (known->getKnownDevice (i).name, rows[i].first);
        EXPECT_EQ (known->getKnownDevice (i).deviceCode, rows[i].second);
    }
    EXPECT_EQ (known->getKnownDevice (2).keyCount, 61);
}

TEST (KnownPortManager, IsRecreatedAfterShutdownDeletedIt)
{
    delete KnownPortManager::getInstance();
    EXPECT_EQ (KnownPortManager::getInstanceWithoutCreating(), nullptr);
    EXPECT_EQ (KnownPortManager::getInstance()->getNumKnownDevices(), 4);
}

TEST (IdentityReply, RecognisesOnlyTheFamilysReply)
{
    const FirmwareRevision revision { 1, 0, 3, 0 };
    EXPECT_TRUE (isIdentityReply (identityReply (4, revision)));
    EXPECT_TRUE (isIdentityReply (identityReply (1, revision)));

    EXPECT_FALSE (isIdentityReply (identityReply (5, revision)));
    EXPECT_FALSE (isIdentityReply (identityReply (0, revision)));
    EXPECT_FALSE (isIdentityReply (identityReply (4, revision, 1)));                     // d[10] not 0
    EXPECT_FALSE (isIdentityReply (identityReply (4, revision, 0, 0x03)));               // another family
    EXPECT_FALSE (isIdentityReply (identityReply (4, revision, 0, 0x02, 0x18)));         // another maker
    EXPECT_FALSE (isIdentityReply (midiBytes ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }))); // the request itself
    EXPECT_FALSE (isIdentityReply (truncated (identityReply (4, revision), 11)));
}

TEST (IdentityReply, DeviceCodeFollowsModelAndRevision)
{
    struct Case
    {
        int model;
        FirmwareRevision revision;
        int code;
    };
    const Case cases[] = {
        { 1, { 2, 9, 9, 9 }, 0x0100 }, { 1, { 3, 0, 0, 0 }, 0x0101 }, { 2, { 9, 9, 9, 1 }, 0x0200 },
        { 3, { 0, 0, 0, 1 }, 0x1300 }, { 3, { 0, 0, 0, 2 }, 0x0300 }, { 4, { 3, 0, 0, 1 }, 0x0400 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (deviceCodeFromIdentityReply (identityReply (c.model, c.revision)), c.code) << "model " << c.model;
}

TEST (IdentityReply, ShortReplyIsRecognisedButYieldsNoCodeNorRevision)
{
    const auto full = identityReply (4, { 1, 2, 3, 4 });

    FirmwareRevision revision { 9, 9, 9, 9 };
    for (int size : { 12, 13, 14 })
    {
        const auto reply = truncated (full, size);
        EXPECT_TRUE (isIdentityReply (reply));
        EXPECT_EQ (deviceCodeFromIdentityReply (reply), 0);
        copyFirmwareRevision (reply, revision);
        EXPECT_EQ (revision, (FirmwareRevision { 9, 9, 9, 9 }));
    }

    copyFirmwareRevision (full, revision);
    EXPECT_EQ (revision, (FirmwareRevision { 1, 2, 3, 4 }));
}
