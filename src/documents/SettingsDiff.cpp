#include "documents/SettingsDiff.h"

namespace
{
constexpr int numControlIds = 128;

std::optional<int> givenValue (int value, ValueSource source)
{
    return source == ValueSource::assumed ? std::nullopt : std::optional<int> (value);
}

std::optional<int> givenItemParam (const ValueCache& cache, int parameter, int id)
{
    return givenValue (cache.getItemParam (parameter, id), cache.getItemSource (parameter, id));
}
} // namespace

SettingsDiff::SettingsDiff (const ValueCache& first, const ValueCache& second)
{
    for (int id = 0; id < numControlIds; ++id)
        for (int parameter = 1; parameter < ValueCache::numParameters; ++parameter)
            compare ({ Kind::control, id, parameter, givenItemParam (first, parameter, id), givenItemParam (second, parameter, id) });

    for (int index = 0; index < ValueCache::numGlobals; ++index)
        compare ({ Kind::global, index, 0, givenValue (first.getGlobal (index), first.getGlobalSource (index)),
                   givenValue (second.getGlobal (index), second.getGlobalSource (index)) });

    for (int index = 0; index < ValueCache::numCurves; ++index)
        compare ({ Kind::curve, index, 0, givenValue (first.getCurve (index), first.getCurveSource (index)),
                   givenValue (second.getCurve (index), second.getCurveSource (index)) });
}

void SettingsDiff::compare (Entry entry)
{
    if (entry.first && entry.second)
    {
        if (*entry.first != *entry.second)
            differences.push_back (entry);
    }
    else if (entry.first || entry.second)
        notCompared.push_back (entry);
}
