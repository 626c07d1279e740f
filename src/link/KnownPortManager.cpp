#include "link/KnownPortManager.h"

JUCE_IMPLEMENT_SINGLETON (KnownPortManager)

KnownPortManager::KnownPortManager()
{
    devices.add ({ "Velmora Vorlo", 25, DeviceCode::vorlo });
    devices.add ({ "Orvane - The Rover", 25, DeviceCode::rover });
    devices.add ({ "The Vantry", 61, DeviceCode::vantry61 });
    devices.add ({ "Orvane Mill", 32, DeviceCode::millRevision3 });
}

KnownPortManager::~KnownPortManager() { clearSingletonInstance(); }

juce::String formatFirmwareRevision (const FirmwareRevision& revision)
{
    juce::StringArray parts;
    for (auto byte : revision)
        parts.add (juce::String ((int) (juce::int8) byte));
    return parts.joinIntoString (".");
}

juce::String describeOtherModel (int deviceCode)
{
    return "The keyboard found is an Orvane " + modelNameFor (deviceCode) + ", not a Velmora Vorlo.";
}

juce::String modelNameFor (int deviceCode)
{
    switch (deviceCode)
    {
        case DeviceCode::vorlo: return "Vorlo";
        case DeviceCode::mill:
        case DeviceCode::millRevision3: return "OM32";
        case DeviceCode::rover: return "OR25";
        case DeviceCode::vantry: return "OV49";
        case DeviceCode::vantry61: return "OV61";
        default: return "unknown model";
    }
}
