#include "protocol/IdentityReply.h"

namespace
{
// Identity reply, as bytes after F0: 7E <device> 06 02, maker 00 2F 19,
// family 02 00, model (1 to 4) 00, then four revision bytes.
constexpr int identityMinimumSize = 12;
constexpr int identityWithRevisionSize = 15;
constexpr int revisionOffset = 11;

int sysExSize (const juce::MidiMessage& message) { return message.isSysEx() ? message.getSysExDataSize() : 0; }
} // namespace

bool isIdentityReply (const juce::MidiMessage& message)
{
    if (sysExSize (message) < identityMinimumSize)
        return false;

    const auto* d = message.getSysExData();
    return d[0] == 0x7E && d[2] == 0x06 && d[3] == 0x02 && d[4] == 0x00 && d[5] == 0x2F && d[6] == 0x19 && d[7] == 0x02 && d[8] == 0x00
        && d[9] >= 1 && d[9] <= 4 && d[10] == 0x00;
}

int deviceCodeFromIdentityReply (const juce::MidiMessage& message)
{
    if (sysExSize (message) < identityWithRevisionSize)
        return 0;

    const auto* d = message.getSysExData();
    int code = d[9] * 256;

    if (code == DeviceCode::mill && d[11] >= 3)
        code = DeviceCode::millRevision3;

    if (code == DeviceCode::vantry && d[14] == 1)
        code = DeviceCode::vantry61;

    return code;
}

void copyFirmwareRevision (const juce::MidiMessage& message, FirmwareRevision& out)
{
    if (sysExSize (message) < identityWithRevisionSize)
        return;

    const auto* d = message.getSysExData();
    std::copy (d + revisionOffset, d + revisionOffset + 4, out.begin());
}
