#include "CtestDisplay.h"
#include "XErrorTolerance.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// The processor starts timers and the editor needs the message manager, so every test runs with
// JUCE initialised on the main thread.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    zq6::test::useDisplayGivenByCtest();
    zq6::test::tolerateXErrors();
    const juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
