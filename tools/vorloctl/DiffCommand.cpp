#include "vorloctl/Commands.h"
#include "vorloctl/DocumentFiles.h"
#include "vorloctl/KeyboardSession.h"

#include "documents/SettingsDiff.h"
#include "panel/SettingNames.h"

namespace
{
using Entry = SettingsDiff::Entry;

// The two sides compared, as the output names them.
struct Sides
{
    juce::String first, second;
    bool secondIsKeyboard = false;
};

const char* kindName (SettingsDiff::Kind kind)
{
    switch (kind)
    {
        case SettingsDiff::Kind::control: return "control";
        case SettingsDiff::Kind::global: return "global";
        case SettingsDiff::Kind::curve: return "curve";
    }
    return "";
}

// The control, or the global or curve, an entry is of: "1 - Volume", "Channel".
juce::String subjectOf (const Entry& entry)
{
    switch (entry.kind)
    {
        case SettingsDiff::Kind::control: return SettingNames::controlName (entry.index);
        case SettingsDiff::Kind::global: return SettingNames::globalLabel (entry.index);
        case SettingsDiff::Kind::curve: return SettingNames::curveLabel (entry.index);
    }
    return {};
}

// "1 - Volume, CC number", "Velocity curve".
juce::String nameOf (const Entry& entry)
{
    const auto subject = subjectOf (entry);
    return entry.kind == SettingsDiff::Kind::control ? subject + ", " + SettingNames::parameterLabel (entry.parameter) : subject;
}

// A side's value as the panel would show it; an option after that side's own mode.
juce::String textOf (const Entry& entry, int value, const ValueCache& side)
{
    switch (entry.kind)
    {
        case SettingsDiff::Kind::control:
            return SettingNames::controlValue (entry.index, entry.parameter, value, side.getItemParam (1, entry.index));
        case SettingsDiff::Kind::global: return SettingNames::globalValue (entry.index, value);
        case SettingsDiff::Kind::curve: return SettingNames::curveValue (entry.index, value);
    }
    return {};
}

// Controls by their names in the order a musician counts them ("2 - Cutoff"
// before "10 - Param 1"), each's parameters in order; then globals, then curves.
std::vector<Entry> inReadingOrder (std::vector<Entry> entries)
{
    std::stable_sort (entries.begin(), entries.end(),
                      [] (const Entry& a, const Entry& b)
                      {
                          if (a.kind != b.kind)
                              return a.kind < b.kind;
                          return subjectOf (a).compareNatural (subjectOf (b)) < 0;
                      });
    return entries;
}

// The not-compared values one side lacks, by what they are of: a control
// that lacks all six by its name alone, otherwise with the parameters it
// lacks. The entries come in reading order, a control's together.
juce::StringArray namesLackedBy (const std::vector<Entry>& notCompared, bool firstLacks)
{
    std::vector<std::pair<juce::String, juce::StringArray>> subjects;
    for (const auto& entry : notCompared)
    {
        if (entry.first.has_value() == firstLacks)
            continue;
        const auto subject = subjectOf (entry);
        if (subjects.empty() || subjects.back().first != subject)
            subjects.push_back ({ subject, {} });
        if (entry.kind == SettingsDiff::Kind::control)
            subjects.back().second.add (SettingNames::parameterLabel (entry.parameter));
    }

    juce::StringArray names;
    for (const auto& [subject, parameters] : subjects)
        names.add (parameters.isEmpty() || parameters.size() == ValueCache::numParameters - 1
                       ? subject
                       : subject + " (" + parameters.joinIntoString (", ") + ")");
    return names;
}

void printText (const SettingsDiff& diff, const Sides& sides, const ValueCache& first, const ValueCache& second, std::ostream& out)
{
    const auto differences = inReadingOrder (diff.getDifferences());
    if (differences.empty())
        out << sides.first << " and " << sides.second << " hold the same settings." << std::endl;
    else
    {
        out << sides.first << " -> " << sides.second << ": " << differences.size()
            << (differences.size() == 1 ? " difference" : " differences") << std::endl;
        for (const auto& entry : differences)
            out << "  " << nameOf (entry) << ": " << textOf (entry, *entry.first, first) << " -> " << textOf (entry, *entry.second, second)
                << std::endl;
    }

    // A value only one side holds is no difference, but neither is it the same.
    const auto notCompared = inReadingOrder (diff.getNotCompared());
    for (const bool firstLacks : { true, false })
    {
        const auto names = namesLackedBy (notCompared, firstLacks);
        if (names.isEmpty())
            continue;
        const auto why = ! firstLacks && sides.secondIsKeyboard ? "the keyboard does not report them"
                                                                : (firstLacks ? sides.first : sides.second) + " gives no value for them";
        out << "Not compared, as " << why << ": " << names.joinIntoString (", ") << "." << std::endl;
    }
}

juce::var jsonOf (const Entry& entry, const ValueCache& first, const ValueCache& second)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("kind", kindName (entry.kind));
    object->setProperty ("name", nameOf (entry));
    if (entry.kind == SettingsDiff::Kind::control)
    {
        object->setProperty ("id", entry.index);
        object->setProperty ("parameter", entry.parameter);
    }
    else
        object->setProperty ("index", entry.index);

    // A side that holds no value has null.
    const auto value = [] (const std::optional<int>& v) { return v ? juce::var (*v) : juce::var(); };
    const auto text = [&entry] (const std::optional<int>& v, const ValueCache& side)
    { return v ? juce::var (textOf (entry, *v, side)) : juce::var(); };
    object->setProperty ("first", value (entry.first));
    object->setProperty ("second", value (entry.second));
    object->setProperty ("firstText", text (entry.first, first));
    object->setProperty ("secondText", text (entry.second, second));
    return juce::var (object);
}

void printJson (const SettingsDiff& diff, const Sides& sides, const ValueCache& first, const ValueCache& second, std::ostream& out)
{
    const auto listOf = [&] (const std::vector<Entry>& entries)
    {
        juce::Array<juce::var> list;
        for (const auto& entry : inReadingOrder (entries))
            list.add (jsonOf (entry, first, second));
        return juce::var (list);
    };

    auto* result = new juce::DynamicObject();
    result->setProperty ("first", sides.first);
    result->setProperty ("second", sides.secondIsKeyboard ? juce::String ("keyboard") : sides.second);
    result->setProperty ("same", diff.isSame());
    result->setProperty ("differences", listOf (diff.getDifferences()));
    result->setProperty ("notCompared", listOf (diff.getNotCompared()));
    out << juce::JSON::toString (juce::var (result), true) << std::endl;
}

// What does not fit together on the command line; empty when it all does.
juce::String describeMisuse (const ParsedCommand& command)
{
    const auto& files = command.getArguments();
    if (command.has ("--keyboard"))
    {
        if (files.isEmpty())
            return "needs A, the settings file to compare with the keyboard";
        if (files.size() > 1)
            return "--keyboard compares one settings file with the keyboard, but was also given '" + excerptOf (files[1]) + "'";
        return {};
    }

    if (files.size() < 2)
        return "needs two settings files, A and B, or one and --keyboard";
    for (const auto& option : deviceOptions())
        if (command.has (option.name))
            return option.name + " goes with --keyboard";
    return {};
}

// The file onto the defaults, as "Default Values" then "Load..." in the
// editor: what the file leaves out is the default, on either side alike.
bool loadOntoDefaults (ValueCache& cache, const juce::File& file, ToolContext& context)
{
    cache.applyDefaultValues();
    return DocumentFiles::load (cache, file, context);
}

int runDiff (const ParsedCommand& command, ToolContext& context)
{
    if (const auto misuse = describeMisuse (command); misuse.isNotEmpty())
        return reportUsageError (context, "diff", misuse);

    const auto& arguments = command.getArguments();
    const bool withKeyboard = command.has ("--keyboard");
    const Sides sides { arguments[0], withKeyboard ? juce::String ("the keyboard") : arguments[1], withKeyboard };

    ValueCache first;
    if (! loadOntoDefaults (first, DocumentFiles::argumentFile (command, 0), context))
        return ExitCode::failed;

    ValueCache secondFile;
    std::unique_ptr<KeyboardSession> session;
    const ValueCache* second = &secondFile;
    if (withKeyboard)
    {
        session = std::make_unique<KeyboardSession> (command, context);
        if (! session->readSettings ("settings", "Nothing was compared."))
            return ExitCode::failed;
        second = &session->getManager().getCache();
    }
    else if (! loadOntoDefaults (secondFile, DocumentFiles::argumentFile (command, 1), context))
        return ExitCode::failed;

    const SettingsDiff diff (first, *second);
    if (command.has ("--json"))
        printJson (diff, sides, first, *second, context.out);
    else
        printText (diff, sides, first, *second, context.out);
    return diff.isSame() ? ExitCode::success : ExitCode::failed;
}
} // namespace

CommandSpec diffCommand()
{
    return { "diff",
             "A B",
             0,
             2,
             withOptions ({ { "--keyboard", {}, "Compares A with the keyboard's own settings, which take B's place." } },
                          withOptions (deviceOptions(), { { "--json", {}, "Prints one JSON object, for scripts." } })),
             "Lists the settings that differ between two settings files, or a file and the keyboard.",
             "Loads A and B onto the default values, as the editor does after \"Default Values\" then\n"
             "\"Load...\", and prints each control parameter, global and curve that differs, by the panel's\n"
             "names: A's value, then B's. With --keyboard, the keyboard's settings, read as \"vorloctl read\"\n"
             "reads them, are B: each line shows the file's value, then the keyboard's.\n"
             "A value only one side holds, the other only assuming one (the keyboard does not report its\n"
             "pitch strip or preset buttons), is not compared: such values are listed apart, never as a\n"
             "difference. Exits with 0 when the two are the same, 1 when they differ or a file or the\n"
             "keyboard could not be read, 2 when the command line is wrong.",
             runDiff };
}
