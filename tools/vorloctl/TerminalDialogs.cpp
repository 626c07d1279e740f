#include "vorloctl/TerminalDialogs.h"

#include <csignal>
#include <iostream>

namespace
{
volatile std::sig_atomic_t interrupted = 0;
struct sigaction previousHandler;

void onInterrupt (int) { interrupted = 1; }

// A worker thread for the task, as behind the editor's progress window.
class TaskThread final : public juce::Thread
{
public:
    explicit TaskThread (ProgressTask& taskToRun) : juce::Thread ("vorloctl task"), task (taskToRun) {}
    void run() override { task.run(); }

private:
    ProgressTask& task;
};

// A question's lines that tell which button to click mean nothing in a
// terminal, where the prompt below the question says how to answer.
juce::String withoutButtonInstructions (const juce::String& text)
{
    juce::StringArray lines;
    for (const auto& line : juce::StringArray::fromLines (text))
        if (! line.startsWith ("Click "))
            lines.add (line);
    return lines.joinIntoString ("\n");
}

constexpr int progressBarWidth = 40;
constexpr int progressUpdateMs = 100;
} // namespace

TerminalDialogs::TerminalDialogs (ToolContext& contextToUse, bool yes) : context (contextToUse), answerYes (yes)
{
    // Without SA_RESTART, so that Ctrl-C also ends a wait for the user's answer.
    interrupted = 0;
    struct sigaction action
    {
    };
    action.sa_handler = onInterrupt;
    sigemptyset (&action.sa_mask);
    sigaction (SIGINT, &action, &previousHandler);
}

TerminalDialogs::~TerminalDialogs() { sigaction (SIGINT, &previousHandler, nullptr); }

bool TerminalDialogs::wasInterrupted() { return interrupted != 0; }

void TerminalDialogs::showMessage (juce::MessageBoxIconType icon, const juce::String&, const juce::String& text)
{
    if (icon == juce::MessageBoxIconType::WarningIcon)
        printError (context, text);
    else
        context.out << text << std::endl;
}

bool TerminalDialogs::askOkCancel (juce::MessageBoxIconType, const juce::String& title, const juce::String& text)
{
    context.out << title << ": " << withoutButtonInstructions (text) << std::endl;
    if (answerYes)
        return true;

    context.out << "Press Enter when ready, or type 'cancel' (or Ctrl-C) to abort: " << std::flush;
    std::string answer;
    if (! std::getline (std::cin, answer) || wasInterrupted())
    {
        context.out << std::endl;
        return false;
    }

    const auto trimmed = juce::String (answer).trim();
    return trimmed.isEmpty() || trimmed.equalsIgnoreCase ("ok") || trimmed.equalsIgnoreCase ("y") || trimmed.equalsIgnoreCase ("yes");
}

bool TerminalDialogs::runWithProgress (const juce::String& title, const juce::String&, int stopTimeoutMs, ProgressTask& task)
{
    context.out << title << " (Ctrl-C cancels)" << std::endl;

    TaskThread worker (task);
    worker.startThread (juce::Thread::Priority::normal);

    bool cancelled = false;
    while (worker.isThreadRunning())
    {
        if (wasInterrupted())
        {
            cancelled = true;
            worker.stopThread (stopTimeoutMs);
            break;
        }
        drawProgressBar (task.getProgress());
        juce::Thread::sleep (progressUpdateMs);
    }

    if (context.showsProgress)
    {
        if (! cancelled)
            drawProgressBar (task.getProgress());
        context.err << std::endl;
    }
    return ! cancelled;
}

void TerminalDialogs::drawProgressBar (double progress)
{
    if (! context.showsProgress)
        return;

    const int filled = juce::roundToInt (juce::jlimit (0.0, 1.0, progress) * progressBarWidth);
    context.err << "\r[" << std::string ((size_t) filled, '#') << std::string ((size_t) (progressBarWidth - filled), '.') << "] "
                << juce::roundToInt (progress * 100.0) << "%" << std::flush;
}
