#include "vorloctl/Commands.h"

#include "calibration/PadGains.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <iostream>
#include <optional>

namespace
{
constexpr int usageError = 2;
constexpr int taskFailed = 1;

class DetectionWatcher : public OrvaneManagerListener
{
public:
    void keyboardEvent (int event, int, int, int) override
    {
        if (event == eventDetected)
            detected = true;
    }

    std::atomic<bool> detected { false };
};

struct PadsOptions
{
    std::optional<std::array<int, PadGains::numPads>> gainsToSet;
    bool json = false;
};

// "G1,...,G8", each a whole number from 1 to 127; nothing, with the reason in
// error, otherwise.
std::optional<std::array<int, PadGains::numPads>> parseGains (const juce::String& text, juce::String& error)
{
    juce::StringArray words;
    words.addTokens (text, ",", {});
    words.trim();

    if (words.size() != PadGains::numPads)
    {
        error = "--set takes " + juce::String (PadGains::numPads) + " gains separated by commas, one per pad; got "
            + juce::String (words.size());
        return std::nullopt;
    }

    std::array<int, PadGains::numPads> gains {};
    for (int pad = 0; pad < PadGains::numPads; ++pad)
    {
        const auto& word = words[pad];
        const bool isNumber = word.isNotEmpty() && word.length() <= 3 && word.containsOnly ("0123456789");
        const int gain = word.getIntValue();
        if (! isNumber || gain < PadGains::minGain || gain > PadGains::maxGain)
        {
            error = "the gain of pad " + juce::String (pad + 1) + ", '" + word + "', is not a whole number from "
                + juce::String (PadGains::minGain) + " to " + juce::String (PadGains::maxGain);
            return std::nullopt;
        }
        gains[(size_t) pad] = gain;
    }
    return gains;
}

std::optional<PadsOptions> parseOptions (const juce::ArgumentList& arguments, juce::String& error)
{
    PadsOptions options;
    for (int i = 1; i < arguments.size(); ++i)
    {
        const auto& arg = arguments[i].text;
        if (arg == "--simulated")
            continue;

        if (arg == "--json")
        {
            options.json = true;
            continue;
        }

        if (arg == "--set" || arg.startsWith ("--set="))
        {
            const bool valueFollows = arg == "--set";
            if (valueFollows && i + 1 >= arguments.size())
            {
                error = "--set needs the eight gains, for example --set 64,64,64,64,64,64,64,64";
                return std::nullopt;
            }

            options.gainsToSet = parseGains (valueFollows ? arguments[++i].text : arg.fromFirstOccurrenceOf ("=", false, false), error);
            if (! options.gainsToSet)
                return std::nullopt;
            continue;
        }

        error = "unknown option '" + arg + "'";
        return std::nullopt;
    }

    if (options.json && options.gainsToSet)
    {
        error = "--json goes with reading the gains, not with --set";
        return std::nullopt;
    }
    return options;
}

juce::String asFraction (int gain) { return juce::String (gain) + "/" + juce::String (PadGains::defaultGain); }

void printGains (const PadGains& gains, bool json, std::ostream& out)
{
    const auto unread = gains.getUnreadPads();
    const auto isUnread = [&unread] (int pad) { return std::find (unread.begin(), unread.end(), pad) != unread.end(); };

    if (json)
    {
        // A pad that did not answer has no gain to report.
        juce::StringArray values;
        for (int pad = 0; pad < PadGains::numPads; ++pad)
            values.add (isUnread (pad) ? juce::String ("null") : juce::String (gains.get (pad)));
        out << "[" << values.joinIntoString (", ") << "]" << std::endl;
        return;
    }

    for (int pad = 0; pad < PadGains::numPads; ++pad)
        out << "Pad " << (pad + 1) << ": " << asFraction (gains.get (pad)) << (isUnread (pad) ? " (not read)" : "") << std::endl;
}

int runPads (MidiPorts& ports, const PadsOptions& options, std::ostream& out, std::ostream& err)
{
    OrvaneManager49::setMidiInputsAllowed (true);
    OrvaneManager49 manager (ports);
    DetectionWatcher watcher;
    manager.addListener (&watcher);
    manager.startDetection();

    // The gains are asked for as soon as the keyboard has answered; probing
    // goes on for another output only while it has not.
    auto* messageManager = juce::MessageManager::getInstance();
    while (manager.isProbing() && ! watcher.detected)
        messageManager->runDispatchLoopUntil (20);

    PadGains gains (manager);
    if (! manager.isKeyboardDetected())
    {
        err << PadGains::describeApplyProblem (PadGains::ApplyResult::keyboardNotDetected) << std::endl;
        return taskFailed;
    }

    manager.openInputs();

    if (options.gainsToSet)
    {
        for (int pad = 0; pad < PadGains::numPads; ++pad)
            gains.set (pad, (*options.gainsToSet)[(size_t) pad]);

        const auto result = gains.apply();
        if (result != PadGains::ApplyResult::applied)
        {
            err << PadGains::describeApplyProblem (result) << std::endl;
            return taskFailed;
        }

        out << "Stored the pad gains:";
        for (const int gain : *options.gainsToSet)
            out << " " << asFraction (gain);
        out << std::endl;
        return 0;
    }

    gains.readFromKeyboard();
    printGains (gains, options.json, out);

    const auto notice = PadGains::describeUnreadPads (gains.getUnreadPads());
    if (notice.isNotEmpty())
    {
        err << notice << std::endl;
        return taskFailed;
    }
    return 0;
}
} // namespace

int runPadsCommandOn (MidiPorts& ports, const juce::ArgumentList& arguments, std::ostream& out, std::ostream& err)
{
    juce::String error;
    const auto options = parseOptions (arguments, error);
    if (! options)
    {
        err << "vorloctl pads: " << error << "." << std::endl;
        return usageError;
    }

    return runPads (ports, *options, out, err);
}

int runPadsCommand (const juce::ArgumentList& arguments)
{
    if (arguments.containsOption ("--simulated"))
    {
        // The keyboard beside another device, as on a desk.
        VirtualMidiPorts ports;
        SimulatedKeyboard keyboard (ports);
        ports.addOutput ("Virtual Synth");
        ports.addInput ("Virtual Synth");
        return runPadsCommandOn (ports, arguments, std::cout, std::cerr);
    }

    return runPadsCommandOn (SystemMidiPorts::instance(), arguments, std::cout, std::cerr);
}
