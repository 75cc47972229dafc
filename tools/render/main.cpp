#include "RenderJob.h"

#include <juce_events/juce_events.h>

#include <cstdio>

int main(int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));

    try
    {
        zq6::render::RenderJob(zq6::render::parseArguments(args)).run();
        return 0;
    }
    catch (const zq6::render::RenderError& error)
    {
        std::fprintf(stderr, "zq6-render: %s\n", error.what());
        return error.exitCode;
    }
}
