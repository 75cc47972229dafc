#include "ParameterListing.h"

#include "ui/help/HelpTable.h"

#include <algorithm>
#include <cstdio>

namespace zq6::render
{
namespace
{
constexpr int suggestionCount = 3;

juce::String padded(const juce::String& text, int width)
{
    return text + juce::String::repeatedString(" ", juce::jmax(1, width - text.length()));
}

juce::String valuesText(const juce::RangedAudioParameter& parameter)
{
    if (auto* choice = dynamic_cast<const juce::AudioParameterChoice*>(&parameter))
        return choice->choices.joinIntoString(", ");
    if (dynamic_cast<const juce::AudioParameterBool*>(&parameter) != nullptr)
        return "off, on";
    const auto& range = parameter.getNormalisableRange();
    const auto span = numberText(range.start) + " to " + numberText(range.end);
    // Percentages are fractions, or numbers typed with "%".
    if (parameter.getLabel() == "%")
        return span + " (or " + numberText(range.start * 100.0) + "% to " + numberText(range.end * 100.0) + "%)";
    return span + " " + parameter.getLabel();
}

juce::String defaultText(const juce::RangedAudioParameter& parameter)
{
    const auto value = parameter.getDefaultValue();
    if (auto* choice = dynamic_cast<const juce::AudioParameterChoice*>(&parameter))
        return choice->choices[juce::roundToInt(parameter.convertFrom0to1(value))];
    if (dynamic_cast<const juce::AudioParameterBool*>(&parameter) != nullptr)
        return value >= 0.5f ? "on" : "off";
    return numberText(parameter.convertFrom0to1(value));
}

// Lower case with words joined by "_", as ids are written.
juce::String idForm(const juce::String& text)
{
    return text.trim().toLowerCase().replaceCharacters(" -", "__");
}

int editDistance(const juce::String& a, const juce::String& b)
{
    std::vector<int> row(static_cast<size_t>(b.length() + 1));
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (int i = 1; i <= a.length(); ++i)
    {
        auto diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.length(); ++j)
        {
            const auto above = row[static_cast<size_t>(j)];
            const auto substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[static_cast<size_t>(j)] = std::min({ above + 1, row[static_cast<size_t>(j - 1)] + 1, substitution });
            diagonal = above;
        }
    }
    return row.back();
}

int distanceTo(const juce::RangedAudioParameter& parameter, const juce::String& typed)
{
    const auto id = parameter.getParameterID();
    auto best = juce::jmin(editDistance(typed, id), editDistance(typed, idForm(parameter.getName(64))));
    if (const auto* entry = ui::help(id))
        best = juce::jmin(best, editDistance(typed, idForm(entry->title)));
    return best;
}

template <typename Visit>
void forEachParameter(const juce::AudioProcessorValueTreeState& state, Visit&& visit)
{
    for (auto* parameter : state.processor.getParameters())
        if (auto* ranged = dynamic_cast<const juce::RangedAudioParameter*>(parameter))
            visit(*ranged);
}
} // namespace

juce::String numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.6g", value);
    return text;
}

juce::String parameterListing(const juce::AudioProcessorValueTreeState& state)
{
    juce::String listing = padded("id", 18) + padded("name", 24) + padded("values", 48) + "default\n";
    forEachParameter(state, [&listing](const juce::RangedAudioParameter& parameter) {
        listing << padded(parameter.getParameterID(), 18) << padded(parameter.getName(64), 24)
                << padded(valuesText(parameter), 48) << defaultText(parameter) << "\n";
    });
    return listing;
}

juce::StringArray closestIds(const juce::AudioProcessorValueTreeState& state, const juce::String& typed)
{
    std::vector<std::pair<int, juce::String>> ranked;
    forEachParameter(state, [&](const juce::RangedAudioParameter& parameter) {
        ranked.emplace_back(distanceTo(parameter, idForm(typed)), parameter.getParameterID());
    });
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    juce::StringArray ids;
    for (size_t i = 0; i < ranked.size() && ids.size() < suggestionCount; ++i)
        ids.add(ranked[i].second);
    return ids;
}
} // namespace zq6::render
