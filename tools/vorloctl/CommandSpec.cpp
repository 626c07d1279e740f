#include "vorloctl/CommandSpec.h"

juce::String CommandSpec::synopsis() const
{
    juce::String text = "vorloctl " + name;
    if (arguments.isNotEmpty())
        text << " " << arguments;
    for (const auto& option : options)
        text << " [" << option.name << (option.valueName.isNotEmpty() ? " " + option.valueName : juce::String()) << "]";
    return text;
}

juce::String CommandSpec::helpText() const
{
    juce::String text = "Usage: " + synopsis() + "\n\n" + summary + "\n";
    if (description.isNotEmpty())
        text << "\n" << description << "\n";

    text << "\nOptions:\n";
    const auto optionLabel = [] (const OptionSpec& option)
    { return option.name + (option.valueName.isNotEmpty() ? " " + option.valueName : juce::String()); };

    int width = 6; // "--help"
    for (const auto& option : options)
        width = juce::jmax (width, optionLabel (option).length());

    for (const auto& option : options)
        text << "  " << optionLabel (option).paddedRight (' ', width + 2) << option.help << "\n";
    text << "  " << juce::String ("--help").paddedRight (' ', width + 2) << "Shows this help.\n";
    return text;
}

std::vector<OptionSpec> deviceOptions()
{
    return {
        { "--simulated", {}, "Talks to a simulated keyboard instead of the system's MIDI ports." },
        { "--trace", {}, "Prints every MIDI message sent and received, with its time and meaning, on standard error." },
    };
}

std::vector<OptionSpec> withOptions (std::vector<OptionSpec> options, const std::vector<OptionSpec>& more)
{
    options.insert (options.end(), more.begin(), more.end());
    return options;
}
