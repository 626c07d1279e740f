#include "link/SendAll.h"

#include "protocol/OrvaneMidiMessage49.h"

namespace
{
constexpr int pitchStrip = 0x41;
} // namespace

juce::String SendAllReport::describeProblem (int memory) const
{
    const auto memoryText = "memory " + juce::String (memory);
    if (stored && valuesFailed == 0)
    {
        if (valuesOutOfRange.isEmpty())
            return {};
        return "Stored in " + memoryText + ", but these values do not fit the keyboard and were not sent: "
            + valuesOutOfRange.joinIntoString (", ") + ". The keyboard kept its own values for them.";
    }

    juce::String text = "Sending to the keyboard failed";
    if (valuesFailed > 0)
        text << ": " << valuesFailed << (valuesFailed == 1 ? " setting" : " settings") << " did not reach it";
    text << (stored ? ". " : ", and " + memoryText + " was not stored. ");
    text << "Check that the keyboard is connected, then send again.";
    return text;
}

bool SendAll::isControlSent (int id) { return id != pitchStrip; }

SendAllReport SendAll::toMemory (ValueCache& cache, KeyboardOutput& output, int memory)
{
    SendAllReport report;

    // A system port whose device vanished swallows messages without a word:
    // look before sending anything, and again before storing.
    if (! output.isPresent())
    {
        output.markUnplugged();
        return report;
    }

    // The first message that does not leave ends the send: the keyboard would
    // otherwise store a set with holes in it.
    bool failed = false;
    const auto sendOne = [&] (const juce::MidiMessage& message)
    {
        if (output.send (message))
            ++report.valuesSent;
        else
        {
            ++report.valuesFailed;
            failed = true;
        }
    };

    for (const int id : cache.getControlsWithNumber())
    {
        if (! isControlSent (id))
            continue;

        bool leftAlone = false;
        for (int p = 1; p <= 6 && ! failed; ++p)
        {
            const int value = cache.getItemParam (p, id);
            if (value < 0)
                continue;

            if (cache.isAssumed (p, id))
            {
                leftAlone = true;
                continue;
            }

            sendOne (OrvaneMidiMessage49::createValue (p, id, value, 0));
        }

        if (leftAlone)
            report.controlsLeftAlone.push_back (id);
        if (failed)
            return report;
    }

    const auto sendParameter = [&] (const juce::String& name, int value, ValueSource source, auto&& createMessage)
    {
        if (failed || source == ValueSource::assumed)
            return;
        if (! OrvaneMidiMessage49::isDataByte (value))
            report.valuesOutOfRange.add (name + " (" + juce::String (value) + ")");
        else
            sendOne (createMessage (value));
    };

    constexpr int globalChannel = OrvaneMidiMessage49::globalMidiChannel;
    sendParameter ("global " + juce::String (globalChannel), cache.getGlobal (globalChannel), cache.getGlobalSource (globalChannel),
                   [] (int value) { return OrvaneMidiMessage49::createGlobalValue (globalChannel, value); });

    for (const int curve : { 4, 1, 3 })
        sendParameter ("curve " + juce::String (curve), cache.getCurve (curve), cache.getCurveSource (curve),
                       [curve] (int value) { return OrvaneMidiMessage49::createCurveValue (curve, value); });

    if (failed)
        return report;

    if (! output.isPresent())
    {
        output.markUnplugged();
        return report;
    }

    report.stored = output.send (OrvaneMidiMessage49::createStoreToMemory (memory));
    if (report.isComplete())
        cache.markKept();
    return report;
}
