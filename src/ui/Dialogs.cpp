#include "ui/Dialogs.h"

namespace
{
class SystemDialogs final : public Dialogs
{
public:
    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        juce::AlertWindow::showMessageBox (icon, title, text);
    }

    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        return juce::AlertWindow::showOkCancelBox (icon, title, text, "OK", "Cancel");
    }

    std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        juce::FileChooser chooser (title, startIn, patterns, true);
        if (! chooser.browseForFileToOpen())
            return std::nullopt;
        return chooser.getResult();
    }

    std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        juce::FileChooser chooser (title, startIn, patterns, true);
        if (! chooser.browseForFileToSave (true))
            return std::nullopt;
        return chooser.getResult();
    }
};
} // namespace

Dialogs& Dialogs::system()
{
    static SystemDialogs dialogs;
    return dialogs;
}
