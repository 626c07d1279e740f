#include "vorloctl/MessageDescription.h"

#include "link/KnownPortManager.h"
#include "protocol/MessageCatalogue.h"
#include "protocol/OrvaneMidiMessage32.h"
#include "protocol/OrvaneMidiMessage49.h"

namespace
{
bool isIdentityRequest (const juce::MidiMessage& message)
{
    const auto* d = message.getRawData();
    return message.getRawDataSize() == 6 && d[0] == 0xF0 && d[1] == 0x7E && d[3] == 0x06 && d[4] == 0x01 && d[5] == 0xF7;
}

juce::String describeIdentity (const juce::MidiMessage& message)
{
    if (isIdentityRequest (message))
        return "Universal identity request";

    if (isIdentityReply (message))
    {
        const int code = deviceCodeFromIdentityReply (message);
        FirmwareRevision revision {};
        copyFirmwareRevision (message, revision);
        return "Identity reply: " + modelNameFor (code) + ", device code 0x" + juce::String::toHexString (code).paddedLeft ('0', 4)
            + ", firmware revision " + formatFirmwareRevision (revision);
    }
    return {};
}
} // namespace

juce::StringArray describeMessage (const juce::MidiMessage& message, bool olderDialect)
{
    juce::StringArray lines;
    if (olderDialect)
    {
        lines.add (OrvaneMidiMessage32 (message).describe().trimEnd());
        lines.addArray (findInCatalogue (message, OrvaneMidiMessageFactory<OrvaneMidiMessage32>()));
    }
    else
    {
        lines.add (OrvaneMidiMessage49 (message).describe().trimEnd());
        lines.addArray (findInCatalogue (message, OrvaneMidiMessageFactory<OrvaneMidiMessage49>()));
    }

    const auto identity = describeIdentity (message);
    if (identity.isNotEmpty())
        lines.add (identity);
    return lines;
}
