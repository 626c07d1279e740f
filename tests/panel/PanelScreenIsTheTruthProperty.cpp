#include "documents/SettingsFile.h"
#include "panel/ControlTable.h"
#include "panel/ModeRules.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/DocumentFiles.h"
#include "support/PanelRig.h"

#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <cstdlib>

// One promise, walked along random sequences of what a user does with the
// editor against the simulated keyboard: the screen is the truth. After every
// step the boxes show what the editor holds, the editor holds what the
// keyboard, the user, a file or "Default Values" gave, and only that; a send
// stores exactly that; nothing malformed leaves for the keyboard; closing
// asks exactly when something is left to keep.
//
// The suite runs a fixed number of sequences; VORLO_PROPERTY_SEQUENCES runs
// more, and RC_PARAMS="seed=N" replays one run.
namespace
{
enum class Kind
{
    pick,     // a: which control
    choose,   // a: which box, b: which item
    defaults, // "Default Values"
    load,     // a: which file, b: its seed
    save,     // "Save..." into the scratch file
    send,     // a: the memory
    replug,   // a: 0 keeps the editor's values, 1 reads the keyboard
    undo,     // Ctrl+Z
    redo      // Ctrl+Y
};

struct Action
{
    Kind kind;
    int a = 0, b = 0;
};

void showValue (const Action& action, std::ostream& os)
{
    static const char* const names[] = { "pick", "choose", "defaults", "load", "save", "send", "replug", "undo", "redo" };
    os << names[(int) action.kind] << " (" << action.a << ", " << action.b << ")";
}

// The boxes a user can choose in: the selected control's, then the globals.
enum Box
{
    modeBox,
    channelBox,
    numberBox,
    minBox,
    maxBox,
    optionBox,
    globalChannelBox,
    knobAccelBox,
    velocityCurveBox,
    padCurveBox,
    numBoxes
};

// Files a user may load: good ones, the last one saved, and bad ones.
enum FileKind
{
    someControls,
    lastSaved,
    valueThatFitsNothing,
    notSettings,
    notXml,
    numFileKinds
};

constexpr int pitchStrip = 0x41;
constexpr int numKeyboardChanges = 6;

rc::Gen<Action> anAction()
{
    using namespace rc;
    return gen::oneOf (
        gen::construct<Action> (gen::just (Kind::pick), gen::inRange (0, 64), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::pick), gen::inRange (0, 64), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::choose), gen::inRange (0, (int) numBoxes), gen::inRange (0, 128)),
        gen::construct<Action> (gen::just (Kind::choose), gen::inRange (0, (int) numBoxes), gen::inRange (0, 128)),
        gen::construct<Action> (gen::just (Kind::choose), gen::inRange (0, (int) numBoxes), gen::inRange (0, 128)),
        gen::construct<Action> (gen::just (Kind::defaults), gen::just (0), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::load), gen::inRange (0, (int) numFileKinds), gen::inRange (0, 1 << 20)),
        gen::construct<Action> (gen::just (Kind::save), gen::just (0), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::send), gen::inRange (1, 9), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::replug), gen::inRange (0, 2), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::undo), gen::just (0), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::undo), gen::just (0), gen::just (0)),
        gen::construct<Action> (gen::just (Kind::redo), gen::just (0), gen::just (0)));
}

// A change to the keyboard's own settings before the editor starts: a
// control's parameter set to a meaningful value, modes without an item of
// their own among them.
struct KeyboardChange
{
    int control, parameter, value;
};

void showValue (const KeyboardChange& change, std::ostream& os)
{
    os << "control #" << change.control << " parameter " << change.parameter << " = " << change.value;
}

rc::Gen<KeyboardChange> aKeyboardChange()
{
    using namespace rc;
    return gen::mapcat (gen::inRange (1, 7),
                        [] (int parameter)
                        {
                            const auto values = parameter == 1   ? gen::element (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14)
                                                : parameter == 2 ? gen::element (0, 1, 9, 15, 65)
                                                                 : gen::inRange (0, 128);
                            return gen::construct<KeyboardChange> (gen::inRange (0, 64), gen::just (parameter), values);
                        });
}

// What the editor is expected to hold of one value, and where it came from.
struct Expected
{
    std::optional<int> value; // nothing: only the editor's guess
    ValueSource source = ValueSource::assumed;

    // Read from the keyboard counts too: an undo after a send may put back
    // what the keyboard had before, and Send writes it.
    bool isGiven() const { return value.has_value() && source != ValueSource::assumed; }
};

// The model: the editor's copy as the user's actions make it, and the kept
// state it is compared with.
struct Model
{
    std::map<std::pair<int, int>, Expected> controls; // (id, parameter)
    std::map<int, Expected> globals, curves;

    Expected& at (int id, int parameter) { return controls[{ id, parameter }]; }

    // The whole copy was read, sent or saved.
    void keepAll() { kept = { controls, globals, curves }; }

    // An undo or a redo puts back the values of another model, with where
    // they came from; the kept state stays.
    void takeValuesOf (const Model& other)
    {
        controls = other.controls;
        globals = other.globals;
        curves = other.curves;
    }

    // What a file gave is kept as it came.
    void keepControl (int id, int parameter) { kept.controls[{ id, parameter }] = at (id, parameter); }
    void keepGlobal (int index) { kept.globals[index] = globals[index]; }
    void keepCurve (int index) { kept.curves[index] = curves[index]; }

    // Whether closing asks: a value differs from the kept state.
    bool unkept() const
    {
        const auto given = [] (const Expected& e) { return e.value.has_value() && e.source != ValueSource::assumed; };
        const auto differs = [&] (const auto& now, const auto& then)
        {
            auto keys = std::set<typename std::decay_t<decltype (now)>::key_type>();
            for (const auto* map : { &now, &then })
                for (const auto& entry : *map)
                    keys.insert (entry.first);
            for (const auto& key : keys)
            {
                const auto current = now.count (key) ? now.at (key) : Expected {};
                const auto before = then.count (key) ? then.at (key) : Expected {};
                if (given (current) != given (before) || (given (current) && current.value != before.value))
                    return true;
            }
            return false;
        };
        return differs (controls, kept.controls) || differs (globals, kept.globals) || differs (curves, kept.curves);
    }

private:
    struct Kept
    {
        std::map<std::pair<int, int>, Expected> controls;
        std::map<int, Expected> globals, curves;
    } kept;
};

class ScreenIsTheTruth : public PanelRig
{
public:
    ~ScreenIsTheTruth() override { TearDown(); }
    void TestBody() override {}

    void run (const std::vector<KeyboardChange>& keyboardChanges, const std::vector<Action>& actions)
    {
        ids.clear();
        for (const auto& [id, entry] : buildControlTable())
            ids.push_back (id);

        keyboard = std::make_unique<SimulatedKeyboard> (ports);
        keyboard->change (
            [&] (KeyboardModel& k)
            {
                for (const auto& c : keyboardChanges)
                    k.working.controls[ids[(size_t) c.control % ids.size()]][(size_t) c.parameter] = c.value;
            });

        createPanel();
        RC_ASSERT (runMessageLoopUntil ([this] { return readBackFinished (*keyboard); }));
        tick(); // the search is over
        panel->getFollower().poll();
        flushMessageLoop();
        RC_ASSERT (panel->getFollower().getState() == KeyboardFollower::State::connected);
        modelReadBack();
        checkEverything ("the first read-back");

        for (const auto& action : actions)
        {
            std::ostringstream step;
            showValue (action, step);
            perform (action);
            checkEverything (step.str());
        }
    }

private:
    //==============================================================================
    void perform (const Action& action)
    {
        switch (action.kind)
        {
            case Kind::pick: pick (juce::String::toHexString (ids[(size_t) action.a % ids.size()])); break;
            case Kind::choose: chooseIn ((Box) action.a, action.b); break;
            case Kind::defaults:
            {
                const auto before = model;
                widgets().defaultValuesButton->triggerClick();
                flushMessageLoop();
                modelDefaults();
                noteStep (before);
                break;
            }
            case Kind::load: load ((FileKind) action.a, action.b); break;
            case Kind::save:
                dialogs.answerFile (savedFile);
                dialogs.answerOk (true);
                RC_ASSERT (panel->saveSettingsAs());
                model.keepAll();
                break;
            case Kind::send: send (action.a); break;
            case Kind::replug: replug (action.a == 1); break;
            case Kind::undo: undoOrRedo (undone, redone, [this] { return panel->undo(); }); break;
            case Kind::redo: undoOrRedo (redone, undone, [this] { return panel->redo(); }); break;
        }
    }

    // What undo and redo put back: the model before each step, and after.
    void noteStep (const Model& before)
    {
        undone.push_back (before);
        redone.clear();
    }

    void undoOrRedo (std::vector<Model>& from, std::vector<Model>& to, const std::function<bool()>& press)
    {
        const bool did = press();
        flushMessageLoop();
        RC_ASSERT (did == ! from.empty());
        if (! did)
            return;
        to.push_back (model);
        model.takeValuesOf (from.back());
        from.pop_back();
    }

    juce::ComboBox* boxFor (Box box) const
    {
        const auto& w = widgets();
        switch (box)
        {
            case modeBox: return w.modeCombo.get();
            case channelBox: return w.channelCombo.get();
            case numberBox: return w.ccNumberCombo.get();
            case minBox: return w.minCombo.get();
            case maxBox: return w.maxCombo.get();
            case optionBox:
                for (auto* b : { w.toggleOptionCombo.get(), w.encodingOptionCombo.get(), w.nrpnOptionCombo.get(), w.holdOptionCombo.get() })
                    if (b->isVisible())
                        return b;
                return nullptr;
            case globalChannelBox: return w.globalChannelCombo.get();
            case knobAccelBox: return w.knobAccelCombo.get();
            case velocityCurveBox: return w.velCurveCombo.get();
            case padCurveBox: return w.padCurveCombo.get();
            case numBoxes: break;
        }
        return nullptr;
    }

    // A choice as the user makes one: only in a box on show and enabled,
    // only of an item enabled, and only a change is a change.
    void chooseIn (Box which, int rawItem)
    {
        auto* box = boxFor (which);
        const int selected = panel->getSelectedControl();
        if (box == nullptr || ! box->isEnabled() || (which <= optionBox && selected < 0))
            return;
        const int item = rawItem % box->getNumItems();
        if (! box->isItemEnabled (item + 1) || box->getSelectedItemIndex() == item)
            return;

        noteStep (model);
        choose (*box, item);

        const auto edit = [this] (Expected& e, int value)
        {
            e = { value, ValueSource::user };
        };
        switch (which)
        {
            case modeBox: edit (model.at (selected, 1), ModeRules::itemIndexToMode (item)); break;
            case channelBox: edit (model.at (selected, 2), ModeRules::itemIndexToChannel (item)); break;
            case numberBox: edit (model.at (selected, 3), item); break;
            case minBox: edit (model.at (selected, 4), item); break;
            case maxBox: edit (model.at (selected, 5), item); break;
            case optionBox:
            {
                edit (model.at (selected, 6), item);
                // An option stores the mode its item shows.
                auto& mode = model.at (selected, 1);
                const int itemMode = ModeRules::itemModeFor (mode.value.value_or (-1));
                if (itemMode >= 0 && itemMode != *mode.value)
                    edit (mode, itemMode);
                break;
            }
            case globalChannelBox: edit (model.globals[6], item); break;
            case knobAccelBox: edit (model.curves[4], item); break;
            case velocityCurveBox: edit (model.curves[1], item); break;
            case padCurveBox: edit (model.curves[3], item); break;
            case numBoxes: break;
        }
    }

    //==============================================================================
    void load (FileKind kind, int seed)
    {
        const auto before = model;
        juce::Random random (seed);
        juce::String items;
        std::vector<std::tuple<int, int, int>> values; // what a good file gives
        std::vector<int> fileGlobals, fileCurves;
        const char* const attributes[] = { "", "Mode", "Chan", "Num", "MinLSB", "MaxMSB", "Option" };

        juce::File file = scratch.file ("load.vorlo25");
        switch (kind)
        {
            case someControls:
            {
                for (int n = random.nextInt ({ 1, 6 }); --n >= 0;)
                {
                    const int id = ids[(size_t) random.nextInt ((int) ids.size())];
                    juce::String item = "<Item ID=\"" + juce::String (id) + "\"";
                    for (int p = 1; p <= 6; ++p)
                    {
                        if (! random.nextBool())
                            continue;
                        const int value = p == 1 ? random.nextInt (15) : p == 2 ? (random.nextBool() ? 65 : random.nextInt (16)) : random.nextInt (128);
                        item << " " << attributes[p] << "=\"" << value << "\"";
                        values.emplace_back (id, p, value);
                    }
                    items << item << "/>";
                }
                file.replaceWithText ("<Settings><Items>" + items + "</Items></Settings>");
                break;
            }
            case lastSaved:
                if (! savedFile.existsAsFile())
                    return;
                file = savedFile;
                break;
            case valueThatFitsNothing:
            {
                const int id = ids[(size_t) random.nextInt ((int) ids.size())];
                const int p = random.nextInt ({ 1, 7 });
                const int value = random.nextBool() ? -1 - random.nextInt (100) : (p == 1 ? 15 : p == 2 ? 16 : 128) + random.nextInt (1000);
                file.replaceWithText ("<Settings><Items><Item ID=\"48\" Num=\"3\"/><Item ID=\"" + juce::String (id) + "\" "
                                      + attributes[p] + "=\"" + juce::String (value) + "\"/></Items></Settings>");
                break;
            }
            case notSettings: file.replaceWithText ("<html><Items><Item ID=\"48\" Num=\"3\"/></Items></html>"); break;
            case notXml: file.replaceWithText ("knob 1 on CC 3"); break;
            case numFileKinds: return;
        }

        // The last file saved holds what the editor was given then.
        if (kind == lastSaved)
        {
            ValueCache saved;
            saved.forgetEverything();
            RC_ASSERT (SettingsFile::load (saved, file).wasOk());
            for (const int id : ids)
                for (int p = 1; p <= 6; ++p)
                    if (! saved.isAssumed (p, id))
                        values.emplace_back (id, p, saved.getItemParam (p, id));
            for (int g = 0; g < ValueCache::numGlobals; ++g)
                if (saved.getGlobalSource (g) != ValueSource::assumed)
                {
                    model.globals[g] = { saved.getGlobal (g), ValueSource::file };
                    fileGlobals.push_back (g);
                }
            for (int c = 0; c < ValueCache::numCurves; ++c)
                if (saved.getCurveSource (c) != ValueSource::assumed)
                {
                    model.curves[c] = { saved.getCurve (c), ValueSource::file };
                    fileCurves.push_back (c);
                }
        }

        dialogs.forgetShown();
        dialogs.answerFile (file);
        widgets().loadButton->triggerClick();
        flushMessageLoop();

        const bool good = kind == someControls || kind == lastSaved;
        RC_ASSERT (dialogs.countTitled ("File Problem") == (good ? 0 : 1));
        if (! good)
            return;
        for (const auto& [id, p, value] : values)
        {
            model.at (id, p) = { value, ValueSource::file };
            model.keepControl (id, p);
        }
        for (const int index : fileGlobals)
            model.keepGlobal (index);
        for (const int index : fileCurves)
            model.keepCurve (index);
        noteStep (before);
    }

    void send (int memory)
    {
        const auto before = keyboard->inspect ([] (const KeyboardModel& k) { return k.working; });
        choose (*widgets().memoryCombo, memory - 1);
        dialogs.forgetShown();
        widgets().sendButton->triggerClick();
        flushMessageLoop();
        RC_ASSERT (ports.waitUntilIdle());
        RC_ASSERT (dialogs.getShown().empty());
        model.keepAll();

        // What the memory holds: what the editor was given, otherwise the keyboard's own.
        const auto stored = keyboard->inspect ([=] (const KeyboardModel& k) { return k.memories[(size_t) memory]; });
        RC_ASSERT (stored.has_value());
        for (const int id : ids)
            for (int p = 1; p <= 6; ++p)
            {
                const auto& e = model.at (id, p);
                const int expected = e.isGiven() && id != pitchStrip ? *e.value : before.controls.at (id)[(size_t) p];
                RC_ASSERT (stored->controls.at (id)[(size_t) p] == expected);
            }
        const auto expectParameter = [] (const Expected& e, int own) { return e.isGiven() ? *e.value : own; };
        RC_ASSERT (stored->globals[6] == expectParameter (model.globals[6], before.globals[6]));
        for (const int c : { 1, 3, 4 })
            RC_ASSERT (stored->curves[(size_t) c] == expectParameter (model.curves[c], before.curves[(size_t) c]));
    }

    void replug (bool readTheKeyboard)
    {
        keyboard->unplug();
        panel->getFollower().poll();
        flushMessageLoop();

        dialogs.forgetShown();
        const bool asks = model.unkept();
        const bool reads = ! asks || readTheKeyboard;
        const int readBacksBefore = readBacksStarted();
        dialogs.answerChoice (readTheKeyboard ? 1 : 0);
        keyboard->plugIn();
        RC_ASSERT (runMessageLoopUntil (
            [this]
            {
                auto& follower = panel->getFollower();
                follower.poll();
                return follower.isSearchingAgain();
            },
            4000));
        RC_ASSERT (runMessageLoopUntil ([this] { return manager().isKeyboardDetected() && ! manager().isKeyboardUnplugged(); }));
        if (asks)
            RC_ASSERT (runMessageLoopUntil ([this] { return dialogs.countTitled ("Keyboard Connected") == 1; }));
        RC_ASSERT (ports.waitUntilIdle());
        flushMessageLoop();

        if (reads)
        {
            RC_ASSERT (runMessageLoopUntil ([&] { return readBacksStarted() == readBacksBefore + 1 && readBackFinished (*keyboard); }));
            modelReadBack();
        }
        tick();
        panel->getFollower().poll();
        flushMessageLoop();
        RC_ASSERT (readBacksStarted() == readBacksBefore + (reads ? 1 : 0));
        RC_ASSERT (dialogs.countTitled ("Keyboard Connected") == (asks ? 1 : 0));
        RC_ASSERT (dialogs.getShown().size() == (asks ? 1u : 0u));
    }

    int readBacksStarted() const
    {
        const auto request = OrvaneMidiMessage49::createControllerNumberRequest (0);
        const auto received = keyboard->getReceivedMessages();
        return (int) std::count_if (received.begin(), received.end(),
                                    [&] (const juce::MidiMessage& m)
                                    {
                                        return m.getRawDataSize() == request.getRawDataSize()
                                            && std::memcmp (m.getRawData(), request.getRawData(), (size_t) request.getRawDataSize()) == 0;
                                    });
    }

    //==============================================================================
    void modelReadBack()
    {
        model = {};
        // The keyboard's copy replaces the editor's, and its history.
        undone.clear();
        redone.clear();
        const auto own = keyboard->inspect ([] (const KeyboardModel& k) { return k.working; });
        const ValueCache reader;
        for (const int id : ids)
            for (int p = 1; p <= 6; ++p)
                model.at (id, p) = reader.isKnownItem (id) ? Expected { own.controls.at (id)[(size_t) p], ValueSource::keyboard }
                                                           : Expected {};
        model.globals[6] = { own.globals[6], ValueSource::keyboard };
        model.globals[2] = { own.globals[2], ValueSource::keyboard };
        model.globals[3] = { own.globals[3], ValueSource::keyboard };
        for (const int c : { 1, 3, 4 })
            model.curves[c] = { own.curves[(size_t) c], ValueSource::keyboard };
        model.keepAll();
    }

    void modelDefaults()
    {
        ValueCache defaults;
        defaults.applyDefaultValues();
        for (const int id : ids)
            for (int p = 1; p <= 6; ++p)
            {
                const int value = defaults.getItemParam (p, id);
                model.at (id, p) = value < 0 ? Expected {} : Expected { value, ValueSource::defaults };
            }
        for (int g = 0; g < ValueCache::numGlobals; ++g)
            if (defaults.getGlobalSource (g) == ValueSource::defaults)
                model.globals[g] = { defaults.getGlobal (g), ValueSource::defaults };
        for (int c = 0; c < ValueCache::numCurves; ++c)
            if (defaults.getCurveSource (c) == ValueSource::defaults)
                model.curves[c] = { defaults.getCurve (c), ValueSource::defaults };
    }

    //==============================================================================
    void checkEverything (const std::string& step)
    {
        RC_LOG() << "after " << step << std::endl;
        checkTheEditorHoldsWhatItWasGiven();
        checkTheBoxesShowWhatTheEditorHolds();
        checkNothingMalformedLeft();
        checkClosingAsksExactlyWhenSomethingIsUnkept();
    }

    void checkTheEditorHoldsWhatItWasGiven()
    {
        const auto& cache = manager().getCache();
        for (const int id : ids)
            for (int p = 1; p <= 6; ++p)
            {
                const auto& e = model.at (id, p);
                if (e.source == ValueSource::assumed)
                    RC_ASSERT (cache.isAssumed (p, id));
                else
                {
                    RC_ASSERT (cache.getItemParam (p, id) == *e.value);
                    RC_ASSERT (cache.getItemSource (p, id) == e.source);
                }
            }
        for (const auto& [g, e] : model.globals)
            if (e.source != ValueSource::assumed)
                RC_ASSERT (cache.getGlobal (g) == *e.value);
        for (const auto& [c, e] : model.curves)
            if (e.source != ValueSource::assumed)
                RC_ASSERT (cache.getCurve (c) == *e.value);
    }

    void checkTheBoxesShowWhatTheEditorHolds()
    {
        const auto& cache = manager().getCache();
        const auto& w = widgets();
        const auto shows = [] (juce::ComboBox& box, int value)
        {
            if (juce::isPositiveAndBelow (value, box.getNumItems()))
                return box.getSelectedItemIndex() == value && box.getText() == box.getItemText (value);
            return box.getSelectedItemIndex() == -1;
        };

        RC_ASSERT (shows (*w.globalChannelCombo, cache.getGlobal (6)));
        RC_ASSERT (shows (*w.knobAccelCombo, cache.getCurve (4)));
        RC_ASSERT (shows (*w.velCurveCombo, cache.getCurve (1)));
        RC_ASSERT (shows (*w.padCurveCombo, cache.getCurve (3)));

        const int id = panel->getSelectedControl();
        if (id < 0)
            return;

        const int mode = cache.getItemParam (1, id);
        const int modeItem = ModeRules::modeToItemIndex (mode);
        if (modeItem >= 0 || mode < 0)
            RC_ASSERT (shows (*w.modeCombo, modeItem));
        else
            RC_ASSERT (w.modeCombo->getText() == ModeRules::modeName (mode) && w.modeCombo->getSelectedItemIndex() == -1);

        RC_ASSERT (shows (*w.channelCombo, ModeRules::channelToItemIndex (cache.getItemParam (2, id))));
        RC_ASSERT (shows (*w.ccNumberCombo, cache.getItemParam (3, id)));
        RC_ASSERT (shows (*w.minCombo, cache.getItemParam (4, id)));
        RC_ASSERT (shows (*w.maxCombo, cache.getItemParam (5, id)));

        // The one option box the control and its mode call for, showing the option.
        const bool isKnob = buildControlTable().at ((juce::int16) id).isKnob;
        juce::ComboBox* expectedBox = nullptr;
        switch (ModeRules::optionBoxFor (mode, isKnob))
        {
            case ModeRules::OptionBox::toggle: expectedBox = w.toggleOptionCombo.get(); break;
            case ModeRules::OptionBox::encoding: expectedBox = w.encodingOptionCombo.get(); break;
            case ModeRules::OptionBox::nrpn: expectedBox = w.nrpnOptionCombo.get(); break;
            case ModeRules::OptionBox::hold: expectedBox = w.holdOptionCombo.get(); break;
            case ModeRules::OptionBox::none: break;
        }
        RC_ASSERT (boxFor (optionBox) == expectedBox);
        for (auto* b : { w.toggleOptionCombo.get(), w.encodingOptionCombo.get(), w.nrpnOptionCombo.get(), w.holdOptionCombo.get() })
            RC_ASSERT (b->isVisible() == (b == expectedBox));
        if (expectedBox != nullptr)
            RC_ASSERT (shows (*expectedBox, cache.getItemParam (6, id)));

        // What a send leaves alone cannot be changed.
        RC_ASSERT (w.channelCombo->isEnabled() == (id != pitchStrip));
    }

    void checkNothingMalformedLeft()
    {
        const auto received = keyboard->getReceivedMessages();
        for (size_t i = messagesChecked; i < received.size(); ++i)
        {
            const OrvaneMidiMessage49 message (received[i]);
            RC_ASSERT (message.hasOnlySevenBitData());
            if (message.isParameterResponse() && message.hasValue())
                RC_ASSERT (ValueCache::isMeaningful (message.getParameter(), message.getValue()));
        }
        messagesChecked = received.size();
    }

    void checkClosingAsksExactlyWhenSomethingIsUnkept()
    {
        RC_ASSERT (manager().getCache().hasUnkeptEdits() == model.unkept());
        dialogs.forgetShown();
        dialogs.answerChoice (0); // Cancel: the editor stays
        const bool closes = panel->confirmQuit();
        RC_ASSERT (closes == ! model.unkept());
        RC_ASSERT (dialogs.countTitled ("Unsaved Changes") == (model.unkept() ? 1 : 0));
        dialogs.forgetShown();
    }

    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::vector<int> ids;
    Model model;
    std::vector<Model> undone, redone;
    ScratchFolder scratch;
    juce::File savedFile = scratch.file ("saved.vorlo25");
    size_t messagesChecked = 0;
};

int sequencesToRun()
{
    const char* asked = std::getenv ("VORLO_PROPERTY_SEQUENCES");
    return asked != nullptr ? std::max (1, std::atoi (asked)) : 40;
}
} // namespace

TEST (ScreenIsTheTruth, AlongRandomSequencesOfWhatAUserDoes)
{
    auto params = rc::detail::configuration().testParams;
    params.maxSuccess = sequencesToRun();
    params.maxSize = 30; // actions per sequence, at most

    rc::detail::TestMetadata metadata;
    metadata.id = "ScreenIsTheTruth/AlongRandomSequencesOfWhatAUserDoes";
    metadata.description = metadata.id;

    const auto result = rc::detail::checkTestable (
        []
        {
            const auto changes = *rc::gen::resize (numKeyboardChanges, rc::gen::container<std::vector<KeyboardChange>> (aKeyboardChange()));
            const auto actions = *rc::gen::container<std::vector<Action>> (anAction());
            ScreenIsTheTruth rig;
            rig.run (changes, actions);
        },
        metadata, params);

    if (! result.is<rc::detail::SuccessResult>())
    {
        std::ostringstream message;
        rc::detail::printResultMessage (result, message);
        FAIL() << message.str();
    }
}
