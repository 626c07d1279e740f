#include "link/OrvaneManager49.h"

#include "link/ControlFinder.h"

namespace
{
bool takesControlParameters (int deviceCode)
{
    return deviceCode == DeviceCode::vantry || deviceCode == DeviceCode::vantry61 || deviceCode == DeviceCode::vorlo;
}
} // namespace

std::atomic<bool> OrvaneManager49::midiInputsAllowed { false };

OrvaneManager49::OrvaneManager49 (MidiPorts& portsToUse, Clock& clockToUse) : ports (portsToUse), clock (clockToUse) {}

OrvaneManager49::~OrvaneManager49()
{
    // Inputs first: once they are gone no MIDI callback can reach what follows.
    inputs.closeAll();
    cancelPendingUpdate();
    stopTimer();
    probe.stop();
    keyboardOutput.close();
}

void OrvaneManager49::setMidiInputsAllowed (bool allowed) { midiInputsAllowed = allowed; }

void OrvaneManager49::addListener (OrvaneManagerListener* listener)
{
    const juce::ScopedLock lock (listenersLock);
    listeners.add (listener);
}

void OrvaneManager49::notifyListeners (int event, int a, int b)
{
    juce::Array<OrvaneManagerListener*> toCall;
    {
        const juce::ScopedLock lock (listenersLock);
        toCall = listeners;
    }

    for (auto* listener : toCall)
        listener->keyboardEvent (event, a, b, 0);
}

bool OrvaneManager49::isKeyboardDetected() const
{
    const juce::ScopedLock lock (stateLock);
    return detected;
}

int OrvaneManager49::getDeviceCode() const
{
    const juce::ScopedLock lock (stateLock);
    return deviceCode;
}

bool OrvaneManager49::isVorloDetected() const
{
    const juce::ScopedLock lock (stateLock);
    return detected && deviceCode == DeviceCode::vorlo;
}

FirmwareRevision OrvaneManager49::getFirmwareRevision() const
{
    const juce::ScopedLock lock (stateLock);
    return firmwareRevision;
}

juce::String OrvaneManager49::getInputPortName() const
{
    const juce::ScopedLock lock (stateLock);
    return inputPortName;
}

juce::String OrvaneManager49::getOutputPortName() const
{
    const juce::ScopedLock lock (stateLock);
    return outputPortName;
}

bool OrvaneManager49::isKeyboardOutputPresent() const { return keyboardOutput.isPresent(); }
void OrvaneManager49::markKeyboardUnplugged() { keyboardOutput.markUnplugged(); }
bool OrvaneManager49::isKeyboardUnplugged() const { return keyboardOutput.isUnplugged(); }

void OrvaneManager49::holdInputsForReadBack (bool hold)
{
    // Released on the MIDI thread by the read-back's last reply: the inputs
    // are closed from the message thread, never from inside their callback.
    if (! inputsHeldForReadBack.exchange (hold) || hold)
        return;
    triggerAsyncUpdate();
}

//==============================================================================
void OrvaneManager49::startDetection()
{
    if (isTimerRunning())
        return;

    openInputs();
    {
        const juce::ScopedLock lock (stateLock);
        detected = false;
    }

    if (probe.start())
        startTimer (probeIntervalMs);
}

void OrvaneManager49::stopDetection()
{
    stopTimer();
    probe.stop();
    closeInputs();
}

void OrvaneManager49::restartDetection()
{
    stopDetection();
    startDetection();
}

void OrvaneManager49::timerCallback()
{
    if (probe.tick (isKeyboardDetected()) != IdentityProbe::Step::over)
        return;

    stopTimer();
    if (! inputsHeldForReadBack)
        closeInputs();

    if (isKeyboardDetected())
        return;

    if (! midiInputsAllowed)
        applyPortNameFallback();

    notifyListeners (eventDetectionEnded, 0, 0);
}

void OrvaneManager49::applyPortNameFallback()
{
    // Without inputs no identity reply can come; a known model's exact port
    // name stands in for it. Every match is applied, so the last one wins.
    const auto outputNames = ports.getOutputNames();
    const auto* known = KnownPortManager::getInstance();

    for (int i = 0; i < known->getNumKnownDevices(); ++i)
    {
        const auto& device = known->getKnownDevice (i);
        if (outputNames.contains (device.name))
            setDevice (device.name, device.name, device.deviceCode);
    }
}

//==============================================================================
void OrvaneManager49::openInputs()
{
    if (midiInputsAllowed)
        inputs.openAll();
}

void OrvaneManager49::closeInputs()
{
    if (! midiInputsAllowed)
        return;

    juce::String keyboardInput;
    {
        const juce::ScopedLock lock (stateLock);
        if (detected)
            keyboardInput = inputPortName;
    }

    if (touchesWanted && keyboardInput.isNotEmpty() && ! keyboardOutput.isUnplugged())
        inputs.openOnly (keyboardInput);
    else
        inputs.closeAll();
}

bool OrvaneManager49::inputsInUse() const { return isTimerRunning() || inputsHeldForReadBack || bootLoader.isForwarding(); }

void OrvaneManager49::listenForTouches (bool listen)
{
    if (touchesWanted.exchange (listen) == listen || inputsInUse())
        return;
    // Whatever needs every input ends by closing them: the keyboard's own
    // is kept open then.
    closeInputs();
}

bool OrvaneManager49::openOutputByName (const juce::String& inName, const juce::String& outName)
{
    {
        const juce::ScopedLock lock (stateLock);
        inputPortName = inName;
        outputPortName = outName;
    }

    return keyboardOutput.openByName (outName);
}

void OrvaneManager49::setDevice (const juce::String& inName, const juce::String& outName, int code)
{
    keyboardOutput.close();
    openOutputByName (inName, outName);
    keyboardOutput.markPluggedIn();

    {
        const juce::ScopedLock lock (stateLock);
        detected = true;
        deviceCode = code;
    }

    notifyListeners (eventDetected, 0, 0);
}

//==============================================================================
void OrvaneManager49::sendMessage (const juce::MidiMessage& message) { sendToKeyboard (message); }

bool OrvaneManager49::isFirmwareCallbackAttached() const { return bootLoader.isForwarding(); }

bool OrvaneManager49::attachFirmwareCallback (MidiInputPortCallback* callback, const juce::String& portName)
{
    if (callback == nullptr)
    {
        detachFirmwareCallback();
        return false;
    }

    // The boot loader is looked for before anything of the keyboard's is
    // touched, so that without it the editor keeps its keyboard.
    const auto name = BootLoaderPorts::nameOnThisSystem (portName);
    auto bootLoaderOutput = BootLoaderPorts::openOutput (ports, name);
    if (bootLoaderOutput == nullptr)
        return false;

    // Probing would send identity requests to the boot loader, and its end
    // would close the boot loader's input.
    stopDetection();
    inputs.closeAll();
    {
        const juce::ScopedLock lock (stateLock);
        bootLoader.keepKeyboardPortNames ({ inputPortName, outputPortName });
        inputPortName = outputPortName = name;
    }
    keyboardOutput.hold (std::move (bootLoaderOutput));

    // The boot loader must be heard, whatever detection was allowed; only
    // its own input is forwarded, so an echo or another device cannot pass
    // for its answers.
    inputs.openAll();
    bootLoader.forwardTo (callback, name);
    return true;
}

void OrvaneManager49::detachFirmwareCallback()
{
    bootLoader.forwardTo (nullptr, {});
    inputs.closeAll();

    std::optional<BootLoaderPorts::PortNames> keyboardPorts;
    {
        const juce::ScopedLock lock (stateLock);
        keyboardPorts = bootLoader.takeKeyboardPortNames();
        if (keyboardPorts)
        {
            inputPortName = keyboardPorts->first;
            outputPortName = keyboardPorts->second;
        }
    }

    if (! keyboardPorts)
        return;
    keyboardOutput.close();
    if (keyboardPorts->second.isNotEmpty())
        openOutputByName (keyboardPorts->first, keyboardPorts->second);
}

//==============================================================================
void OrvaneManager49::handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message)
{
    const auto sourceName = source != nullptr ? source->getName() : juce::String ("unknown");

    bootLoader.forward (source, sourceName, message);
    query.take (message);

    bool fromKeyboard = false, keyboardKnown = false;
    {
        const juce::ScopedLock lock (stateLock);
        keyboardKnown = detected;
        fromKeyboard = detected && sourceName == inputPortName;
    }

    if (keyboardKnown)
    {
        // Another device's input is not the keyboard's business.
        if (fromKeyboard)
            handleKeyboardMessage (sourceName, message);
        return;
    }

    if (isIdentityReply (message))
        identify (sourceName, message);
}

void OrvaneManager49::identify (const juce::String& sourceName, const juce::MidiMessage& identityReply)
{
    // A reply cut short names no model and no revision: it identifies nothing.
    const int code = deviceCodeFromIdentityReply (identityReply);
    if (code == 0)
        return;

    {
        const juce::ScopedLock lock (stateLock);
        copyFirmwareRevision (identityReply, firmwareRevision);
    }

    // A late reply may come after the probe moved on to another device's
    // output: the output named like the replying input is the keyboard's own.
    const auto outputNames = ports.getOutputNames();
    setDevice (sourceName, outputNames.contains (sourceName) ? sourceName : outputNames[probe.probedIndex()], code);
}

void OrvaneManager49::handleKeyboardMessage (const juce::String& sourceName, const juce::MidiMessage& message)
{
    if (message.isSysEx() && isIdentityReply (message))
    {
        // The keyboard identified itself again. Its inputs are closed from
        // the message thread: deleting an input from inside its own callback
        // is not safe with every MIDI driver.
        identify (sourceName, message);
        inputsToClose = true;
        triggerAsyncUpdate();
        return;
    }

    if (const auto event = interpreter.interpret (message))
        notifyListeners (event->event, event->a, event->b);

    if (touchesWanted)
        if (const auto touched = ControlFinder::controlFor (message, cache))
            notifyListeners (eventControlTouched, *touched, 0);
}

void OrvaneManager49::handleAsyncUpdate()
{
    // A read-back under way still needs the keyboard's replies; one that
    // ended while probing goes on leaves them to the detection tick.
    if (inputsHeldForReadBack)
        return;
    if (inputsToClose.exchange (false) || ! isTimerRunning())
        closeInputs();
}

//==============================================================================
void OrvaneManager49::resetToDefaults() { cache.resetToDefaults (ValueSource::defaults); }


bool OrvaneManager49::requestControllerNumbers (int item)
{
    return sendToKeyboard (OrvaneMidiMessage49::createControllerNumberRequest (item));
}
bool OrvaneManager49::requestValue (int parameter, int item, int memory)
{
    return sendToKeyboard (OrvaneMidiMessage49::createRequest (parameter, item, memory));
}
bool OrvaneManager49::sendValue (int parameter, int item, int value, int memory)
{
    return sendToKeyboard (OrvaneMidiMessage49::createValue (parameter, item, value, memory));
}
bool OrvaneManager49::sendItemParam (int parameter, int item, int value) { return sendValue (parameter, item, value, 0); }
bool OrvaneManager49::requestItemValue (int item) { return sendToKeyboard (OrvaneMidiMessage49::createItemValueRequest (item)); }

bool OrvaneManager49::sendItemValue (int item, int value)
{
    if (! ((item >= 0 && item <= 10) || item == 0x30))
        return false;
    return sendToKeyboard (OrvaneMidiMessage49::createItemValueSet (item, value));
}

bool OrvaneManager49::requestMidiChannel() { return sendToKeyboard (OrvaneMidiMessage49::createMidiChannelRequest()); }
bool OrvaneManager49::requestRelativeMode() { return sendToKeyboard (OrvaneMidiMessage49::createRelativeModeRequest()); }
bool OrvaneManager49::sendRelativeMode (bool on) { return sendToKeyboard (OrvaneMidiMessage49::createRelativeModeSet (on)); }
bool OrvaneManager49::requestOctaveShift() { return sendToKeyboard (OrvaneMidiMessage49::createOctaveShiftRequest()); }
bool OrvaneManager49::sendOctaveShift (int shift) { return sendToKeyboard (OrvaneMidiMessage49::createOctaveShiftSet (shift)); }
bool OrvaneManager49::requestGlobal (int index) { return sendToKeyboard (OrvaneMidiMessage49::createGlobalRequest (index)); }
bool OrvaneManager49::sendGlobalValue (int index, int value)
{
    return sendToKeyboard (OrvaneMidiMessage49::createGlobalValue (index, value));
}
bool OrvaneManager49::requestCurve (int index) { return sendToKeyboard (OrvaneMidiMessage49::createCurveRequest (index)); }
bool OrvaneManager49::sendCurveValue (int index, int value)
{
    return sendToKeyboard (OrvaneMidiMessage49::createCurveValue (index, value));
}
bool OrvaneManager49::requestLedState (int led) { return sendToKeyboard (OrvaneMidiMessage49::createLedStateRequest (led)); }
bool OrvaneManager49::sendLedState (int led, int state) { return sendToKeyboard (OrvaneMidiMessage49::createLedStateSet (led, state)); }
bool OrvaneManager49::storeToMemory (int memory) { return sendToKeyboard (OrvaneMidiMessage49::createStoreToMemory (memory)); }
bool OrvaneManager49::sendMemoryCommand05 (int memory) { return sendToKeyboard (OrvaneMidiMessage49::createMemoryCommand05 (memory)); }
bool OrvaneManager49::sendCachedGlobal (int index)
{
    const int value = cache.getGlobal (index);
    return OrvaneMidiMessage49::isDataByte (value) && sendGlobalValue (index, value);
}

bool OrvaneManager49::sendCachedCurve (int index)
{
    const int value = cache.getCurve (index);
    return OrvaneMidiMessage49::isDataByte (value) && sendCurveValue (index, value);
}

void OrvaneManager49::sendItemSetting (int id, int mode, int channel, int number, int minLsb, int maxMsb, int option)
{
    if (! takesControlParameters (getDeviceCode()))
        return;

    const int values[] = { mode, channel, number, minLsb, maxMsb, option };
    for (int p = 1; p <= 6; ++p)
        sendItemParam (p, id, values[p - 1]);
}

bool OrvaneManager49::isControlSent (int id) { return SendAll::isControlSent (id); }

SendAllReport OrvaneManager49::sendAllToKeyboard (int memory)
{
    if (getDeviceCode() != DeviceCode::vorlo)
    {
        SendAllReport refused;
        refused.refusedModel = true;
        return refused;
    }
    return SendAll::toMemory (cache, keyboardOutput, memory);
}

//==============================================================================
int OrvaneManager49::queryValue (int parameter, int item, int memory)
{
    return query.ask (parameter, item, memory, [this] (const juce::MidiMessage& request) { return sendToKeyboard (request); });
}
