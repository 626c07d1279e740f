#pragma once

#include "link/OrvaneManager49.h"

// Reads every setting from the keyboard right after it was detected, as a
// chain: each reply event asks for the next value, so the keyboard is never
// sent a request before it answered the last one. Called with the manager's
// events on whichever thread raises them; it only sends through the manager
// and never touches a widget. While it runs the manager keeps listening. A
// request whose reply does not come within the step time is sent again, up
// to twice, and only then is the keyboard given up on; the late replies of
// a request answered twice are let pass.
class ReadBackChain
{
public:
    explicit ReadBackChain (OrvaneManager49& manager);

    enum class Outcome
    {
        nothing,
        refreshGlobals // the panel should refresh its global widgets on the message thread
    };

    Outcome handle (int event, int a);

    bool isReadingBack() const { return readingBack; }

    // Starts the chain from the beginning, as a detection does.
    void start();

    // Sends the awaited request again when its reply has not come for
    // stepTimeoutMs, on the manager's clock; after maxResends it ends the
    // chain instead. True when it ended one: since the start forgot what the
    // editor held, the values not read show as not read.
    bool abandonIfStalled();

    // Ends a chain under way without telling anyone, as when the panel asks
    // the user before reading over edits.
    void stop();

    // Whether the chain ran to its end, the LEDs switched off, since it last
    // started: every setting was read.
    bool hasCompleted() const { return completed; }

    // How many of the chain's requests have gone out since it last started,
    // out of numRequests, for a progress display.
    int getRequestsSent() const { return requestsSent; }
    static constexpr int numRequests = 12;

    // Longer than any keyboard takes to answer one request.
    static constexpr int stepTimeoutMs = 1500;
    static constexpr int maxResends = 2;

    // The LEDs switched off at the end of the chain: 99 to 106.
    static constexpr int firstLed = 99;
    static constexpr int numLeds = 8;

private:
    // A request, named by the reply that answers it: the reply's event and,
    // for values, curves and globals, which one.
    struct Reply
    {
        int event, a;
        bool operator== (const Reply& other) const { return event == other.event && a == other.a; }
    };
    static Reply replyTo (int event, int a);

    // The events of the replies the chain asks for, as against control moves.
    static bool isReply (int event);
    // Takes a reply to go on with; false for a late copy of one already taken.
    bool takeReply (Reply reply);
    Outcome continueWithParameters (int parameter);
    Outcome continueWithCurves (int curve);
    Outcome continueWithGlobals (int index);
    Outcome finishWithOctaveShift();
    void finish();
    void noteStep();
    void request (Reply awaited);
    bool send (Reply awaited);

    OrvaneManager49& manager;
    std::atomic<bool> readingBack { false }, completed { false };
    std::atomic<int> requestsSent { 0 };
    std::atomic<double> lastStepMs { 0.0 };

    // What the chain awaits and what it took, on whichever thread.
    juce::CriticalSection stepLock;
    std::optional<Reply> awaited;
    std::vector<Reply> taken;
    int resends = 0;
};
