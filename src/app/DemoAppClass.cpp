#include "app/DemoAppClass.h"

DemoAppClass::DemoAppClass()
{
    // The keyboard among other ports, as on a real desk.
    keyboard = std::make_unique<SimulatedKeyboard> (ports);
    keyboard->setReplyLatencyMs (2.0);

    // "--model 3" plays another keyboard of the family, to see how the
    // editor names it.
    const auto arguments = getCommandLineParameterArray();
    if (const int at = arguments.indexOf ("--model"); at >= 0)
        keyboard->setModelNumber (juce::jlimit (1, 4, arguments[at + 1].getIntValue()));
    ports.addInput ("Virtual Synth");
    ports.addOutput ("Virtual Synth");
}

DemoAppClass::~DemoAppClass() = default;

std::unique_ptr<MainAppWindow> DemoAppClass::createMainWindow()
{
    auto content = std::make_unique<MainComponent> (KbdSettingComponentVorlo::Services { ports, Dialogs::system(), Clock::system() });
    return std::make_unique<MainAppWindow> (std::move (content), juce::String (MainAppWindow::title) + " (Demo)");
}
