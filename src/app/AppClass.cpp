#include "app/AppClass.h"

AppClass::AppClass() = default;
AppClass::~AppClass() = default;

void AppClass::initialise (const juce::String&)
{
    lookAndFeel = std::make_unique<QLookAndFeel>();
    juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel.get());
    juce::Typeface::clearTypefaceCache(); // faces looked up before now were the system's

    mainWindow = createMainWindow();
    mainWindow->centreWithSize (KbdSettingComponentVorlo::panelWidth, KbdSettingComponentVorlo::panelHeight);
    mainWindow->setVisible (true);
}

void AppClass::shutdown()
{
    Dialogs::closeOpenMessages();
    mainWindow.reset();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache(); // ours go with the look
}

void AppClass::systemRequestedQuit()
{
    if (mainWindow == nullptr || mainWindow->getMainComponent().getSettingsPanel().confirmQuit())
        quit();
}

std::unique_ptr<MainAppWindow> AppClass::createMainWindow() { return std::make_unique<MainAppWindow>(); }
