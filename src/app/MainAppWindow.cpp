#include "app/MainAppWindow.h"

MainAppWindow::MainAppWindow (std::unique_ptr<MainComponent> content, const juce::String& windowTitle)
    : juce::DocumentWindow (windowTitle, juce::Colours::azure, juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
{
    setResizable (false, false);
    setTitleBarHeight (20);
    setUsingNativeTitleBar (true);
    setContentOwned (content.release(), false);
}

void MainAppWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        app->systemRequestedQuit();
}

MainComponent& MainAppWindow::getMainComponent()
{
    return *dynamic_cast<MainComponent*> (getContentComponent());
}

void MainAppWindow::activeWindowStatusChanged()
{
    DocumentWindow::activeWindowStatusChanged();
    // Also called while the window is being built, before it has its content.
    if (auto* content = dynamic_cast<MainComponent*> (getContentComponent()))
        content->getSettingsPanel().setListeningForTouches (isActiveWindow());
}

bool MainAppWindow::keyPressed (const juce::KeyPress& key)
{
    if (auto* content = dynamic_cast<MainComponent*> (getContentComponent()); content != nullptr && content->getSettingsPanel().keyPressed (key))
        return true;
    return DocumentWindow::keyPressed (key);
}
