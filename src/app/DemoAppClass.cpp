#include "app/DemoAppClass.h"

DemoAppClass::DemoAppClass()
{
    // The keyboard among other ports, as on a real desk.
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    keyboard->setReplyLatencyMs (2.0);
    ports.addInput ("Virtual Synth");
    ports.addOutput ("Virtual Synth");
}

DemoAppClass::~DemoAppClass() = default;

std::unique_ptr<MainAppWindow> DemoAppClass::createMainWindow()
{
    auto content = std::make_unique<MainComponent> (KbdSettingComponentVorlo::Services { ports, Dialogs::system(), Clock::system() });
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
