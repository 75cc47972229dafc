#include "SourceNames.h"

#include "RenderOptions.h"
#include "learn/LearnMenus.h"
#include "learn/SourcePresets.h"

namespace zq6::render
{
namespace
{
// Spaces around the group's slash are optional.
juce::String comparable(const juce::String& text)
{
    return text.removeCharacters(" \t").toLowerCase();
}

juce::String fullName(int group, int entry)
{
    return juce::String(sourceGroupNames[group]) + "/" + sourcePresets[group][entry].name;
}

juce::StringArray allSourceNames()
{
    juce::StringArray names;
    for (int g = 0; g < sourceGroupCount; ++g)
        for (int e = 0; e < sourceEntryCount(g); ++e)
            names.add(fullName(g, e));
    return names;
}

juce::StringArray characterChoiceNames()
{
    juce::StringArray names { "Auto" };
    for (int c = room; c <= plate; ++c)
        names.add(learnmenus::characterName(c));
    return names;
}
} // namespace

SourceName findSource(const juce::String& name)
{
    const auto wanted = comparable(name);
    for (int g = 0; g < sourceGroupCount; ++g)
        for (int e = 0; e < sourceEntryCount(g); ++e)
            if (comparable(fullName(g, e)) == wanted)
                return { g, e };
    throw RenderError("unknown source \"" + name + "\"; one of: " + allSourceNames().joinIntoString(", "));
}

int findCharacterChoice(const juce::String& name)
{
    const auto names = characterChoiceNames();
    const auto index = names.indexOf(name.trim(), true);
    if (index < 0)
        throw RenderError("unknown character \"" + name + "\"; one of: " + names.joinIntoString(", "));
    return index;
}

juce::String sourceListing()
{
    juce::String text;
    for (int g = 0; g < sourceGroupCount; ++g)
    {
        text << sourceGroupNames[g] << "\n";
        for (int e = 0; e < sourceEntryCount(g); ++e)
            text << "  " << fullName(g, e) << "\n";
    }
    return text;
}
} // namespace zq6::render
