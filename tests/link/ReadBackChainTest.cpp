#include "link/ReadBackChain.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/KeyboardRig.h"

#include <gmock/gmock.h>

class ReadBackChainRules : public KeyboardRig
{
protected:
    void SetUp() override
    {
        KeyboardRig::SetUp();
        connect();
        keyboard.setSilent (true); // only what the chain sends counts here
        chain = std::make_unique<ReadBackChain> (*manager);
    }

    // The (parameter, item) of each request sent since the last look.
    std::vector<std::pair<int, int>> sentSinceLastLook()
    {
        std::vector<std::pair<int, int>> requests;
        const auto sent = sentToKeyboard();
        for (size_t i = seen; i < sent.size(); ++i)
            requests.emplace_back (OrvaneMidiMessage49 (sent[i].message).getParameter(), OrvaneMidiMessage49 (sent[i].message).getItem());
        seen = sent.size();
        return requests;
    }

    std::unique_ptr<ReadBackChain> chain;
    size_t seen = 0;
};

TEST_F (ReadBackChainRules, EachReplyAsksForTheNextValue)
{
    using Outcome = ReadBackChain::Outcome;
    struct Step
    {
        int event, a;
        std::vector<std::pair<int, int>> next;
        Outcome outcome;
    };
    const Step steps[] = {
        { eventDetected, 0, { { 3, 0 } }, Outcome::nothing },
        { eventControllerNumbers, 0, { { 1, 0 } }, Outcome::nothing },
        { eventParameterValues, 1, { { 2, 0 } }, Outcome::nothing },
        { eventParameterValues, 2, { { 4, 0 } }, Outcome::nothing },
        { eventParameterValues, 4, { { 5, 0 } }, Outcome::nothing },
        { eventParameterValues, 5, { { 6, 0 } }, Outcome::nothing },
        { eventParameterValues, 6, { { 0x40, 6 } }, Outcome::nothing },
        { eventMidiChannel, 2, { { 0x40, 2 } }, Outcome::nothing },
        { eventRelativeMode, 1, { { 0x41, 4 } }, Outcome::nothing },
        { eventControlMoved, 0x30, {}, Outcome::nothing },
        { eventItemValue, 99, {}, Outcome::nothing },
        { eventCurveValue, 4, { { 0x41, 3 } }, Outcome::nothing },
        { eventCurveValue, 3, { { 0x41, 1 } }, Outcome::nothing },
        { eventCurveValue, 0, {}, Outcome::nothing },
        { eventGlobalValue, 5, { { 0x40, 1 } }, Outcome::nothing },
        { eventGlobalValue, 1, { { 0x40, 7 } }, Outcome::nothing },
        { eventGlobalValue, 7, { { 0x40, 8 } }, Outcome::nothing },
        { eventGlobalValue, 8, { { 0x40, 3 } }, Outcome::refreshGlobals },
        { eventCurveValue, 1, { { 0x40, 3 } }, Outcome::refreshGlobals },
        { eventOctaveShift,
          0,
          { { 0, 99 }, { 0, 100 }, { 0, 101 }, { 0, 102 }, { 0, 103 }, { 0, 104 }, { 0, 105 }, { 0, 106 } },
          Outcome::nothing },
    };

    for (const auto& step : steps)
    {
        SCOPED_TRACE (juce::String (step.event) + " " + juce::String (step.a));
        EXPECT_TRUE (step.event == eventDetected || chain->isReadingBack());
        EXPECT_EQ (chain->handle (step.event, step.a), step.outcome);
        EXPECT_EQ (sentSinceLastLook(), step.next);
    }
    EXPECT_FALSE (chain->isReadingBack());

    // Once over, replies ask for nothing more.
    EXPECT_EQ (chain->handle (eventParameterValues, 1), ReadBackChain::Outcome::nothing);
    EXPECT_TRUE (sentSinceLastLook().empty());
}

TEST_F (ReadBackChainRules, AReplyOfNumbersAmongTheParametersStopsTheChain)
{
    chain->handle (eventDetected, 0);
    chain->handle (eventControllerNumbers, 0);
    sentSinceLastLook();

    chain->handle (eventParameterValues, 3);
    EXPECT_FALSE (chain->isReadingBack());
    chain->handle (eventParameterValues, 1);
    EXPECT_TRUE (sentSinceLastLook().empty());
}

TEST_F (ReadBackChainRules, ANewDetectionStartsAgainFromTheNumbers)
{
    chain->handle (eventDetected, 0);
    chain->handle (eventControllerNumbers, 0);
    chain->handle (eventParameterValues, 1);
    sentSinceLastLook();

    chain->handle (eventDetected, 0);
    EXPECT_TRUE (chain->isReadingBack());
    EXPECT_EQ (sentSinceLastLook(), (std::vector<std::pair<int, int>> { { 3, 0 } }));
}

TEST_F (ReadBackChainRules, TheEndOfDetectionAsksForARefresh)
{
    EXPECT_EQ (chain->handle (eventDetectionEnded, 0), ReadBackChain::Outcome::refreshGlobals);
    EXPECT_TRUE (manager->isDetectionFinished());
    EXPECT_FALSE (chain->isReadingBack());
    EXPECT_TRUE (sentSinceLastLook().empty());
}

TEST_F (ReadBackChainRules, KnobsTurnedWhileTheKeyboardStopsAnsweringNoLongerKeepTheReadBackWaiting)
{
    chain->handle (eventDetected, 0);
    chain->handle (eventControllerNumbers, 0);
    sentSinceLastLook();

    // The keyboard does not answer the modes; the player turns a knob now
    // and then. The request goes twice more before the chain ends.
    for (int sending = 0; sending <= ReadBackChain::maxResends; ++sending)
    {
        for (int i = 0; i < 4; ++i)
        {
            clock.advance (ReadBackChain::stepTimeoutMs / 4 + 1);
            chain->handle (eventControlMoved, 0x01);
            chain->handle (eventItemValue, 99);
        }
        const bool last = sending == ReadBackChain::maxResends;
        EXPECT_EQ (chain->abandonIfStalled(), last);
        using Requests = std::vector<std::pair<int, int>>;
        EXPECT_EQ (sentSinceLastLook(), last ? Requests() : Requests ({ { 1, 0 } }));
    }
    EXPECT_FALSE (chain->isReadingBack());
}

TEST_F (ReadBackChainRules, ARequestSentAgainGoesOnOnceHoweverManyOfItsRepliesCome)
{
    chain->handle (eventDetected, 0);
    chain->handle (eventControllerNumbers, 0); // asks for the modes
    clock.advance (ReadBackChain::stepTimeoutMs);
    EXPECT_FALSE (chain->abandonIfStalled()); // asks again
    sentSinceLastLook();

    // Both sendings are answered, the second late, after the next request went.
    chain->handle (eventParameterValues, 1);
    chain->handle (eventParameterValues, 1);
    chain->handle (eventParameterValues, 2);
    chain->handle (eventParameterValues, 1);
    EXPECT_EQ (sentSinceLastLook(), (std::vector<std::pair<int, int>> { { 2, 0 }, { 4, 0 } }));
    EXPECT_TRUE (chain->isReadingBack());
}
