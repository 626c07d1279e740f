#include "vorloctl/KeyboardSession.h"

class KeyboardSession::Watcher : public OrvaneManagerListener
{
public:
    explicit Watcher (OrvaneManager49& manager) : chain (manager) {}

    void keyboardEvent (int event, int a, int, int) override
    {
        // The chain has started by the time the detection is seen.
        if (readsBack)
            chain.handle (event, a);
        if (event == eventDetected)
            detected = true;
        if (event == eventDetectionEnded)
            ended = true;
    }

    std::atomic<bool> detected { false }, ended { false }, readsBack { false };
    ReadBackChain chain;
};

KeyboardSession::KeyboardSession (const ParsedCommand& command, ToolContext& contextToUse, Simulate simulate) : context (contextToUse)
{
    ports = context.ports;
    if (ports == nullptr && command.has ("--simulated"))
    {
        // The keyboard beside another device, as on a desk.
        virtualPorts = std::make_unique<VirtualMidiPorts>();
        if (simulate == Simulate::keyboard)
            keyboard = std::make_unique<SimulatedKeyboard> (*virtualPorts);
        else
            bootLoader = std::make_unique<SimulatedBootLoader> (*virtualPorts);
        virtualPorts->addOutput ("Virtual Synth");
        virtualPorts->addInput ("Virtual Synth");
        ports = virtualPorts.get();
    }
    if (ports == nullptr)
        ports = &SystemMidiPorts::instance();

    if (command.has ("--trace"))
    {
        tracingPorts = std::make_unique<TracingMidiPorts> (*ports, context.err);
        ports = tracingPorts.get();
    }
}

KeyboardSession::~KeyboardSession()
{
    endProgress();
    if (manager != nullptr)
        manager->stopDetection();
    manager.reset();
}

OrvaneManager49& KeyboardSession::getManager()
{
    if (manager == nullptr)
    {
        OrvaneManager49::setMidiInputsAllowed (true);
        manager = std::make_unique<OrvaneManager49> (*ports);
        watcher = std::make_unique<Watcher> (*manager);
        manager->addListener (watcher.get());
    }
    return *manager;
}

bool KeyboardSession::detect (bool untilProbingEnds, const juce::String& failureText)
{
    auto& keyboardManager = getManager();
    const auto outputs = ports->getOutputNames();
    if (outputs.isEmpty())
    {
        printError (context, failureText.isNotEmpty() ? failureText : "No MIDI output ports found. Is the keyboard plugged in?");
        return false;
    }

    showProgress ("Looking for the keyboard on " + juce::String (outputs.size()) + " MIDI output" + (outputs.size() == 1 ? "" : "s") + ": "
                  + outputs.joinIntoString (", "));
    keyboardManager.startDetection();

    // Detection gives up by itself after two passes over the outputs, so
    // this wait is bounded even when nothing answers.
    auto* messageManager = juce::MessageManager::getInstance();
    while (keyboardManager.isProbing() && ! (watcher->detected && (watcher->ended || ! untilProbingEnds)))
        messageManager->runDispatchLoopUntil (20);
    endProgress();

    if (! keyboardManager.isKeyboardDetected())
    {
        printError (context, failureText.isNotEmpty() ? failureText : "No keyboard answered. Make sure it is connected and switched on.");
        return false;
    }
    return true;
}

bool KeyboardSession::detectVorlo (const juce::String& whatFor)
{
    if (! detect())
        return false;

    if (! manager->isVorloDetected())
    {
        printError (context,
                    "The keyboard found is an " + modelNameFor (manager->getDeviceCode()) + ", not a Vorlo: its " + whatFor
                        + " can't be handled here.");
        return false;
    }
    return true;
}

bool KeyboardSession::readSettings (const juce::String& whatFor, const juce::String& consequence)
{
    // The chain starts with the keyboard's identity reply, as in the editor.
    getManager();
    watcher->readsBack = true;
    if (! detectVorlo (whatFor))
        return false;

    // A keyboard that stops answering is given up on after one step's
    // time-out, as in the editor.
    auto& chain = watcher->chain;
    auto* messageManager = juce::MessageManager::getInstance();
    while (chain.isReadingBack() && ! chain.abandonIfStalled())
    {
        showProgress ("Reading the keyboard's settings: " + juce::String (chain.getRequestsSent()) + " of "
                      + juce::String (ReadBackChain::numRequests));
        messageManager->runDispatchLoopUntil (20);
    }
    endProgress();

    if (! chain.hasCompleted())
    {
        printError (context,
                    "The keyboard stopped answering while its settings were read (" + juce::String (chain.getRequestsSent()) + " of "
                        + juce::String (ReadBackChain::numRequests) + " requests sent). " + consequence);
        return false;
    }
    return true;
}

juce::String KeyboardSession::describeKeyboard()
{
    const auto& m = getManager();
    return m.getOutputPortName() + ": " + modelNameFor (m.getDeviceCode()) + ", device code 0x"
        + juce::String::toHexString (m.getDeviceCode()).paddedLeft ('0', 4) + ", firmware revision "
        + formatFirmwareRevision (m.getFirmwareRevision());
}

void KeyboardSession::showProgress (const juce::String& text)
{
    if (! context.showsProgress)
        return;
    // Clears what a longer line before left behind.
    context.err << "\r\x1b[K" << text << std::flush;
    progressShown = true;
}

void KeyboardSession::endProgress()
{
    if (progressShown)
        context.err << "\r\x1b[K" << std::flush;
    progressShown = false;
}
