#pragma once

#include "link/Clock.h"
#include "link/KnownPortManager.h"
#include "link/MidiPorts.h"
#include "link/OrvaneManagerListener.h"
#include "link/SystemMidiPorts.h"

// The one object through which the editor talks to the keyboard. It finds the
// keyboard by sending the universal identity request to one output after
// another while listening on every input, then owns the keyboard's ports and
// accepts input only from the keyboard's input.
//
// Threads: the message thread (construction, detection, the GUI's calls) and
// the MIDI input thread (incoming messages) both enter it. Shared state sits
// behind stateLock; no lock is held while listeners run, since they send to
// the keyboard from inside their callback.
class OrvaneManager49 : public juce::Timer, public MidiInputPortCallback, private juce::AsyncUpdater
{
public:
    // The system's MIDI ports and clock unless told otherwise.
    explicit OrvaneManager49 (MidiPorts& ports = SystemMidiPorts::instance(), Clock& clock = Clock::system());
    ~OrvaneManager49() override;

    // While false, openInputs and closeInputs do nothing and detection ends
    // with the port-name fallback. Process-wide; false at start.
    static void setMidiInputsAllowed (bool allowed);
    static bool areMidiInputsAllowed();

    // Listeners are called in the order they were added and live at least as
    // long as the manager.
    void addListener (OrvaneManagerListener* listener);

    // Starts probing the outputs; does nothing while probing is under way.
    void startDetection();
    bool isProbing() const { return isTimerRunning(); }

    bool isKeyboardDetected() const;
    int getDeviceCode() const;
    FirmwareRevision getFirmwareRevision() const;
    juce::String getInputPortName() const;
    juce::String getOutputPortName() const;

    // Kept for the settings panel, which marks that it has seen the end of detection.
    void setDetectionFinished (bool finished) { detectionFinished = finished; }
    bool isDetectionFinished() const { return detectionFinished; }

    // Opens and starts every MIDI input, with this manager as the callback.
    void openInputs();
    // Stops and deletes the inputs opened by openInputs.
    void closeInputs();

    // Records the port names and opens the first output named exactly outName
    // as the keyboard's output. False when no output has that name.
    bool openOutputByName (const juce::String& inName, const juce::String& outName);

    // Records an identified keyboard and raises eventDetected.
    void setDevice (const juce::String& inName, const juce::String& outName, int code);

    // Sends one message on the keyboard's output, then pauses 2 ms. Does
    // nothing without a keyboard output.
    void sendMessage (const juce::MidiMessage& message);

    void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message) override;
    void timerCallback() override;

    static constexpr int probeIntervalMs = 2000;
    static constexpr int tickGuardMs = 200;
    static constexpr int probePasses = 2;

private:
    // Routes every incoming message to callback first (null to stop). On
    // return, a callback being replaced is no longer running.
    void setForwardCallback (MidiInputPortCallback* callback);

    // Sends on the keyboard's output and pauses 2 ms; false, sending nothing,
    // without one.
    bool sendToKeyboard (const juce::MidiMessage& message);

    void sendIdentityRequest (int index);
    void handleKeyboardMessage (const juce::String& sourceName, const juce::MidiMessage& message);
    void identify (const juce::String& sourceName, const juce::MidiMessage& identityReply);
    void applyPortNameFallback();
    void releaseInputs();
    void handleAsyncUpdate() override;
    void notifyListeners (int event, int a, int b);

    MidiPorts& ports;
    Clock& clock;

    mutable juce::CriticalSection stateLock;
    bool detected = false;
    int deviceCode = DeviceCode::vorlo;
    FirmwareRevision firmwareRevision {};
    juce::String inputPortName, outputPortName;
    std::unique_ptr<MidiOutputPort> keyboardOutput;
    int probeIndex = 0;

    // Touched only on the message thread.
    std::unique_ptr<MidiOutputPort> probeOutput;
    int outputCount = 0;
    int passesLeft = 0;
    juce::uint32 lastTickMs = 0;
    std::atomic<bool> detectionFinished { false };

    juce::CriticalSection inputsLock;
    std::vector<std::unique_ptr<MidiInputPort>> openedInputs;

    juce::CriticalSection forwardLock;
    MidiInputPortCallback* forwardCallback = nullptr;

    juce::CriticalSection listenersLock;
    juce::Array<OrvaneManagerListener*> listeners;

    static std::atomic<bool> midiInputsAllowed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OrvaneManager49)
};
