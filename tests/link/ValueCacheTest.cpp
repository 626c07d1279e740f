#include "link/ValueCache.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

TEST (ValueCache, DefaultsAfterConstruction)
{
    const ValueCache cache;

    struct Case
    {
        int parameter, id, value;
    };
    const Case cases[] = {
        { 1, 0x70, 9 },   { 2, 0x70, 9 },    { 3, 0x70, 36 }, { 6, 0x70, 1 },  // pad 1: note on channel 10
        { 3, 0x77, 43 },  { 1, 0x78, 8 },    { 2, 0x78, 0 },  { 3, 0x7F, 29 }, // shifted pads: switched controllers
        { 1, 0x50, 8 },   { 2, 0x50, 0x41 }, { 3, 0x50, 64 },                  // the sustain pedal keeps the global channel
        { 1, 0x41, 12 },  { 6, 0x41, 0 },    { 1, 0x40, 1 },  { 6, 0x40, 0 },  // strips
        { 1, 0x30, 1 },   { 2, 0x30, 0x41 }, { 3, 0x30, 7 },  { 4, 0x30, 0 },  { 5, 0x30, 127 }, { 6, 0x30, 1 },
        { 3, 0x33, 114 }, { 2, 0x20, 0 },    { 3, 0x21, 21 }, { 4, 0x31, -1 }, { 3, 0x31, -1 },  { 0, 0x30, -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (cache.getItemParam (c.parameter, c.id), c.value) << "parameter " << c.parameter << " of 0x" << std::hex << c.id;

    EXPECT_EQ (cache.getControlsWithNumber().size(), 37u);
    EXPECT_EQ (cache.getGlobal (6), 0);
    EXPECT_EQ (cache.getCurve (4), 0);
}

TEST (ValueCache, KnownItemsAreTheThirtySevenIdsRepliesMayStore)
{
    const ValueCache cache;
    int known = 0;
    for (int id = 0; id < 256; ++id)
        known += cache.isKnownItem (id) ? 1 : 0;

    EXPECT_EQ (known, 37);
    for (int id : { 0x01, 0x0E, 0x30, 0x34, 0x40, 0x50, 0x70, 0x7F })
        EXPECT_TRUE (cache.isKnownItem (id)) << id;
    for (int id : { 0x00, 0x0F, 0x20, 0x21, 0x35, 0x41, 0x51 })
        EXPECT_FALSE (cache.isKnownItem (id)) << id;
}

TEST (ValueCache, ControlParametersRefuseWhatFitsNoDataByteGlobalsAndCurvesHoldSixteenBits)
{
    ValueCache cache;
    EXPECT_FALSE (cache.setItemParam (3, 0x30, 200)) << "refused, not clamped to 127";
    EXPECT_FALSE (cache.setItemParam (4, 0x30, -5));
    EXPECT_FALSE (cache.setItemParam (3, 300, 10));  // no such control id on the wire
    EXPECT_FALSE (cache.setItemParam (7, 0x30, 10)); // no such parameter
    EXPECT_TRUE (cache.setItemParam (5, 0x30, 127));
    cache.setGlobal (6, 1000);
    cache.setGlobal (3, -2);
    cache.setGlobal (12, 5);
    cache.setCurve (-1, 5);
    cache.setCurve (1, -3);
    cache.setCurve (2, 70000);

    EXPECT_EQ (cache.getItemParam (3, 0x30), 7) << "the default, as it was";
    EXPECT_EQ (cache.getItemParam (4, 0x30), 0);
    EXPECT_TRUE (cache.isAssumed (3, 0x30));
    EXPECT_EQ (cache.getItemParam (3, 300), -1);
    EXPECT_EQ (cache.getItemParam (7, 0x30), -1);
    EXPECT_EQ (cache.getGlobal (6), 1000);
    EXPECT_EQ (cache.getGlobal (3), -2) << "a file's octave transposition";
    EXPECT_EQ (cache.getGlobal (12), -1);
    EXPECT_EQ (cache.getCurve (1), -3);
    EXPECT_EQ (cache.getCurve (2), (int) (juce::int16) 70000);
}

TEST (ValueCache, EveryValueKnowsWhereItCameFrom)
{
    ValueCache cache;
    EXPECT_TRUE (cache.isAssumed (3, 0x30)) << "the start-up defaults are only a guess";
    EXPECT_TRUE (cache.isAssumed (3, 0x31)) << "and a missing value is no better";
    EXPECT_EQ (cache.getGlobalSource (6), ValueSource::assumed);
    EXPECT_EQ (cache.getCurveSource (1), ValueSource::assumed);

    cache.storeReplyPairs (3, { 0x30, 10, 0x20, 50 });
    EXPECT_EQ (cache.getItemSource (3, 0x30), ValueSource::keyboard);
    EXPECT_TRUE (cache.isAssumed (3, 0x20)) << "a reply for an id the keyboard's replies do not cover stores nothing";
    EXPECT_EQ (cache.getItemParam (3, 0x20), 20);

    cache.setItemParam (2, 0x30, 4);
    cache.setGlobal (6, 2, ValueSource::file);
    EXPECT_EQ (cache.getItemSource (2, 0x30), ValueSource::user);
    EXPECT_EQ (cache.getGlobalSource (6), ValueSource::file);

    cache.applyDefaultValues();
    EXPECT_EQ (cache.getItemSource (3, 0x20), ValueSource::defaults);
    EXPECT_EQ (cache.getGlobalSource (6), ValueSource::defaults);
    EXPECT_EQ (cache.getGlobal (6), 0);
    EXPECT_EQ (cache.getCurve (4), 2);
}

TEST (ValueCache, ResetRefillsTheAssignmentButNotGlobalsOrCurves)
{
    ValueCache cache;
    cache.setItemParam (3, 0x30, 10);
    cache.setItemParam (3, 0x31, 11);
    cache.setGlobal (6, 4);
    cache.setCurve (3, 2);

    cache.resetToDefaults (ValueSource::defaults);

    EXPECT_EQ (cache.getItemParam (3, 0x30), 7);
    EXPECT_EQ (cache.getItemParam (3, 0x31), -1);
    EXPECT_EQ (cache.getGlobal (6), 4);
    EXPECT_EQ (cache.getCurve (3), 2);
}

TEST (ValueCache, ControlByNumberFollowsTheLastRebuildAndTheHighestIdWins)
{
    ValueCache cache;
    EXPECT_EQ (cache.getControlForNumber (7), 0x30); // built on first use

    cache.setItemParam (3, 0x01, 7); // knob 2 now shares knob 1's number
    EXPECT_EQ (cache.getControlForNumber (74), 0x01) << "not rebuilt yet";

    cache.rebuildControlByNumber();
    EXPECT_EQ (cache.getControlForNumber (7), 0x30);
    EXPECT_EQ (cache.getControlForNumber (74), -1);
}

TEST (ValueCache, OnlyTheUsersEditsAndDefaultsAreEditsToKeep)
{
    ValueCache cache;
    EXPECT_FALSE (cache.hasUnkeptEdits());

    cache.storeReplyPairs (3, { 0x30, 10 });
    cache.setGlobal (6, 2, ValueSource::keyboard);
    cache.setCurve (1, 2, ValueSource::file);
    EXPECT_FALSE (cache.hasUnkeptEdits()) << "what the keyboard or a file says is not the user's edit";

    cache.setItemParam (3, 0x30, 11);
    EXPECT_TRUE (cache.hasUnkeptEdits());
    cache.markKept();
    EXPECT_FALSE (cache.hasUnkeptEdits());

    cache.applyDefaultValues();
    EXPECT_TRUE (cache.hasUnkeptEdits());
}

// The kept state: what was last read, loaded, sent or saved. Two guesses
// never differ; a guess and a given value always do.
TEST (ValueCache, ChangesAreCountedAgainstTheKeptStateAndASnapshotPutsBackWhereValuesCameFrom)
{
    ValueCache cache;
    cache.storeReplyPairs (3, { 0x30, 10, 0x01, 20 });
    cache.setCurve (1, 2, ValueSource::keyboard);
    EXPECT_EQ (cache.countChanges(), 0) << "the keyboard's replies are kept as they come";

    const auto beforeEdits = cache.takeSnapshot();
    cache.setItemParam (3, 0x30, 11);
    cache.setItemParam (4, 0x30, 5);       // a second parameter of the same control
    cache.setItemParam (3, 0x02, cache.getItemParam (3, 0x02)); // a guess made a given value
    cache.setCurve (1, 3);
    EXPECT_TRUE (cache.isControlChanged (0x30));
    EXPECT_TRUE (cache.isControlChanged (0x02));
    EXPECT_FALSE (cache.isControlChanged (0x01));
    EXPECT_TRUE (cache.isCurveChanged (1));
    EXPECT_EQ (cache.countChanges(), 3);

    cache.restore (beforeEdits);
    EXPECT_EQ (cache.countChanges(), 0);
    EXPECT_EQ (cache.getItemSource (3, 0x02), ValueSource::assumed) << "a snapshot puts back where a value came from";
    EXPECT_EQ (cache.getControlForNumber (10), 0x30);

    cache.setItemParam (3, 0x30, 12);
    cache.markKept();
    EXPECT_FALSE (cache.hasUnkeptEdits());
    cache.restore (beforeEdits);
    EXPECT_TRUE (cache.isControlChanged (0x30)) << "the kept state does not move back with the values";
}
