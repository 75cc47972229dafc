#include "StateFuzzEntry.h"

#include <juce_core/juce_core.h>

#include <cstdio>

// Replays every file of the given folders through both fuzz entries, as a plain regression test.
int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i)
    {
        const juce::File folder(juce::File::getCurrentWorkingDirectory().getChildFile(argv[i]));
        for (const auto& file : folder.findChildFiles(juce::File::findFiles, false))
        {
            juce::MemoryBlock data;
            if (!file.loadFileAsData(data))
            {
                std::fprintf(stderr, "cannot read %s\n", file.getFullPathName().toRawUTF8());
                return 1;
            }
            const auto* bytes = static_cast<const std::uint8_t*>(data.getData());
            zq6::fuzz::runStateInput(bytes, data.getSize());
            zq6::fuzz::runStateParseInput(bytes, data.getSize());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
