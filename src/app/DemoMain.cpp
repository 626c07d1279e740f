#include "app/DemoAppClass.h"

START_JUCE_APPLICATION (DemoAppClass)
