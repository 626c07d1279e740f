#pragma once

#include "link/BootLoaderPorts.h"
#include "link/Clock.h"
#include "link/IdentityProbe.h"
#include "link/InputPorts.h"
#include "link/KeyboardMessageInterpreter.h"
#include "link/KeyboardOutput.h"
#include "link/KnownPortManager.h"
#include "link/OrvaneManagerListener.h"
#include "link/SendAll.h"
#include "link/SystemMidiPorts.h"
#include "link/ValueCache.h"
#include "link/ValueQuery.h"
#include "protocol/OrvaneMidiMessage49.h"

// The one object through which the editor talks to the keyboard. It finds the
// keyboard by sending the universal identity request to one output after
// another while listening on every input, then owns the keyboard's ports and
// accepts input only from the keyboard's input. It keeps the cache of every
// control's assignment and of the global parameters, fills it from the
// keyboard's replies, and sends it. The work is done by the parts it holds:
// the identity probe, the inputs, the keyboard's output, the value query, the
// send of the whole set and the boot loader's ports.
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

    // Listeners are called in the order they were added and live at least as
    // long as the manager.
    void addListener (OrvaneManagerListener* listener);

    // Starts probing the outputs; does nothing while probing is under way.
    void startDetection();
    bool isProbing() const { return isTimerRunning(); }
    // Stops probing and closes the inputs it listened on, raising nothing.
    void stopDetection();
    // A fresh search, whether or not one is under way: after a firmware
    // update, for the keyboard coming back from its boot loader.
    void restartDetection();

    bool isKeyboardDetected() const;
    int getDeviceCode() const;
    // The detected keyboard is a Vorlo, the only model whose settings the
    // editor reads and writes; the others of the family are only named.
    bool isVorloDetected() const;
    FirmwareRevision getFirmwareRevision() const;
    juce::String getInputPortName() const;
    juce::String getOutputPortName() const;

    // Whether the keyboard's output is open and its port still listed. A
    // detected keyboard stays detected when its cable is pulled, and what is
    // sent to it then goes nowhere without an error: this tells.
    bool isKeyboardOutputPresent() const;

    // The keyboard's ports vanished, or a message to it did not leave: its
    // output is closed, so that nothing more goes into nothing, and it counts
    // as unplugged until it is detected again.
    void markKeyboardUnplugged();
    bool isKeyboardUnplugged() const;

    // While held, the inputs stay open past the end of detection, so that a
    // read-back slower than the detection tick still hears its replies. On
    // release they close, from the message thread, unless probing goes on.
    void holdInputsForReadBack (bool hold);

    // While on, the keyboard's own input stays open between searches and
    // read-backs, and each control the keyboard reports moving is raised as
    // eventControlTouched. Off, every input is let go when nothing else
    // needs it, so that other programs may have the keyboard.
    void listenForTouches (bool listen);
    bool isListeningForTouches() const noexcept { return touchesWanted; }

    Clock& getClock() const noexcept { return clock; }

    // Kept for the settings panel, which marks that it has seen the end of detection.
    void setDetectionFinished (bool finished) { detectionFinished = finished; }
    bool isDetectionFinished() const { return detectionFinished; }

    // Opens and starts every MIDI input, with this manager as the callback.
    void openInputs();
    // Stops and deletes the inputs opened by openInputs, but for the
    // keyboard's own while touches are listened for.
    void closeInputs();
    // Closes every input whatever is allowed, so that no message reaches the
    // manager or its listeners any more: for an owner about to go.
    void stopListening() { inputs.closeAll(); }

    // Records the port names and opens the first output named exactly outName
    // as the keyboard's output. False when no output has that name.
    bool openOutputByName (const juce::String& inName, const juce::String& outName);

    // Records an identified keyboard and raises eventDetected.
    void setDevice (const juce::String& inName, const juce::String& outName, int code);

    // Sends one message on the keyboard's output, then pauses 2 ms. Does
    // nothing without a keyboard output.
    void sendMessage (const juce::MidiMessage& message);

    // Points the manager at the boot loader's ports for a firmware transfer:
    // probing stops, its output becomes the port of that name, every input
    // listens, and what arrives on the input of that name goes to callback
    // first. False, with nothing changed, when no input and output of that
    // name exist or the output will not open. A null callback detaches,
    // closes the inputs and puts the keyboard's ports back: on return the
    // old callback is not running and will not be called again.
    bool attachFirmwareCallback (MidiInputPortCallback* callback, const juce::String& portName);
    // A firmware transfer holds the ports: the keyboard's own are expected to vanish meanwhile.
    bool isFirmwareCallbackAttached() const;

    void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message) override;
    void timerCallback() override;

    static constexpr int probeIntervalMs = IdentityProbe::probeIntervalMs;
    static constexpr int tickGuardMs = IdentityProbe::tickGuardMs;
    static constexpr int probePasses = IdentityProbe::probePasses;

    //==============================================================================
    // The value cache. Editing it never sends anything. The setters here are
    // the user's edits; replies, files and defaults say where their values
    // came from through the cache itself.
    ValueCache& getCache() noexcept { return cache; }
    const ValueCache& getCache() const noexcept { return cache; }

    int getItemParam (int parameter, int id) const { return cache.getItemParam (parameter, id); }
    void setItemParam (int parameter, int id, int value) { cache.setItemParam (parameter, id, value); }
    int getNumber (int id) const { return cache.getItemParam (3, id); }
    void setNumber (int id, int value) { cache.setItemParam (3, id, value); }
    ItemSetting getItemSetting (int id) const { return cache.getItemSetting (id); }
    std::vector<int> getControlsWithNumber() const { return cache.getControlsWithNumber(); }
    bool isKnownItem (int id) const { return cache.isKnownItem (id); }

    int getGlobal (int index) const { return cache.getGlobal (index); }
    void setGlobal (int index, int value) { cache.setGlobal (index, value); }
    void setKnobRelative (bool relative) { cache.setGlobal (OrvaneMidiMessage49::globalRelativeMode, relative ? 127 : 1); }
    int getCurve (int index) const { return cache.getCurve (index); }
    void setCurve (int index, int value) { cache.setCurve (index, value); }

    // The default assignment of every control. Globals, curves and the
    // detected keyboard's firmware revision are left alone.
    void resetToDefaults();

    //==============================================================================
    // Senders. Each returns false, sending nothing, without a keyboard output,
    // and paces the keyboard's output at one message per 2 ms.
    bool requestControllerNumbers (int item);
    bool requestValue (int parameter, int item, int memory);
    bool sendValue (int parameter, int item, int value, int memory);
    bool sendItemParam (int parameter, int item, int value);
    bool requestItemValue (int item);
    bool sendItemValue (int item, int value); // items 0 to 10 and 0x30 only
    bool requestMidiChannel();
    bool requestRelativeMode();
    bool sendRelativeMode (bool on);
    bool requestOctaveShift();
    bool sendOctaveShift (int shift);
    bool requestGlobal (int index);
    bool sendGlobalValue (int index, int value);
    bool requestCurve (int index);
    bool sendCurveValue (int index, int value);
    bool requestLedState (int led);
    bool sendLedState (int led, int state);
    bool storeToMemory (int memory);
    bool sendMemoryCommand05 (int memory);
    bool sendCachedGlobal (int index);
    bool sendCachedCurve (int index);

    // Sends the six parameters of one control, for the models that take them.
    void sendItemSetting (int id, int mode, int channel, int number, int minLsb, int maxMsb, int option);

    using SendAllReport = ::SendAllReport;

    // Sends every cached control (but the pitch strip), the global channel and
    // three curves, then stores them into the memory. Values the editor only
    // assumed are left out, so that the keyboard keeps its own.
    SendAllReport sendAllToKeyboard (int memory);

    // Whether a send writes this control's assignment: every control but the
    // pitch strip, which the keyboard keeps for itself.
    static bool isControlSent (int id);

    // Requests one value and blocks until the matching reply comes, sending
    // the request again when none came within a second, up to queryResends
    // times. A negative memory accepts a reply of any memory. The value, or
    // -1 when no reply came.
    int queryValue (int parameter, int item, int memory);

    static constexpr int queryTimeoutMs = ValueQuery::timeoutMs;
    static constexpr int queryResends = ValueQuery::resends;
    static constexpr int pacingMs = KeyboardOutput::pacingMs;

private:
    void detachFirmwareCallback();

    // Sends on the keyboard's output, paced; false, sending nothing, without
    // one, when a SysEx message carries a data byte of 0x80 or more, or when
    // the message did not leave (the port is gone).
    bool sendToKeyboard (const juce::MidiMessage& message) { return keyboardOutput.send (message); }

    void handleKeyboardMessage (const juce::String& sourceName, const juce::MidiMessage& message);
    void identify (const juce::String& sourceName, const juce::MidiMessage& identityReply);
    void applyPortNameFallback();
    void handleAsyncUpdate() override;
    void notifyListeners (int event, int a, int b);
    // A search, a read-back or a firmware transfer has every input open.
    bool inputsInUse() const;

    MidiPorts& ports;
    Clock& clock;

    mutable juce::CriticalSection stateLock;
    bool detected = false;
    int deviceCode = DeviceCode::vorlo;
    FirmwareRevision firmwareRevision {};
    juce::String inputPortName, outputPortName;

    std::atomic<bool> detectionFinished { false };
    std::atomic<bool> inputsHeldForReadBack { false };
    std::atomic<bool> inputsToClose { false }; // the keyboard identified itself again
    std::atomic<bool> touchesWanted { false };

    ValueCache cache;
    KeyboardMessageInterpreter interpreter { cache };

    IdentityProbe probe { ports, clock };
    InputPorts inputs { ports, *this };
    KeyboardOutput keyboardOutput { ports, clock };
    ValueQuery query { clock };
    BootLoaderPorts bootLoader;

    juce::CriticalSection listenersLock;
    juce::Array<OrvaneManagerListener*> listeners;

    static std::atomic<bool> midiInputsAllowed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OrvaneManager49)
};
