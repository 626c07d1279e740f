#include "documents/SettingsFile.h"

#include "documents/UntrustedXmlReader.h"
#include "documents/XmlFileWriter.h"

#include <optional>

namespace
{
struct ItemAttribute
{
    const char* name;
    int parameter;
};

// The attributes of an "Item" after its "ID", in the order written.
constexpr ItemAttribute itemAttributes[] = {
    { "Mode", 1 }, { "Chan", 2 }, { "Num", 3 }, { "MinLSB", 4 }, { "MaxMSB", 5 }, { "Option", 6 },
};

// Only what the editor was given goes into a file: a value it merely
// assumed, loaded back and sent, would overwrite the keyboard's own.
void addParams (juce::XmlElement& root, const char* tag, int count, int (ValueCache::*get) (int) const,
                ValueSource (ValueCache::*getSource) (int) const, const ValueCache& cache)
{
    auto* section = root.createNewChildElement (tag);
    for (int index = 0; index < count; ++index)
    {
        if ((cache.*getSource) (index) == ValueSource::assumed)
            continue;
        auto* param = section->createNewChildElement ("Param");
        param->setAttribute ("ID", index);
        param->setAttribute ("Value", (cache.*get) (index));
    }
}

// An integer read as the framework reads one: leading white space skipped,
// an optional minus sign, then the decimal digits up to the first other
// character; no digits read as 0. Where the framework would wrap a value
// beyond 32 bits around, this refuses anything beyond 16: no setting is
// that large, and such a number only says the file is not a settings file.
std::optional<int> readInteger (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';
    if (negative)
        ++p;

    int magnitude = 0;
    for (auto c = *p; c >= '0' && c <= '9'; c = *++p)
    {
        magnitude = magnitude * 10 + (int) (c - '0');
        if (magnitude > 32768)
            return std::nullopt;
    }

    const int value = negative ? -magnitude : magnitude;
    if (value > 32767)
        return std::nullopt;
    return value;
}

// A control's values as a file gives them; a value the file leaves out is
// not given, and the editor's own stays.
struct Assignment
{
    int id;
    std::array<std::optional<int>, ValueCache::numParameters> values;
};

struct ParamValue
{
    int index, value;
};

// Everything a file sets, read before any of it goes into the cache.
struct LoadedSettings
{
    std::optional<std::vector<Assignment>> items;
    std::optional<std::vector<ParamValue>> globals, curves;
};

class Reader
{
public:
    juce::Result read (const juce::XmlElement& root, LoadedSettings& loaded)
    {
        if (! root.hasTagName ("Settings"))
            return juce::Result::fail ("it is not a settings file: its outer element is " + root.getTagName().quoted()
                                       + ", where a settings file has \"Settings\"");

        if (auto* items = root.getChildByName ("Items"))
        {
            loaded.items.emplace();
            for (auto* item : items->getChildIterator())
            {
                const auto id = attribute (*item, "ID", -1);
                if (! id)
                    return failure;
                if (*id < 0)
                    continue;
                if (*id > 127)
                    return juce::Result::fail ("\"ID\" " + juce::String (*id) + " is not a control");

                Assignment assignment { *id, {} };
                for (const auto& a : itemAttributes)
                {
                    if (! item->hasAttribute (a.name))
                        continue;
                    const auto value = attribute (*item, a.name, 0);
                    if (! value)
                        return failure;
                    // Refused whole: a value that fits no parameter must
                    // not reach the keyboard, altered or not.
                    if (const auto why = ValueCache::describeMeaningless (a.parameter, *value); why.isNotEmpty())
                        return juce::Result::fail (ValueCache::describeControl (*id) + ": " + why);
                    assignment.values[(size_t) a.parameter] = value;
                }
                loaded.items->push_back (assignment);
            }
        }

        if (! readParams (root, "Globals", ValueCache::numGlobals, loaded.globals)
            || ! readParams (root, "Curves", ValueCache::numCurves, loaded.curves))
            return failure;

        return juce::Result::ok();
    }

private:
    bool readParams (const juce::XmlElement& root, const char* tag, int count, std::optional<std::vector<ParamValue>>& values)
    {
        auto* section = root.getChildByName (tag);
        if (section == nullptr)
            return true;

        values.emplace();
        for (auto* param : section->getChildIterator())
        {
            const auto index = attribute (*param, "ID", -1);
            if (! index)
                return false;
            if (! juce::isPositiveAndBelow (*index, count))
                continue;

            const auto value = attribute (*param, "Value", 0);
            if (! value)
                return false;
            values->push_back ({ *index, *value });
        }
        return true;
    }

    std::optional<int> attribute (const juce::XmlElement& element, const char* name, int valueWhenMissing)
    {
        if (! element.hasAttribute (name))
            return valueWhenMissing;

        const auto text = element.getStringAttribute (name);
        const auto value = readInteger (text);
        if (! value)
            failure = juce::Result::fail ("the number " + text.substring (0, 24).quoted() + " of " + juce::String (name).quoted() + " in "
                                          + element.getTagName().quoted() + " is far out of range");
        return value;
    }

    juce::Result failure = juce::Result::ok();
};

void apply (const LoadedSettings& loaded, ValueCache& cache)
{
    if (loaded.items)
        for (const auto& assignment : *loaded.items)
            for (int p = 1; p < ValueCache::numParameters; ++p)
                if (const auto value = assignment.values[(size_t) p])
                    cache.setItemParam (p, assignment.id, *value, ValueSource::file);

    if (loaded.globals)
        for (const auto& [index, value] : *loaded.globals)
            cache.setGlobal (index, value, ValueSource::file);

    if (loaded.curves)
        for (const auto& [index, value] : *loaded.curves)
            cache.setCurve (index, value, ValueSource::file);
}

const UntrustedXmlReader reader ({ SettingsFile::maxFileBytes, SettingsFile::maxNestingDepth });
} // namespace

std::unique_ptr<juce::XmlElement> SettingsFile::createDocument (const ValueCache& cache)
{
    auto root = std::make_unique<juce::XmlElement> ("Settings");
    auto* items = root->createNewChildElement ("Items");

    for (const int id : cache.getControlsWithNumber())
    {
        // What the editor only guesses at (the octave buttons, which the
        // keyboard does not report, or whatever a read-back that stopped
        // short did not read) stays out: loading the file must leave the
        // keyboard's own settings for it alone, not send the guesses.
        if (cache.isControlAssumed (id))
            continue;

        auto* item = items->createNewChildElement ("Item");
        item->setAttribute ("ID", id);
        for (const auto& a : itemAttributes)
            if (! cache.isAssumed (a.parameter, id))
                item->setAttribute (a.name, cache.getItemParam (a.parameter, id));
    }

    addParams (*root, "Globals", ValueCache::numGlobals, &ValueCache::getGlobal, &ValueCache::getGlobalSource, cache);
    addParams (*root, "Curves", ValueCache::numCurves, &ValueCache::getCurve, &ValueCache::getCurveSource, cache);
    return root;
}

juce::String SettingsFile::toText (const ValueCache& cache) { return XmlFileWriter::toText (*createDocument (cache)); }

juce::Result SettingsFile::save (const ValueCache& cache, const juce::File& file)
{
    return XmlFileWriter::write (*createDocument (cache), file);
}

juce::Result SettingsFile::load (ValueCache& cache, const juce::File& file)
{
    juce::String error;
    const auto root = reader.readFile (file, error);
    return root != nullptr ? loadFromDocument (cache, *root) : juce::Result::fail (error);
}

juce::Result SettingsFile::loadFromData (ValueCache& cache, const void* data, size_t size)
{
    juce::String error;
    const auto root = reader.parse (data, size, error);
    return root != nullptr ? loadFromDocument (cache, *root) : juce::Result::fail (error);
}

juce::Result SettingsFile::loadFromDocument (ValueCache& cache, const juce::XmlElement& root)
{
    LoadedSettings loaded;
    const auto result = Reader().read (root, loaded);
    if (result.wasOk())
        apply (loaded, cache);
    return result;
}
