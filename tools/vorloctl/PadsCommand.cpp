#include "vorloctl/Commands.h"
#include "vorloctl/KeyboardSession.h"

#include "calibration/PadGains.h"

#include <optional>

namespace
{
constexpr const char* notDetectedForReadingText = "The keyboard has not been detected, so the pad gains can't be read.";

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

// The pads options of the command line; nothing, with the reason in error,
// when they do not fit together.
std::optional<PadsOptions> padsOptions (const ParsedCommand& command, juce::String& error)
{
    PadsOptions options;
    options.json = command.has ("--json");

    if (command.has ("--set"))
    {
        options.gainsToSet = parseGains (command.valueOf ("--set"), error);
        if (! options.gainsToSet)
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

int runPads (const ParsedCommand& command, ToolContext& context)
{
    juce::String error;
    const auto options = padsOptions (command, error);
    if (! options)
        return reportUsageError (context, "pads", error);

    auto& out = context.out;
    KeyboardSession session (command, context);
    auto& manager = session.getManager();

    // The gains are asked for as soon as the keyboard has answered.
    const auto notDetected = options->gainsToSet ? PadGains::describeApplyProblem (PadGains::ApplyResult::keyboardNotDetected)
                                                 : juce::String (notDetectedForReadingText);
    if (! session.detect (false, notDetected))
        return ExitCode::failed;

    PadGains gains (manager);
    manager.openInputs();

    if (options->gainsToSet)
    {
        for (int pad = 0; pad < PadGains::numPads; ++pad)
            gains.set (pad, (*options->gainsToSet)[(size_t) pad]);

        const auto result = gains.apply();
        if (result != PadGains::ApplyResult::applied)
        {
            return reportFailure (context, PadGains::describeApplyProblem (result));
        }

        out << "Stored the pad gains:";
        for (const int gain : *options->gainsToSet)
            out << " " << asFraction (gain);
        out << std::endl;
        return ExitCode::success;
    }

    session.showProgress ("Reading the pad gains");
    gains.readFromKeyboard();
    session.endProgress();
    printGains (gains, options->json, out);

    const auto notice = PadGains::describeUnreadPads (gains.getUnreadPads());
    if (notice.isNotEmpty())
    {
        return reportFailure (context, notice);
    }
    return ExitCode::success;
}
} // namespace

CommandSpec padsCommand()
{
    return { "pads",
             {},
             0,
             0,
             withOptions (deviceOptions(),
                          { { "--json", {}, "Prints the gains as a JSON array, null where a pad did not answer." },
                            { "--set", "G1,...,G8", "Sends the eight gains, each 1 to 127, and stores them." } }),
             "Prints or sets the velocity gains of the eight pads.",
             "Without --set, prints each pad's gain as a fraction of 64 (--json: an array, null where a pad\n"
             "did not answer). With --set, sends the eight gains, each 1 to 127, and stores them into the\n"
             "keyboard's pad-gain memory. Exits with 1 when the keyboard is missing or did not answer.",
             runPads };
}
