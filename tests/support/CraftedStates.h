#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace zq6::test
{
// Builders of crafted state documents, each from a real document's text.
namespace crafted
{
// `inside` placed at the start of the root's children.
juce::String inRoot(const juce::String& document, const juce::String& inside);
// `attributes` placed first on the first element with the tag.
juce::String onElement(const juce::String& document, const juce::String& tag, const juce::String& attributes);
juce::String nested(int levels);
// `count` attributes a0="1" a1="1" ..., each after a space.
juce::String attributes(int count);

struct Document
{
    const char* name;
    juce::String text;
};

// The kinds that once crashed a host or made it allocate hundreds of megabytes, or spin for
// seconds: "base64:" attributes with a negative or huge size, deep nesting, entities.
std::vector<Document> hostileDocuments(const juce::String& realDocument);
} // namespace crafted
} // namespace zq6::test
