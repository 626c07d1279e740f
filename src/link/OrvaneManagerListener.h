#pragma once

// What the keyboard manager reports to its listeners: the event, then two
// values whose meaning depends on it. The fourth argument is always 0.
enum ManagerEvent
{
    eventDetected = 0,
    eventControllerNumbers = 1,
    eventControlMoved = 2,
    eventItemValue = 3,
    eventMidiChannel = 4,
    eventOctaveShift = 5,
    eventDetectionEnded = 7,
    eventModulationMoved = 8,
    eventPitchMoved = 9,
    eventSwitch50Moved = 10,
    eventSwitch51Moved = 11,
    eventSwitch53Moved = 12,
    eventSwitch52Moved = 13,
    eventRelativeMode = 14,
    eventPadPressure = 15,
    eventParameterValues = 16,
    eventGlobalValue = 17,
    eventCurveValue = 18,
    eventControlTouched = 19 // a: the control the user moved, while touches are listened for
};

// Called on the thread that caused the event: the message thread for the
// detection timer, the MIDI input thread for everything the keyboard sends.
// A listener may send to the keyboard from inside the call; one that touches
// components must hand that work to the message thread.
class OrvaneManagerListener
{
public:
    virtual ~OrvaneManagerListener() = default;
    virtual void keyboardEvent (int event, int a, int b, int third) = 0;
};
