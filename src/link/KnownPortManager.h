#pragma once

#include "JuceIncludes.h"

#include <array>

// One keyboard model the editor knows: the exact MIDI port name it shows up
// under, its number of keys, and its device code (model number × 256 plus a
// variant).
struct KnownDevice
{
    juce::String name;
    int keyCount = 0;
    int deviceCode = 0;
};

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

// The fixed table of known keyboard models, created on first use and deleted
// when JUCE shuts down.
class KnownPortManager : public juce::DeletedAtShutdown
{
public:
    ~KnownPortManager() override;

    int getNumKnownDevices() const noexcept { return devices.size(); }
    const KnownDevice& getKnownDevice (int index) const { return devices.getReference (index); }

    JUCE_DECLARE_SINGLETON (KnownPortManager, false)

private:
    KnownPortManager();

    juce::Array<KnownDevice> devices;

    JUCE_DECLARE_NON_COPYABLE (KnownPortManager)
};

// A short name for the model a device code stands for: "Vorlo", "OM32",
// "OR25", "OV49" or "OV61"; "unknown model" for any other code.
juce::String modelNameFor (int deviceCode);

// "The keyboard found is an Orvane OV49, not a Velmora Vorlo.": the start of
// every message that refuses another model.
juce::String describeOtherModel (int deviceCode);

using FirmwareRevision = std::array<juce::uint8, 4>;

// The revision as the editor shows it: each byte as a signed number, joined by dots.
juce::String formatFirmwareRevision (const FirmwareRevision& revision);

// True when the message is a keyboard of the family answering the universal
// identity request.
bool isIdentityReply (const juce::MidiMessage& message);

// The device code an identity reply names; 0 when the reply is too short to
// carry its revision bytes.
int deviceCodeFromIdentityReply (const juce::MidiMessage& message);

// Copies the four firmware revision bytes of an identity reply into out;
// leaves out as it was when the reply is too short.
void copyFirmwareRevision (const juce::MidiMessage& message, FirmwareRevision& out);
