#pragma once

#include "JuceIncludes.h"

#include <array>

// How a keyboard of the family names itself: its answer to the universal
// identity request, and the device codes and firmware revision it carries.

// Device codes of the keyboard family.
namespace DeviceCode
{
constexpr int mill = 0x0100;
constexpr int millRevision3 = 0x0101;
constexpr int rover = 0x0200;
constexpr int vantry = 0x0300;
constexpr int vantry61 = 0x1300;
constexpr int vorlo = 0x0400;
} // namespace DeviceCode

using FirmwareRevision = std::array<juce::uint8, 4>;

// True when the message is a keyboard of the family answering the universal
// identity request.
bool isIdentityReply (const juce::MidiMessage& message);

// The device code an identity reply names; 0 when the reply is too short to
// carry its revision bytes.
int deviceCodeFromIdentityReply (const juce::MidiMessage& message);

// Copies the four firmware revision bytes of an identity reply into out;
// leaves out as it was when the reply is too short.
void copyFirmwareRevision (const juce::MidiMessage& message, FirmwareRevision& out);
