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
    return std::make_unique<MainAppWindow> (std::move (content), juce::String (MainAppWindow::title) + " (Demo)");
}
