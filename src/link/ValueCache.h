#pragma once

#include "JuceIncludes.h"

#include <map>
#include <set>
#include <vector>

// The six values of one control's assignment, by parameter number on the
// wire; -1 where the cache has none.
struct ItemSetting
{
    int mode = -1;    // 1
    int channel = -1; // 2: 0 to 15, or 65 for the global channel
    int number = -1;  // 3: controller or note number
    int minLsb = -1;  // 4
    int maxMsb = -1;  // 5
    int option = -1;  // 6

    int get (int parameter) const;
};

// Where a cached value came from. The editor starts with the default
// assignment, which is only its guess at the keyboard's settings: such an
// assumed value is never sent over the keyboard's own, and is shown as not
// read. Everything else was given: by the keyboard's reply, a settings file,
// "Default Values" or the user's own edit.
enum class ValueSource
{
    assumed,
    keyboard,
    file,
    defaults,
    user
};

// What the editor knows of the keyboard's settings: every control's
// assignment, one map per parameter so that a control may lack some values,
// and the global and curve parameters, each value with where it came from.
// Safe to use from any thread.
//
// Control parameters go on the wire as they are: a value outside 0..127, an
// id or a parameter out of range is refused, never altered to fit.
// Globals and curves are signed 16-bit values, as settings files hold them;
// whoever sends one checks that it fits a data byte.
class ValueCache
{
public:
    static constexpr int numParameters = 7; // 0 to 6; parameter 0 is never filled
    static constexpr int numGlobals = 12;
    static constexpr int numCurves = 11;
    static constexpr int missing = -1;

    ValueCache();

    int getItemParam (int parameter, int id) const;
    // False, storing nothing, for a value that is not a data byte.
    bool setItemParam (int parameter, int id, int value, ValueSource source = ValueSource::user);
    ItemSetting getItemSetting (int id) const;

    // Where a value came from; a missing value counts as assumed.
    ValueSource getItemSource (int parameter, int id) const;
    // True when the value is missing or only the editor's guess.
    bool isAssumed (int parameter, int id) const { return getItemSource (parameter, id) == ValueSource::assumed; }
    // True when the editor holds nothing but guesses for this control.
    bool isControlAssumed (int id) const;

    // Whether a value means something for its parameter: a mode 0 to 14, a
    // channel 0 to 15 or the global channel, any other a data byte.
    static bool isMeaningful (int parameter, int value);
    // Names the parameter and says why the value fits none, as "mode 99 is
    // not a mode"; empty when it is meaningful.
    static juce::String describeMeaningless (int parameter, int value);
    // "knob 1", "pad 3", "sustain pedal"...; "control N" for others.
    static juce::String describeControl (int id);

    // Controls that have a number (parameter 3), in ascending id order.
    std::vector<int> getControlsWithNumber() const;

    // The ids whose values a reply may store.
    bool isKnownItem (int id) const;

    // Setters answer false, storing nothing, for an index out of range. The
    // value is kept in 16 bits.
    int getGlobal (int index) const;
    bool setGlobal (int index, int value, ValueSource source = ValueSource::user);
    ValueSource getGlobalSource (int index) const;
    int getCurve (int index) const;
    bool setCurve (int index, int value, ValueSource source = ValueSource::user);
    ValueSource getCurveSource (int index) const;

    // Refills parameters 1 to 6 with the default assignment of every control.
    // Globals and curves are left alone.
    void resetToDefaults (ValueSource source);

    // Forgets every control's values, leaving globals and curves alone.
    void clearItems();

    // What "Default Values" gives: the default assignment, global channel 1,
    // absolute knobs, fast knob acceleration and linear velocity curves.
    void applyDefaultValues();

    // Back to knowing nothing, as at the start: the default assignment and
    // zero globals and curves, all only assumed, and no edits to keep.
    void forgetEverything();
    // How many times everything was forgotten, as a read-back does first:
    // a snapshot taken before belongs to a copy that is gone.
    int getTimesForgotten() const noexcept { return timesForgotten; }

    // The kept state: each value as it was last read from the keyboard,
    // loaded from a file, sent or saved. A value differs from it when one of
    // the two is given (not only assumed) and the other is not, or both are
    // given and their values differ; two guesses never differ, since Send
    // writes neither.
    //
    // True when any value differs from the kept state: the user changed it,
    // or chose "Default Values", and has neither sent nor saved it since.
    // Values from the keyboard or a file are kept as they come.
    bool hasUnkeptEdits() const;
    // The editor's whole copy was sent or saved: it is the kept state now.
    void markKept();

    // What differs from the kept state: a control by any of its parameters,
    // a global, a curve.
    bool isControlChanged (int id) const;
    bool isGlobalChanged (int index) const;
    bool isCurveChanged (int index) const;
    // The controls that differ from the kept state, in ascending id order.
    std::vector<int> getChangedControls() const;
    int countChangedGlobalsAndCurves() const;
    // How many controls, globals and curves differ from the kept state.
    int countChanges() const;

    // Every value with where it came from, to be put back as it was.
    class Snapshot;
    Snapshot takeSnapshot() const;
    // Puts back the values and where they came from; the kept state stays.
    void restore (const Snapshot& snapshot);

    // Stores the pairs of a reply of this parameter for every known id; the
    // number of pairs the reply held is returned.
    int storeReplyPairs (int parameter, const juce::Array<int>& itemValuePairs);

    // Which control sends this controller number: the highest id among those
    // that share it, or -1. Reflects the numbers as of the last rebuild.
    int getControlForNumber (int number);
    void rebuildControlByNumber();

private:
    void rebuildControlByNumberLocked();
    // What the keyboard or a file gives is kept as it comes.
    static bool isKeptAsItComes (ValueSource source) { return source == ValueSource::keyboard || source == ValueSource::file; }

    struct Slot
    {
        juce::int16 value = 0;
        ValueSource source = ValueSource::assumed;
    };

    struct CachedValue
    {
        int value;
        ValueSource source;
    };

public:
    class Snapshot
    {
    private:
        friend class ValueCache;
        std::map<int, CachedValue> itemParams[numParameters];
        std::array<Slot, numGlobals> globals {};
        std::array<Slot, numCurves> curves {};
    };

private:
    bool isControlChangedLocked (int id) const;

    mutable juce::CriticalSection lock;
    Snapshot values, kept;
    std::map<int, int> controlByNumber;
    std::set<int> knownItems;
    std::atomic<int> timesForgotten { 0 };

    JUCE_DECLARE_NON_COPYABLE (ValueCache)
};
