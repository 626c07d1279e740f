#include "link/ControlFinder.h"
#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"

#include <benchmark/benchmark.h>

namespace
{
// The keyboard's input as the manager sees a message's source.
class NamedInput : public MidiInputPort
{
public:
    explicit NamedInput (juce::String inputName) : name (std::move (inputName)) {}
    void start() override {}
    void stop() override {}
    juce::String getName() const override { return name; }

private:
    juce::String name;
};

class CountingListener : public OrvaneManagerListener
{
public:
    void keyboardEvent (int event, int, int, int) override { touches += event == eventControlTouched ? 1 : 0; }
    std::atomic<int> touches { 0 };
};

// One knob turned: the manager reads each move on the MIDI input thread.
// With touches listened for, each also finds its control among the cache's
// assignments; without, the move is only interpreted, which is the floor.
void touchedMove (benchmark::State& state)
{
    const bool listening = state.range (0) != 0;
    VirtualMidiPorts ports;
    ports.addOutput ("Vorlo");
    OrvaneManager49 manager (ports);
    CountingListener listener;
    manager.addListener (&listener);
    manager.setDevice ("Vorlo", "Vorlo", DeviceCode::vorlo);
    manager.listenForTouches (listening);

    NamedInput input ("Vorlo");
    const int knobNumber = manager.getCache().getItemParam (3, 0x0E);
    int value = 0;
    for (auto _ : state)
        manager.handleIncomingMidiMessage (&input, juce::MidiMessage::controllerEvent (1, knobNumber, ++value & 0x7F));

    if (listening && listener.touches == 0)
        state.SkipWithError ("no move was found to be a control's");
    state.counters["ns_per_move"] = benchmark::Counter ((double) state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel (listening ? "listening for touches" : "floor: interpreting only");
}
} // namespace

BENCHMARK (touchedMove)->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond);
