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
        if (! chooser.browseForFileToSave (false))
            return std::nullopt;
        return chooser.getResult();
    }
};
} // namespace

std::optional<juce::File> Dialogs::chooseFileToWrite (const juce::String& title, const juce::File& startIn, const juce::String& patterns,
                                                      const juce::String& extension)
{
    const auto chosen = chooseFileToSave (title, startIn, patterns);
    if (! chosen)
        return std::nullopt;

    const auto file = chosen->withFileExtension (extension);
    if (file.exists()
        && ! askOkCancel (juce::MessageBoxIconType::WarningIcon, "File Already Exists",
                          file.getFileName().quoted() + " already exists in " + file.getParentDirectory().getFullPathName().quoted()
                              + ". Do you want to replace it?"))
        return std::nullopt;

    return file;
}

Dialogs& Dialogs::system()
{
    static SystemDialogs dialogs;
    return dialogs;
}
