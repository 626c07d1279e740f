#pragma once

#include "protocol/IdentityReply.h"

// One keyboard model the editor knows: the exact MIDI port name it shows up
// under, its number of keys, and its device code (model number × 256 plus a
// variant).
struct KnownDevice
{
    juce::String name;
    int keyCount = 0;
    int deviceCode = 0;
};


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

// The revision as the editor shows it: each byte as a signed number, joined by dots.
juce::String formatFirmwareRevision (const FirmwareRevision& revision);
