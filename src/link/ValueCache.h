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

// What the editor knows of the keyboard's settings: every control's
// assignment, one map per parameter so that a control may lack some values,
// and the global and curve parameters. Safe to use from any thread.
//
// Everything here ends up in 7-bit data bytes on the wire, so the cache only
// holds what fits: values are clamped to 0..127 as they come in, and ids,
// parameters and indexes out of range are not stored.
class ValueCache
{
public:
    static constexpr int numParameters = 7; // 0 to 6; parameter 0 is never filled
    static constexpr int numGlobals = 12;
    static constexpr int numCurves = 11;
    static constexpr int missing = -1;

    ValueCache();

    int getItemParam (int parameter, int id) const;
    void setItemParam (int parameter, int id, int value);
    ItemSetting getItemSetting (int id) const;

    // Controls that have a number (parameter 3), in ascending id order.
    std::vector<int> getControlsWithNumber() const;

    // The ids whose values a reply may store.
    bool isKnownItem (int id) const;

    // Setters answer false, storing nothing, for an index out of range.
    int getGlobal (int index) const;
    bool setGlobal (int index, int value);
    int getCurve (int index) const;
    bool setCurve (int index, int value);

    // Refills parameters 1 to 6 with the default assignment of every control.
    // Globals and curves are left alone.
    void resetToDefaults();

    // Stores the pairs of a reply of this parameter for every known id; the
    // number of pairs the reply held is returned.
    int storeReplyPairs (int parameter, const juce::Array<int>& itemValuePairs);

    // Which control sends this controller number: the highest id among those
    // that share it, or -1. Reflects the numbers as of the last rebuild.
    int getControlForNumber (int number);
    void rebuildControlByNumber();

private:
    void rebuildControlByNumberLocked();

    mutable juce::CriticalSection lock;
    std::map<int, int> itemParams[numParameters];
    std::array<juce::int16, numGlobals> globals {};
    std::array<juce::int16, numCurves> curves {};
    std::map<int, int> controlByNumber;
    std::set<int> knownItems;

    JUCE_DECLARE_NON_COPYABLE (ValueCache)
};
