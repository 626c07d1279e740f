#include "SoakRig.h"

namespace
{
// Bounds in detection ticks and real time: far beyond what one cycle needs,
// so that only a hang reaches them.
constexpr int maxDetectionTicks = 6;
constexpr int settleTimeoutMs = 5000;

// The controls a player changes on the keyboard itself between two cycles,
// and the one the user edits in the editor before sending.
constexpr int knob1 = 0x30, firstPad = 0x70, editedKnob = 0x01;
constexpr int pitchStrip = 0x41;

// The set the keyboard holds, against what the editor holds of it, for every
// control the editor knows, the global channel and the three curves the
// editor reads and sends; empty when they agree.
juce::String differences (const KeyboardModel::Settings& settings, const OrvaneManager49& manager, bool sentOnly)
{
    const auto& cache = manager.getCache();
    for (const auto& [id, setting] : settings.controls)
    {
        if (! manager.isKnownItem (id) || (sentOnly && id == pitchStrip))
            continue;

        for (int parameter = 1; parameter <= 6; ++parameter)
        {
            if (sentOnly && cache.isAssumed (parameter, id))
                continue;

            const int held = cache.getItemParam (parameter, id);
            if (held != setting[(size_t) parameter])
                return "control 0x" + juce::String::toHexString (id) + ", parameter " + juce::String (parameter) + ": the keyboard has "
                    + juce::String (setting[(size_t) parameter]) + ", the editor " + juce::String (held);
        }
    }

    constexpr int channel = OrvaneMidiMessage49::globalMidiChannel;
    if (settings.globals[(size_t) channel] != cache.getGlobal (channel))
        return "the global channel: the keyboard has " + juce::String (settings.globals[(size_t) channel]) + ", the editor "
            + juce::String (cache.getGlobal (channel));

    for (const int curve : { 1, 3, 4 })
        if (settings.curves[(size_t) curve] != cache.getCurve (curve))
            return "curve " + juce::String (curve) + ": the keyboard has " + juce::String (settings.curves[(size_t) curve])
                + ", the editor " + juce::String (cache.getCurve (curve));
    return {};
}
} // namespace

SoakRig::SoakRig (double replyLatencyMs)
{
    // As in the demo, which may run for hours: no record of the messages.
    ports.setRecording (false);
    keyboard.setRecording (false);

    // The keyboard after another device on the desk, so that the search
    // needs its tick to reach it.
    keyboard.unplug();
    ports.addInput ("Virtual Synth");
    ports.addOutput ("Virtual Synth");
    keyboard.plugIn();
    keyboard.setReplyLatencyMs (replyLatencyMs);

    OrvaneManager49::setMidiInputsAllowed (true);
    manager.addListener (this);
}

SoakRig::~SoakRig()
{
    manager.stopListening();
    OrvaneManager49::setMidiInputsAllowed (false);
}

juce::Result SoakRig::runCycle (int cycle)
{
    if (auto result = plugInAndDetect (cycle); result.failed())
        return result;
    if (auto result = checkReadBack(); result.failed())
        return result;
    if (auto result = sendAndCheckMemory (cycle); result.failed())
        return result;
    return unplug();
}

void SoakRig::keyboardEvent (int event, int a, int, int)
{
    if (event == eventDetected && manager.isVorloDetected() && manager.getCache().hasUnkeptEdits())
    {
        detectedOverUnkeptEdits = true;
        readBack.stop();
        return;
    }

    readBack.handle (event, a);
}

//==============================================================================
juce::Result SoakRig::plugInAndDetect (int cycle)
{
    // What the player changed on the keyboard while it was away from the
    // editor: the read-back must bring it.
    keyboard.change (
        [cycle] (KeyboardModel& k)
        {
            k.working.controls[knob1][3] = cycle % 128;
            k.working.controls[firstPad][3] = 127 - cycle % 128;
            k.working.globals[OrvaneMidiMessage49::globalMidiChannel] = cycle % 16;
            k.working.curves[1] = cycle % 3;
        });

    if (cycle == 0)
    {
        // As the settings panel starts.
        manager.startDetection();
        follower.startFollowing();
    }
    else
    {
        keyboard.plugIn();
        follower.poll();
    }

    if (! manager.isProbing())
        return juce::Result::fail ("the editor did not start looking for the keyboard when it was plugged in");

    if (! tickUntil ([this] { return manager.isKeyboardDetected(); }, maxDetectionTicks))
        return juce::Result::fail ("the keyboard was not detected within " + juce::String (maxDetectionTicks) + " detection ticks");
    settle();

    if (detectedOverUnkeptEdits)
        return juce::Result::fail ("the keyboard came back to edits that were sent, yet counted as not kept");
    if (! manager.isVorloDetected())
        return juce::Result::fail ("a keyboard was detected, but not as a Vorlo");

    // The search ends at a later tick and closes the inputs the read-back held.
    if (! tickUntil ([this] { return ! manager.isProbing(); }, maxDetectionTicks))
        return juce::Result::fail ("the search did not end after the keyboard was found");
    flushMessageLoop();

    follower.poll();
    if (readBack.abandonIfStalled())
        return juce::Result::fail ("the read-back was given up on as stalled");
    if (follower.getState() != KeyboardFollower::State::connected)
        return juce::Result::fail ("the editor's watch on the ports does not see the keyboard as connected");
    if (ports.getNumOpenInputs() != 0)
        return juce::Result::fail (juce::String (ports.getNumOpenInputs()) + " MIDI inputs stayed open after detection ended");
    return juce::Result::ok();
}

juce::Result SoakRig::checkReadBack() const
{
    if (readBack.isReadingBack() || ! readBack.hasCompleted())
        return juce::Result::fail ("the read-back did not complete: " + juce::String (readBack.getRequestsSent()) + " of "
                                   + juce::String (ReadBackChain::numRequests) + " requests sent");
    if (readBack.getRequestsSent() != ReadBackChain::numRequests)
        return juce::Result::fail ("the read-back sent " + juce::String (readBack.getRequestsSent()) + " requests, not "
                                   + juce::String (ReadBackChain::numRequests));

    const auto working = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
    if (const auto difference = differences (working, manager, false); difference.isNotEmpty())
        return juce::Result::fail ("the read-back does not hold the keyboard's settings: " + difference);
    return juce::Result::ok();
}

juce::Result SoakRig::sendAndCheckMemory (int cycle)
{
    // The user edits one knob and sends into the next memory, round the eight.
    const int memory = cycle % KeyboardModel::numMemories + 1;
    const int editedNumber = (cycle * 7 + 3) % 128;
    manager.setNumber (editedKnob, editedNumber);

    const auto report = manager.sendAllToKeyboard (memory);
    if (! report.isComplete())
        return juce::Result::fail ("sending into memory " + juce::String (memory) + " failed: " + report.describeProblem (memory));
    if (manager.getCache().hasUnkeptEdits())
        return juce::Result::fail ("a send that stored everything left the edits counted as not kept");
    if (! settle())
        return juce::Result::fail ("the keyboard was still busy with the send after " + juce::String (settleTimeoutMs) + " ms");

    const auto stored = keyboard.inspect ([memory] (const KeyboardModel& k) { return k.memories[(size_t) memory]; });
    if (! stored.has_value())
        return juce::Result::fail ("the keyboard's memory " + juce::String (memory) + " holds nothing after the send");
    if (const auto difference = differences (*stored, manager, true); difference.isNotEmpty())
        return juce::Result::fail ("the keyboard's memory " + juce::String (memory) + " does not hold what was sent: " + difference);
    if (stored->controls.at (editedKnob)[3] != editedNumber)
        return juce::Result::fail ("the user's edit did not reach the keyboard's memory " + juce::String (memory));
    return juce::Result::ok();
}

juce::Result SoakRig::unplug()
{
    keyboard.unplug();
    follower.poll();

    if (follower.getState() != KeyboardFollower::State::disconnected || ! manager.isKeyboardUnplugged())
        return juce::Result::fail ("pulling the cable was not seen as the keyboard unplugged");
    if (manager.sendLedState (ReadBackChain::firstLed, 0))
        return juce::Result::fail ("a message to the unplugged keyboard was reported as sent");
    return juce::Result::ok();
}

//==============================================================================
bool SoakRig::tickUntil (const std::function<bool()>& condition, int maxTicks)
{
    for (int i = 0; i < maxTicks && ! condition(); ++i)
    {
        settle();
        clock.advance (OrvaneManager49::probeIntervalMs);
        manager.timerCallback();
    }
    settle();
    return condition();
}

bool SoakRig::settle() const { return ports.waitUntilIdle (settleTimeoutMs); }

void SoakRig::flushMessageLoop()
{
    auto done = std::make_shared<std::atomic<bool>> (false);
    juce::MessageManager::callAsync ([done] { *done = true; });

    auto* messageManager = juce::MessageManager::getInstance();
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) settleTimeoutMs;
    while (! *done && juce::Time::getMillisecondCounter() < deadline)
        messageManager->runDispatchLoopUntil (1);
}
