#pragma once

#include "link/KeyboardFollower.h"
#include "link/OrvaneManager49.h"
#include "link/ReadBackChain.h"
#include "panel/ControlTable.h"
#include "panel/ModeRules.h"
#include "pickers/Vorlo25CtrlPickerComponent.h"
#include "ui/Dialogs.h"
#include "ui/NoticeBubble.h"

// The editor's working surface: the keyboard's global parameters at the left,
// the assignment of the selected control in the middle, the commands at the
// right, and the picture of the keyboard below. It owns the keyboard manager,
// starts the search for the keyboard, reads the keyboard's settings once it is
// found, and edits the manager's cache. Editing never sends anything.
class KbdSettingComponentVorlo : public juce::Component,
                                 public juce::ActionListener,
                                 public OrvaneManagerListener,
                                 public juce::AsyncUpdater,
                                 public juce::ComboBox::Listener,
                                 public juce::Button::Listener,
                                 private KeyboardFollower::Listener
{
public:
    // Where the panel reaches the world: the MIDI ports, the user's dialogs
    // and the clock. The real editor uses the system's.
    struct Services
    {
        MidiPorts& ports;
        Dialogs& dialogs;
        Clock& clock;
    };

    static Services systemServices();

    explicit KbdSettingComponentVorlo (Services services = systemServices());
    ~KbdSettingComponentVorlo() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    // A control picked on the picture: its identifier in hexadecimal.
    void actionListenerCallback (const juce::String& message) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;
    void buttonClicked (juce::Button* button) override;

    // The manager's events, on the thread that raised them.
    void keyboardEvent (int event, int a, int b, int third) override;
    // Refreshes the global widgets, or tells the user no keyboard was found.
    void handleAsyncUpdate() override;

    // Puts the selected control's cached assignment into its widgets.
    void showSelectedControl();
    // Puts the global parameters and the firmware revision into their widgets.
    void showGlobals();
    // "Pads...": runs the pad calibration dialog, or says why it cannot.
    void openPadCalibration();
    // "Save...": asks for a file and saves the settings into it. True when
    // the file was written; a failure is shown to the user.
    bool saveSettingsAs();
    // Before the editor closes: true when nothing would be lost, asking
    // first whether to save, send or drop edits neither sent nor saved.
    bool confirmQuit();

    // Enables the mode items the control allows.
    void enableModesFor (int id);
    // Shows the one option box that fits the mode and hides the others.
    void showOptionComboFor (int mode, bool isKnob);

    static constexpr int panelWidth = 816;
    static constexpr int panelHeight = 545;

    // The children, in creation order (which is also their stacking order).
    struct Widgets
    {
        std::unique_ptr<juce::GroupComponent> globalGroup;
        std::unique_ptr<juce::Label> knobModeLabel;
        std::unique_ptr<juce::ComboBox> knobModeCombo;
        std::unique_ptr<juce::GroupComponent> selectedGroup;
        std::unique_ptr<juce::TextEditor> controlNameEditor;
        std::unique_ptr<juce::Label> ccNumberLabel;
        std::unique_ptr<juce::ComboBox> ccNumberCombo;
        std::unique_ptr<juce::TextButton> defaultValuesButton;
        std::unique_ptr<juce::TextButton> sendButton;
        std::unique_ptr<Vorlo25CtrlPickerComponent> picker;
        std::unique_ptr<juce::Label> modeLabel;
        std::unique_ptr<juce::ComboBox> modeCombo;
        std::unique_ptr<juce::Label> channelLabel;
        std::unique_ptr<juce::ComboBox> channelCombo;
        std::unique_ptr<juce::Label> maxLabel;
        std::unique_ptr<juce::ComboBox> maxCombo;
        std::unique_ptr<juce::Label> minLabel;
        std::unique_ptr<juce::ComboBox> minCombo;
        std::unique_ptr<juce::Label> globalChannelLabel;
        std::unique_ptr<juce::ComboBox> globalChannelCombo;
        std::unique_ptr<juce::TextButton> loadButton;
        std::unique_ptr<juce::TextButton> saveButton;
        std::unique_ptr<juce::TextButton> chartButton;
        std::unique_ptr<juce::ComboBox> toggleOptionCombo;
        std::unique_ptr<juce::ComboBox> encodingOptionCombo;
        std::unique_ptr<juce::ComboBox> nrpnOptionCombo;
        std::unique_ptr<juce::ComboBox> holdOptionCombo;
        std::unique_ptr<juce::Label> memoryLabel;
        std::unique_ptr<juce::ComboBox> memoryCombo;
        std::unique_ptr<juce::TextButton> firmwareButton;
        std::unique_ptr<juce::Label> knobAccelLabel;
        std::unique_ptr<juce::ComboBox> knobAccelCombo;
        std::unique_ptr<juce::Label> velCurveLabel;
        std::unique_ptr<juce::ComboBox> velCurveCombo;
        std::unique_ptr<juce::Label> firmwareLabel;
        std::unique_ptr<juce::TextEditor> firmwareRevisionEditor;
        std::unique_ptr<juce::Label> padCurveLabel;
        std::unique_ptr<juce::ComboBox> padCurveCombo;
        std::unique_ptr<juce::TextButton> padsButton;
        // Not laid out: it places itself next to what it points at.
        std::unique_ptr<NoticeBubble> notice;
    };

    const Widgets& getWidgets() const noexcept { return widgets; }
    OrvaneManager49& getManager() noexcept { return manager; }
    KeyboardFollower& getFollower() noexcept { return follower; }
    int getSelectedControl() const noexcept { return selectedControl; }
    bool isReadingBack() const noexcept { return readBack.isReadingBack(); }

private:
    // Child construction, one helper per kind; each child is added, made
    // visible and given its fixed bounds in creation order.
    template <typename ComponentType, typename... Args>
    std::unique_ptr<ComponentType> addChild (juce::Rectangle<int> bounds, Args&&... args);
    std::unique_ptr<juce::Label> makeLabel (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds);
    std::unique_ptr<juce::ComboBox> makeCombo (const juce::String& name, const juce::String& tooltip, const juce::StringArray& items,
                                               juce::Rectangle<int> bounds);
    std::unique_ptr<juce::TextButton> makeButton (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds);
    std::unique_ptr<juce::TextEditor> makeReadOnlyEditor (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds);
    void createChildren();

    // "Default Values": the default assignment and globals, in the editor only.
    void restoreDefaultValues();
    // "Send to Keyboard": everything, stored into the memory chosen.
    void sendToKeyboard();
    void reportSend (const OrvaneManager49::SendAllReport& report, int memory);
    // "Load...": asks for a settings file and shows what it set.
    void loadSettings();
    // "Chart...": asks for a file and writes the MIDI chart into it.
    void exportChartAs();
    // Tells the user what failed on which file, why, and what that means.
    void showFileProblem (const juce::String& whatFailed, const juce::Result& result, const juce::String& consequence);

    // True when a keyboard is there that the editor may set; otherwise tells
    // the user why not.
    bool checkKeyboardCanBeSet();

    // Selects an item without telling the listeners: showing what the cache
    // holds must never write it back. A value the editor only assumed shows
    // greyed. A value no item stands for shows textOfNoItem; the note is
    // added to the tooltip.
    void showValue (juce::ComboBox& comboBox, int itemIndex, bool assumed, const juce::String& textOfNoItem = {},
                    const juce::String& note = {});
    // The parameter (1 to 6) of the selected control a box edits, or 0.
    int parameterShownBy (const juce::ComboBox* comboBox) const;
    // The cached value a box shows, if it shows one.
    std::optional<int> cachedValueShownBy (const juce::ComboBox* comboBox) const;
    // The item a box shows for a cached value.
    int itemShownFor (const juce::ComboBox* comboBox, int value) const;
    // "Upgrade firmware...": the whole update, file choice included.
    void upgradeFirmware();

    juce::ComboBox* optionComboFor (ModeRules::OptionBox box) const;
    // Toggle, hold, encoding, NRPN: the order in which a pick selects them.
    std::array<juce::ComboBox*, 4> optionCombos() const;
    bool isOptionCombo (const juce::ComboBox* comboBox) const;
    // Each answers whether it wrote the user's choice into the cache.
    bool editSelectedControl (juce::ComboBox* comboBox, int index);
    bool editGlobals (juce::ComboBox* comboBox, int index);

    // Following the keyboard as it comes and goes.
    void keyboardStateChanged (KeyboardFollower::State state) override;
    void keyboardPolled() override;
    // Says in the firmware-revision box which keyboard is there, or that it is gone.
    void showKeyboardState();
    // A keyboard detected while the editor holds unkept edits: the user
    // chooses between reading its settings and keeping the editor's values.
    void askBeforeReadingBack();

    // Counts the editor's dialogs open while it lives, so that the alert of
    // a search that ended meanwhile waits for them to close.
    struct DialogsOpen
    {
        explicit DialogsOpen (KbdSettingComponentVorlo& panel);
        ~DialogsOpen();
        KbdSettingComponentVorlo& panel;
    };

    Dialogs& dialogs;
    int dialogsOpen = 0;
    bool notFoundAlertDeferred = false;
    std::atomic<bool> readBackQuestionQueued { false }, firstSearchOver { false };
    ControlTable controlTable;
    int selectedControl = -1;
    OrvaneManager49 manager;
    ReadBackChain readBack { manager };
    KeyboardFollower follower;

    Widgets widgets;
    std::vector<std::pair<juce::Component*, juce::Rectangle<int>>> layout;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KbdSettingComponentVorlo)
};
