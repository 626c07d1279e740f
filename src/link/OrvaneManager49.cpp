#include "link/OrvaneManager49.h"

namespace
{
// The universal identity request, addressed to all devices.
const juce::MidiMessage identityRequest { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 };

constexpr int pauseAfterProbeMs = 5;
constexpr int firstTickDelayMs = 500;
constexpr int queryPollMs = 5;

constexpr int pitchStrip = 0x41;

bool fitsDataByte (int value) { return value >= 0 && value <= 127; }

// A request must carry a 7-bit memory byte even when the caller accepts a
// reply of any memory: the pad gains' own memory for a pad gain, where they
// are set and stored, and the settings' memory 0 for anything else.
int requestMemoryForAnyMemory (int parameter)
{
    return parameter == OrvaneMidiMessage49::parameterPadGain ? OrvaneMidiMessage49::padGainMemory : 0;
}

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
    releaseInputs();
    cancelPendingUpdate();
    stopTimer();

    const juce::ScopedLock lock (stateLock);
    probeOutput.reset();
    keyboardOutput.reset();
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

bool OrvaneManager49::isKeyboardOutputPresent() const
{
    juce::String name;
    {
        const juce::ScopedLock lock (stateLock);
        if (keyboardOutput == nullptr)
            return false;
        name = keyboardOutput->getName();
    }

    return ports.getOutputNames().contains (name);
}

void OrvaneManager49::markKeyboardUnplugged()
{
    const juce::ScopedLock lock (stateLock);
    markKeyboardUnpluggedLocked();
}

void OrvaneManager49::markKeyboardUnpluggedLocked()
{
    unplugged = true;
    keyboardOutput.reset();
}

bool OrvaneManager49::isKeyboardUnplugged() const
{
    const juce::ScopedLock lock (stateLock);
    return unplugged;
}

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
    outputCount = ports.getOutputNames().size();

    {
        const juce::ScopedLock lock (stateLock);
        detected = false;
        probeIndex = 0;
    }
    passesLeft = probePasses;

    if (outputCount == 0)
        return;

    sendIdentityRequest (0);
    lastTickMs = clock.getMillisecondCounter() + firstTickDelayMs;
    startTimer (probeIntervalMs);
}

void OrvaneManager49::stopDetection()
{
    stopTimer();
    probeOutput.reset();
    closeInputs();
}

void OrvaneManager49::restartDetection()
{
    stopDetection();
    startDetection();
}

void OrvaneManager49::sendIdentityRequest (int index)
{
    probeOutput.reset();
    probeOutput = ports.openOutput (index);

    // A port that will not open is skipped until the next tick.
    if (probeOutput != nullptr)
    {
        probeOutput->sendMessageNow (identityRequest);
        clock.sleep (pauseAfterProbeMs);
    }
}

void OrvaneManager49::timerCallback()
{
    const auto now = clock.getMillisecondCounter();
    if ((juce::int32) (now - lastTickMs) <= tickGuardMs)
        return;
    lastTickMs = now;

    const bool wasDetected = isKeyboardDetected();

    if (! wasDetected)
    {
        int next;
        {
            const juce::ScopedLock lock (stateLock);
            next = ++probeIndex;
        }
        if (next < outputCount)
        {
            sendIdentityRequest (next);
            return;
        }
    }

    --passesLeft;

    if (! wasDetected && passesLeft > 0)
    {
        {
            const juce::ScopedLock lock (stateLock);
            probeIndex = 0;
        }
        sendIdentityRequest (0);
        return;
    }

    stopTimer();
    probeOutput.reset();
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
        openEveryInput();
}

void OrvaneManager49::openEveryInput()
{
    // Inputs opened before are closed first, or each message would be heard twice.
    releaseInputs();

    const int count = ports.getInputNames().size();
    const juce::ScopedLock lock (inputsLock);

    for (int i = 0; i < count; ++i)
    {
        auto input = ports.openInput (i, *this);
        if (input != nullptr)
            input->start();
        openedInputs.push_back (std::move (input));
    }
}

void OrvaneManager49::closeInputs()
{
    if (midiInputsAllowed)
        releaseInputs();
}

void OrvaneManager49::releaseInputs()
{
    // Stopping an input waits for its callback to return, and that callback
    // may be waiting for a lock of ours: take the inputs out under the lock
    // and stop them outside it.
    std::vector<std::unique_ptr<MidiInputPort>> closing;
    {
        const juce::ScopedLock lock (inputsLock);
        closing.swap (openedInputs);
    }

    for (auto& input : closing)
        if (input != nullptr)
            input->stop();

    closing.clear();
}

bool OrvaneManager49::openOutputByName (const juce::String& inName, const juce::String& outName)
{
    {
        const juce::ScopedLock lock (stateLock);
        inputPortName = inName;
        outputPortName = outName;
    }

    const int index = ports.getOutputNames().indexOf (outName);
    if (index < 0)
        return false;

    // The port exists; if it will not open the keyboard stays without an output.
    auto output = ports.openOutput (index);
    const juce::ScopedLock lock (stateLock);
    keyboardOutput = std::move (output);
    return true;
}

void OrvaneManager49::setDevice (const juce::String& inName, const juce::String& outName, int code)
{
    {
        const juce::ScopedLock lock (stateLock);
        keyboardOutput.reset();
    }

    openOutputByName (inName, outName);

    {
        const juce::ScopedLock lock (stateLock);
        detected = true;
        unplugged = false;
        deviceCode = code;
    }

    notifyListeners (eventDetected, 0, 0);
}

//==============================================================================
void OrvaneManager49::sendMessage (const juce::MidiMessage& message) { sendToKeyboard (message); }

bool OrvaneManager49::sendToKeyboard (const juce::MidiMessage& message)
{
    // Whatever the cache or a caller holds, the keyboard never gets a SysEx
    // message it cannot parse.
    if (! OrvaneMidiMessage49 (message).hasOnlySevenBitData())
        return false;

    const juce::ScopedLock sending (sendLock);
    {
        const juce::ScopedLock lock (stateLock);
        if (keyboardOutput == nullptr)
            return false;

        if (! keyboardOutput->sendMessageNow (message))
        {
            markKeyboardUnpluggedLocked();
            return false;
        }
    }

    waitOutPacingGap();
    return true;
}

void OrvaneManager49::waitOutPacingGap()
{
    // The keyboard needs its full pause after every message, so each gap is
    // counted from the moment this message left; one that overslept is never
    // made up by shortening the next.
    clock.sleepUntil (clock.getMillisecondCounterHiRes() + pacingMs);
}

void OrvaneManager49::setForwardCallback (MidiInputPortCallback* callback, const juce::String& sourceName)
{
    // The lock is held while forwarding, so taking it waits for a call in progress.
    const juce::ScopedLock lock (forwardLock);
    forwardCallback = callback;
    forwardSourceName = sourceName;
}

bool OrvaneManager49::isFirmwareCallbackAttached() const
{
    const juce::ScopedLock lock (forwardLock);
    return forwardCallback != nullptr;
}

bool OrvaneManager49::attachFirmwareCallback (MidiInputPortCallback* callback, const juce::String& portName)
{
    if (callback == nullptr)
    {
        detachFirmwareCallback();
        return false;
    }

    // Windows XP names the boot loader's ports generically.
    const bool isWindowsXP = juce::SystemStats::getOperatingSystemType() == juce::SystemStats::WinXP;
    const auto name = isWindowsXP ? juce::String ("USB Audio Device") : portName;

    // The boot loader is looked for before anything of the keyboard's is
    // touched, so that without it the editor keeps its keyboard.
    const int outputIndex = ports.getOutputNames().indexOf (name);
    if (outputIndex < 0 || ! ports.getInputNames().contains (name))
        return false;

    auto bootLoaderOutput = ports.openOutput (outputIndex);
    if (bootLoaderOutput == nullptr)
        return false;

    // Probing would send identity requests to the boot loader, and its end
    // would close the boot loader's input.
    stopDetection();
    releaseInputs();
    {
        const juce::ScopedLock lock (stateLock);
        if (! portNamesBeforeFirmware)
            portNamesBeforeFirmware = std::make_pair (inputPortName, outputPortName);
        inputPortName = outputPortName = name;
        keyboardOutput = std::move (bootLoaderOutput);
    }

    // The boot loader must be heard, whatever detection was allowed; only
    // its own input is forwarded, so an echo or another device cannot pass
    // for its answers.
    openEveryInput();
    setForwardCallback (callback, name);
    return true;
}

void OrvaneManager49::detachFirmwareCallback()
{
    setForwardCallback (nullptr, {});
    releaseInputs();

    std::optional<std::pair<juce::String, juce::String>> keyboardPorts;
    {
        const juce::ScopedLock lock (stateLock);
        keyboardPorts = std::exchange (portNamesBeforeFirmware, std::nullopt);
        if (keyboardPorts)
        {
            keyboardOutput.reset();
            inputPortName = keyboardPorts->first;
            outputPortName = keyboardPorts->second;
        }
    }

    if (keyboardPorts && keyboardPorts->second.isNotEmpty())
        openOutputByName (keyboardPorts->first, keyboardPorts->second);
}

//==============================================================================
void OrvaneManager49::handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message)
{
    const auto sourceName = source != nullptr ? source->getName() : juce::String ("unknown");

    {
        const juce::ScopedLock lock (forwardLock);
        if (forwardCallback != nullptr && sourceName == forwardSourceName)
            forwardCallback->handleIncomingMidiMessage (source, message);
    }

    takeQueryReply (message);

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

    int probedIndex;
    {
        const juce::ScopedLock lock (stateLock);
        copyFirmwareRevision (identityReply, firmwareRevision);
        probedIndex = probeIndex;
    }

    // A late reply may come after the probe moved on to another device's
    // output: the output named like the replying input is the keyboard's own.
    const auto outputNames = ports.getOutputNames();
    setDevice (sourceName, outputNames.contains (sourceName) ? sourceName : outputNames[probedIndex], code);
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
    return fitsDataByte (value) && sendGlobalValue (index, value);
}

bool OrvaneManager49::sendCachedCurve (int index)
{
    const int value = cache.getCurve (index);
    return fitsDataByte (value) && sendCurveValue (index, value);
}

void OrvaneManager49::sendItemSetting (int id, int mode, int channel, int number, int minLsb, int maxMsb, int option)
{
    if (! takesControlParameters (getDeviceCode()))
        return;

    const int values[] = { mode, channel, number, minLsb, maxMsb, option };
    for (int p = 1; p <= 6; ++p)
        sendItemParam (p, id, values[p - 1]);
}

juce::String OrvaneManager49::SendAllReport::describeProblem (int memory) const
{
    const auto memoryText = "memory " + juce::String (memory);
    if (stored && valuesFailed == 0)
    {
        if (valuesOutOfRange.isEmpty())
            return {};
        return "Stored in " + memoryText + ", but these values do not fit the keyboard and were not sent: "
            + valuesOutOfRange.joinIntoString (", ") + ". The keyboard kept its own values for them.";
    }

    juce::String text = "Sending to the keyboard failed";
    if (valuesFailed > 0)
        text << ": " << valuesFailed << (valuesFailed == 1 ? " setting" : " settings") << " did not reach it";
    text << (stored ? ". " : ", and " + memoryText + " was not stored. ");
    text << "Check that the keyboard is connected, then send again.";
    return text;
}

bool OrvaneManager49::isControlSent (int id) { return id != pitchStrip; }

OrvaneManager49::SendAllReport OrvaneManager49::sendAllToKeyboard (int memory)
{
    SendAllReport report;
    if (getDeviceCode() != DeviceCode::vorlo)
    {
        report.refusedModel = true;
        return report;
    }

    // A system port whose device vanished swallows messages without a word:
    // its name leaving the port list is the only sign. Look before sending
    // anything, and again before storing.
    if (! isKeyboardOutputPresent())
    {
        markKeyboardUnplugged();
        return report;
    }

    // The first message that does not leave ends the send: the keyboard would
    // otherwise store a set with holes in it.
    bool failed = false;
    const auto sendOne = [&] (auto&& send)
    {
        if (send())
            ++report.valuesSent;
        else
        {
            ++report.valuesFailed;
            failed = true;
        }
    };

    for (const int id : cache.getControlsWithNumber())
    {
        if (! isControlSent (id))
            continue;

        bool leftAlone = false;
        for (int p = 1; p <= 6 && ! failed; ++p)
        {
            const int value = cache.getItemParam (p, id);
            if (value < 0)
                continue;

            if (cache.isAssumed (p, id))
            {
                leftAlone = true;
                continue;
            }

            sendOne ([&] { return sendValue (p, id, value, 0); });
        }

        if (leftAlone)
            report.controlsLeftAlone.push_back (id);
        if (failed)
            return report;
    }

    const auto sendParameter = [&] (const juce::String& name, int value, ValueSource source, auto&& send)
    {
        if (failed || source == ValueSource::assumed)
            return;
        if (! fitsDataByte (value))
            report.valuesOutOfRange.add (name + " (" + juce::String (value) + ")");
        else
            sendOne (send);
    };

    constexpr int globalChannel = OrvaneMidiMessage49::globalMidiChannel;
    sendParameter ("global " + juce::String (globalChannel), cache.getGlobal (globalChannel), cache.getGlobalSource (globalChannel),
                   [&] { return sendCachedGlobal (globalChannel); });

    for (const int curve : { 4, 1, 3 })
        sendParameter ("curve " + juce::String (curve), cache.getCurve (curve), cache.getCurveSource (curve),
                       [&] { return sendCachedCurve (curve); });

    if (failed)
        return report;

    if (! isKeyboardOutputPresent())
    {
        markKeyboardUnplugged();
        return report;
    }

    report.stored = storeToMemory (memory);
    if (report.isComplete())
        cache.markKept();
    return report;
}

//==============================================================================
int OrvaneManager49::queryValue (int parameter, int item, int memory)
{
    {
        const juce::ScopedLock lock (stateLock);
        queryPending = true;
        queryParameter = parameter;
        queryItem = item;
        queryMemory = memory;
        queryResult = -1;
    }

    // One lost message must not leave a value unread: the request goes again
    // when no reply came in time, and a late reply to an earlier sending
    // answers as well as any.
    for (int attempt = 0; attempt <= queryResends; ++attempt)
    {
        const bool requested = requestValue (parameter, item, memory >= 0 ? memory : requestMemoryForAnyMemory (parameter));

        // Without a keyboard output no answer can come: no point in waiting.
        // The time-out is measured on the clock, not counted in polls, whose
        // sleeps may each run long.
        if (! requested)
            break;

        const double deadline = clock.getMillisecondCounterHiRes() + queryTimeoutMs;
        while (clock.getMillisecondCounterHiRes() < deadline)
        {
            {
                const juce::ScopedLock lock (stateLock);
                if (! queryPending)
                    return queryResult;
            }
            clock.sleep (queryPollMs);
        }
    }

    const juce::ScopedLock lock (stateLock);
    const bool answered = ! queryPending;
    queryPending = false;
    return answered ? queryResult : -1;
}

void OrvaneManager49::takeQueryReply (const juce::MidiMessage& message)
{
    const juce::ScopedLock lock (stateLock);
    if (! queryPending)
        return;

    // Only the awaited reply ends the wait: a pad struck or a knob turned
    // meanwhile must not pass for an answer, nor a reply cut short before
    // its value, which would read as 0.
    const OrvaneMidiMessage49 reply (message);
    if (reply.isOwnSysEx() && reply.hasValue()
        && reply.matches (OrvaneMidiMessage49::operationValue, queryParameter, queryItem, queryMemory))
    {
        queryResult = reply.getValue();
        queryPending = false;
    }
}
