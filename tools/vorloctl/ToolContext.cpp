#include "vorloctl/ToolContext.h"

int reportUsageError (ToolContext& context, const juce::String& commandName, const juce::String& text)
{
    // A text that ends in "..." (a placeholder's name) or in a question
    // needs no full stop.
    const auto sentence = text.endsWithChar ('.') || text.endsWithChar ('?') ? text : text + ".";
    context.err << "vorloctl " << commandName << ": " << sentence << " Try 'vorloctl help " << commandName << "'." << std::endl;
    return ExitCode::usageError;
}

void printError (ToolContext& context, const juce::String& text)
{
    context.err << "vorloctl" << (context.commandName.isNotEmpty() ? " " + context.commandName : juce::String()) << ": " << text
                << std::endl;
}

int reportFailure (ToolContext& context, const juce::String& text)
{
    printError (context, text);
    return ExitCode::failed;
}
