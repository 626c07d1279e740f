#include "app/DemoAppClass.h"

DemoAppClass::DemoAppClass()
{
    // The keyboard among other ports, as on a real desk. The demo may run
    // for hours: nothing keeps a record of the messages for a test to read.
    ports.setRecording (false);
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    keyboard->setRecording (false);
    keyboard->setReplyLatencyMs (2.0);

    // "--model 3" plays another keyboard of the family, to see how the
    // editor names it.
    const auto arguments = getCommandLineParameterArray();
    if (const int at = arguments.indexOf ("--model"); at >= 0)
        keyboard->setModelNumber (juce::jlimit (1, 4, arguments[at + 1].getIntValue()));
    ports.addInput ("Virtual Synth");
    ports.addOutput ("Virtual Synth");

    bootLoader = std::make_unique<SimulatedBootLoader> (ports, false);
    SimulatedBootLoader::Behaviour answersAfterAMoment;
    answersAfterAMoment.latencyMs = 1.0;
    bootLoader->setBehaviour (answersAfterAMoment);
    bootLoader->setOnImageComplete ([this] { juce::MessageManager::callAsync ([this] { leaveBootLoaderMode(); }); });
    dialogs = std::make_unique<DemoDialogs> (Dialogs::system(), [this] { enterBootLoaderMode(); });
}

void DemoAppClass::enterBootLoaderMode()
{
    keyboard->unplug();
    bootLoader->plugIn();
}

void DemoAppClass::leaveBootLoaderMode()
{
    // The boot loader's last answer is on its way: give it time to arrive
    // before the ports go, as a real keyboard takes a moment to restart.
    juce::Timer::callAfterDelay (restartDelayMs,
                                 [this]
                                 {
                                     bootLoader->unplug();
                                     keyboard->plugIn();
                                 });
}

DemoAppClass::~DemoAppClass() = default;

std::unique_ptr<MainAppWindow> DemoAppClass::createMainWindow()
{
    auto content = std::make_unique<MainComponent> (KbdSettingComponentVorlo::Services { ports, *dialogs, Clock::system() });
    auto window = std::make_unique<MainAppWindow> (std::move (content),
                                                   juce::String (MainAppWindow::title) + " (Demo) - Ctrl+U unplugs or plugs the keyboard");
    window->addKeyListener (this);
    return window;
}

bool DemoAppClass::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    if (key != plugKey)
        return false;

    if (keyboard->isPluggedIn())
        keyboard->unplug();
    else
        keyboard->plugIn();
    return true;
}
