#include "ParameterListing.h"
#include "RenderJob.h"
#include "processor/ProductInfo.h"
#include "processor/ZQ6AudioProcessor.h"

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
        const auto options = zq6::render::parseArguments(args);
        if (options.help)
            std::fputs(zq6::render::helpText().toRawUTF8(), stdout);
        else if (options.version)
            std::printf("zq6-render %s\n", zq6::productVersion);
        else if (options.listParams)
            std::fputs(zq6::render::parameterListing(zq6::ZQ6AudioProcessor().getValueTreeState()).toRawUTF8(), stdout);
        else if (options.listSources)
            std::fputs(zq6::render::sourceListing().toRawUTF8(), stdout);
        else
            zq6::render::RenderJob(options).run();
        return 0;
    }
    catch (const zq6::render::RenderError& error)
    {
        std::fprintf(stderr, "zq6-render: %s\n", error.what());
        return error.exitCode;
    }
}
