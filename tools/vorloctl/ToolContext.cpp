#include "vorloctl/ToolContext.h"

int reportUsageError (ToolContext& context, const juce::String& commandName, const juce::String& text)
{
    context.err << "vorloctl " << commandName << ": " << text << ". Try 'vorloctl help " << commandName << "'." << std::endl;
    return ExitCode::usageError;
}

int reportFailure (ToolContext& context, const juce::String& text)
{
    context.err << text << std::endl;
    return ExitCode::failed;
}
