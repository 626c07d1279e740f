#include "link/ValueCache.h"

#include "protocol/OrvaneMidiMessage49.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace
{
enum class ControlKind
{
    knob,
    strip,
    button,
    pad
};

struct DefaultControl
{
    int id;
    int number;
    ControlKind kind;
};

// The keyboard's controls and their default numbers.
constexpr DefaultControl defaultControls[] = {
    { 0x41, 1, ControlKind::strip },   // pitch strip
    { 0x40, 1, ControlKind::strip },   // modulation strip
    { 0x30, 7, ControlKind::knob },    // knob 1
    { 0x01, 74, ControlKind::knob },   // knob 2
    { 0x02, 71, ControlKind::knob },   // knob 3
    { 0x09, 76, ControlKind::knob },   // knob 4
    { 0x0B, 77, ControlKind::knob },   // knob 5
    { 0x0C, 93, ControlKind::knob },   // knob 6
    { 0x0D, 73, ControlKind::knob },   // knob 7
    { 0x0E, 75, ControlKind::knob },   // knob 8
    { 0x33, 114, ControlKind::knob },  // knob 9
    { 0x03, 18, ControlKind::knob },   // knob 10
    { 0x04, 19, ControlKind::knob },   // knob 11
    { 0x0A, 16, ControlKind::knob },   // knob 12
    { 0x05, 17, ControlKind::knob },   // knob 13
    { 0x06, 91, ControlKind::knob },   // knob 14
    { 0x07, 79, ControlKind::knob },   // knob 15
    { 0x08, 72, ControlKind::knob },   // knob 16
    { 0x20, 20, ControlKind::button }, // preset down
    { 0x21, 21, ControlKind::button }, // preset up
    { 0x70, 36, ControlKind::pad },    { 0x71, 37, ControlKind::pad },    { 0x72, 38, ControlKind::pad },
    { 0x73, 39, ControlKind::pad },    { 0x74, 40, ControlKind::pad },    { 0x75, 41, ControlKind::pad },
    { 0x76, 42, ControlKind::pad },    { 0x77, 43, ControlKind::pad }, // pads 1 to 8
    { 0x78, 22, ControlKind::button }, { 0x79, 23, ControlKind::button }, { 0x7A, 24, ControlKind::button },
    { 0x7B, 25, ControlKind::button }, { 0x7C, 26, ControlKind::button }, { 0x7D, 27, ControlKind::button },
    { 0x7E, 28, ControlKind::button }, { 0x7F, 29, ControlKind::button }, // pads 9 to 16
    { 0x50, 64, ControlKind::button },                                    // sustain pedal
};

constexpr int pitchStrip = 0x41;
constexpr int sustainPedal = 0x50;
constexpr int followGlobalChannel = 0x41;

// Control modes used by the defaults.
constexpr int modeControl = 1;
constexpr int modeControlToggle = 8;
constexpr int modeMidiNote = 9;
constexpr int modePitchBend = 12;

constexpr int numModes = 15;

// A control id is the item byte on the wire.
bool isValidId (int id) { return id >= 0 && id <= 127; }

template <typename Slots>
bool isValidIndex (const Slots& slots, int index)
{
    return juce::isPositiveAndBelow (index, (int) slots.size());
}

// Global indexes and values of "Default Values".
constexpr int globalRelativeMode = 2, globalMidiChannel = 6;
constexpr int curveKeyVelocity = 1, curvePadVelocity = 3, curveKnobAcceleration = 4;
constexpr int knobsAbsolute = 1, accelerationFast = 2, curveLinear = 0;
} // namespace

int ItemSetting::get (int parameter) const
{
    switch (parameter)
    {
        case 1: return mode;
        case 2: return channel;
        case 3: return number;
        case 4: return minLsb;
        case 5: return maxMsb;
        case 6: return option;
        default: return -1;
    }
}

ValueCache::ValueCache()
{
    for (int id = 0x01; id <= 0x0E; ++id)
        knownItems.insert (id);
    for (int id = 0x70; id <= 0x7F; ++id)
        knownItems.insert (id);
    for (int id = 0x30; id <= 0x34; ++id)
        knownItems.insert (id);
    knownItems.insert (0x40);
    knownItems.insert (0x50);

    resetToDefaults (ValueSource::assumed);
}

int ValueCache::getItemParam (int parameter, int id) const
{
    if (! juce::isPositiveAndBelow (parameter, numParameters))
        return missing;

    const juce::ScopedLock sl (lock);
    const auto& map = values.itemParams[parameter];
    const auto it = map.find (id);
    return it != map.end() ? it->second.value : missing;
}

ValueSource ValueCache::getItemSource (int parameter, int id) const
{
    if (! juce::isPositiveAndBelow (parameter, numParameters))
        return ValueSource::assumed;

    const juce::ScopedLock sl (lock);
    const auto& map = values.itemParams[parameter];
    const auto it = map.find (id);
    return it != map.end() ? it->second.source : ValueSource::assumed;
}

bool ValueCache::isControlAssumed (int id) const
{
    for (int p = 1; p < numParameters; ++p)
        if (! isAssumed (p, id))
            return false;
    return true;
}

bool ValueCache::setItemParam (int parameter, int id, int value, ValueSource source)
{
    if (! juce::isPositiveAndBelow (parameter, numParameters) || ! isValidId (id) || ! OrvaneMidiMessage49::isDataByte (value))
        return false;

    const juce::ScopedLock sl (lock);
    values.itemParams[parameter][id] = { value, source };
    if (isKeptAsItComes (source))
        kept.itemParams[parameter][id] = { value, source };
    return true;
}

bool ValueCache::isMeaningful (int parameter, int value)
{
    switch (parameter)
    {
        case 1: return juce::isPositiveAndBelow (value, numModes);
        case 2: return juce::isPositiveAndBelow (value, 16) || value == followGlobalChannel;
        default: return OrvaneMidiMessage49::isDataByte (value);
    }
}

juce::String ValueCache::describeMeaningless (int parameter, int value)
{
    if (isMeaningful (parameter, value))
        return {};

    const juce::String number (value);
    switch (parameter)
    {
        case 1: return "mode " + number + " is not a mode";
        case 2: return "channel " + number + " is not a channel (0 to 15, or 65 for the global channel)";
        case 3: return "number " + number + " is not a number from 0 to 127";
        case 4: return "min/LSB " + number + " is not a value from 0 to 127";
        case 5: return "max/MSB " + number + " is not a value from 0 to 127";
        default: return "option " + number + " is not an option from 0 to 127";
    }
}

juce::String ValueCache::describeControl (int id)
{
    int knob = 0;
    for (const auto& control : defaultControls)
    {
        if (control.kind == ControlKind::knob)
            ++knob;
        if (control.id == id && control.kind == ControlKind::knob)
            return "knob " + juce::String (knob);
    }

    if (id >= 0x70 && id <= 0x7F)
        return "pad " + juce::String (id - 0x6F);

    switch (id)
    {
        case 0x40: return "modulation strip";
        case pitchStrip: return "pitch strip";
        case sustainPedal: return "sustain pedal";
        case 0x20: return "preset down button";
        case 0x21: return "preset up button";
        default: return "control " + juce::String (id);
    }
}

namespace
{
// Two values differ when one is given and the other only assumed (or
// missing), or both are given and hold other values.
template <typename Held>
bool differ (const std::optional<Held>& now, const std::optional<Held>& then)
{
    const auto given = [] (const std::optional<Held>& held) { return held.has_value() && held->source != ValueSource::assumed; };
    if (given (now) != given (then))
        return true;
    return given (now) && now->value != then->value;
}

template <typename Map>
auto findIn (const Map& map, int id) -> std::optional<typename Map::mapped_type>
{
    const auto it = map.find (id);
    return it != map.end() ? std::optional (it->second) : std::nullopt;
}

template <typename Slots>
int countDiffering (const Slots& now, const Slots& then)
{
    int count = 0;
    for (size_t i = 0; i < now.size(); ++i)
        if (differ (std::optional (now[i]), std::optional (then[i])))
            ++count;
    return count;
}
} // namespace

bool ValueCache::isControlChangedLocked (int id) const
{
    for (int p = 1; p < numParameters; ++p)
        if (differ (findIn (values.itemParams[(size_t) p], id), findIn (kept.itemParams[(size_t) p], id)))
            return true;
    return false;
}

bool ValueCache::isControlChanged (int id) const
{
    const juce::ScopedLock sl (lock);
    return isControlChangedLocked (id);
}

bool ValueCache::isGlobalChanged (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.globals, index)
        && differ (std::optional (values.globals[(size_t) index]), std::optional (kept.globals[(size_t) index]));
}

bool ValueCache::isCurveChanged (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.curves, index)
        && differ (std::optional (values.curves[(size_t) index]), std::optional (kept.curves[(size_t) index]));
}

std::vector<int> ValueCache::getChangedControls() const
{
    const juce::ScopedLock sl (lock);

    // A control counts once, whichever of its parameters changed, and
    // whether it is in the copy now or only in the kept state.
    std::set<int> ids;
    for (int p = 1; p < numParameters; ++p)
        for (const auto* map : { &values.itemParams[(size_t) p], &kept.itemParams[(size_t) p] })
            for (const auto& entry : *map)
                ids.insert (entry.first);

    std::vector<int> changed;
    std::copy_if (ids.begin(), ids.end(), std::back_inserter (changed), [this] (int id) { return isControlChangedLocked (id); });
    return changed;
}

int ValueCache::countChangedGlobalsAndCurves() const
{
    const juce::ScopedLock sl (lock);
    return countDiffering (values.globals, kept.globals) + countDiffering (values.curves, kept.curves);
}

int ValueCache::countChanges() const { return (int) getChangedControls().size() + countChangedGlobalsAndCurves(); }

bool ValueCache::hasUnkeptEdits() const { return countChanges() > 0; }

void ValueCache::markKept()
{
    const juce::ScopedLock sl (lock);
    kept = values;
}

ValueCache::Snapshot ValueCache::takeSnapshot() const
{
    const juce::ScopedLock sl (lock);
    return values;
}

void ValueCache::restore (const Snapshot& snapshot)
{
    const juce::ScopedLock sl (lock);
    values = snapshot;
    rebuildControlByNumberLocked();
}

ItemSetting ValueCache::getItemSetting (int id) const
{
    return { getItemParam (1, id), getItemParam (2, id), getItemParam (3, id),
             getItemParam (4, id), getItemParam (5, id), getItemParam (6, id) };
}

std::vector<int> ValueCache::getControlsWithNumber() const
{
    const juce::ScopedLock sl (lock);
    std::vector<int> ids;
    for (const auto& [id, number] : values.itemParams[3])
        ids.push_back (id);
    return ids;
}

bool ValueCache::isKnownItem (int id) const { return knownItems.count (id) > 0; }

int ValueCache::getGlobal (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.globals, index) ? values.globals[(size_t) index].value : missing;
}

bool ValueCache::setGlobal (int index, int value, ValueSource source)
{
    const juce::ScopedLock sl (lock);
    if (! isValidIndex (values.globals, index))
        return false;
    values.globals[(size_t) index] = { (juce::int16) value, source };
    if (isKeptAsItComes (source))
        kept.globals[(size_t) index] = values.globals[(size_t) index];
    return true;
}

ValueSource ValueCache::getGlobalSource (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.globals, index) ? values.globals[(size_t) index].source : ValueSource::assumed;
}

int ValueCache::getCurve (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.curves, index) ? values.curves[(size_t) index].value : missing;
}

bool ValueCache::setCurve (int index, int value, ValueSource source)
{
    const juce::ScopedLock sl (lock);
    if (! isValidIndex (values.curves, index))
        return false;
    values.curves[(size_t) index] = { (juce::int16) value, source };
    if (isKeptAsItComes (source))
        kept.curves[(size_t) index] = values.curves[(size_t) index];
    return true;
}

ValueSource ValueCache::getCurveSource (int index) const
{
    const juce::ScopedLock sl (lock);
    return isValidIndex (values.curves, index) ? values.curves[(size_t) index].source : ValueSource::assumed;
}

void ValueCache::applyDefaultValues()
{
    resetToDefaults (ValueSource::defaults);
    setGlobal (globalMidiChannel, 0, ValueSource::defaults);
    setGlobal (globalRelativeMode, knobsAbsolute, ValueSource::defaults);
    setCurve (curveKnobAcceleration, accelerationFast, ValueSource::defaults);
    setCurve (curveKeyVelocity, curveLinear, ValueSource::defaults);
    setCurve (curvePadVelocity, curveLinear, ValueSource::defaults);
}

void ValueCache::clearItems()
{
    const juce::ScopedLock sl (lock);
    for (auto& map : values.itemParams)
        map.clear();
    controlByNumber.clear();
}

void ValueCache::resetToDefaults (ValueSource source)
{
    const juce::ScopedLock sl (lock);

    for (int p = 1; p < numParameters; ++p)
        values.itemParams[p].clear();

    for (const auto& control : defaultControls)
    {
        ItemSetting setting { modeControl, followGlobalChannel, control.number, 0, 127, 0 };

        switch (control.kind)
        {
            case ControlKind::knob: setting.option = 1; break;
            case ControlKind::pad:
                setting.mode = modeMidiNote;
                setting.channel = 9;
                setting.option = 1;
                break;
            case ControlKind::button:
                setting.mode = modeControlToggle;
                setting.option = 1;
                if (control.id != sustainPedal)
                    setting.channel = 0;
                break;
            case ControlKind::strip:
                if (control.id == pitchStrip)
                    setting.mode = modePitchBend;
                break;
        }

        for (int p = 1; p < numParameters; ++p)
            values.itemParams[p][control.id] = { setting.get (p), source };
    }
}

void ValueCache::forgetEverything()
{
    resetToDefaults (ValueSource::assumed);
    {
        const juce::ScopedLock sl (lock);
        values.globals.fill ({});
        values.curves.fill ({});
    }
    markKept();
    ++timesForgotten;
}

int ValueCache::storeReplyPairs (int parameter, const juce::Array<int>& pairs)
{
    const int pairCount = pairs.size() / 2;
    if (! juce::isPositiveAndBelow (parameter, numParameters))
        return pairCount;

    const juce::ScopedLock sl (lock);
    for (int i = 0; i < pairCount; ++i)
    {
        const int id = pairs[2 * i];
        if (isKnownItem (id) && OrvaneMidiMessage49::isDataByte (pairs[2 * i + 1]))
        {
            values.itemParams[parameter][id] = { pairs[2 * i + 1], ValueSource::keyboard };
            kept.itemParams[parameter][id] = values.itemParams[parameter][id];
        }
    }
    return pairCount;
}

int ValueCache::getControlForNumber (int number)
{
    const juce::ScopedLock sl (lock);
    if (controlByNumber.empty())
        rebuildControlByNumberLocked();

    const auto it = controlByNumber.find (number);
    return it != controlByNumber.end() ? it->second : missing;
}

void ValueCache::rebuildControlByNumber()
{
    const juce::ScopedLock sl (lock);
    rebuildControlByNumberLocked();
}

void ValueCache::rebuildControlByNumberLocked()
{
    // In ascending id order, so the highest id sharing a number wins.
    controlByNumber.clear();
    for (const auto& [id, number] : values.itemParams[3])
        controlByNumber[number.value] = id;
}
