#include "CraftedStates.h"

namespace zq6::test::crafted
{
juce::String inRoot(const juce::String& document, const juce::String& inside)
{
    return document.replaceFirstOccurrenceOf("<PARAM ", inside + "<PARAM ");
}

juce::String onElement(const juce::String& document, const juce::String& tag, const juce::String& attributes)
{
    return document.replaceFirstOccurrenceOf("<" + tag + " ", "<" + tag + " " + attributes + " ");
}

juce::String nested(int levels)
{
    return juce::String::repeatedString("<a>", levels) + juce::String::repeatedString("</a>", levels);
}

juce::String attributes(int count)
{
    juce::String text;
    for (int i = 0; i < count; ++i)
        text << " a" << i << "=\"1\"";
    return text;
}

std::vector<Document> hostileDocuments(const juce::String& realDocument)
{
    const auto& d = realDocument;
    return { { "base64NegativeSize", onElement(d, "ZQ6LEARN", "base64:x=\"-5.AAAA\"") },
             { "base64HugeSize", onElement(d, "ZQ6LEARN", "base64:x=\"200000000.AAAA\"") },
             { "nested30000", inRoot(d, nested(30000)) },
             { "entities",
               d.replaceFirstOccurrenceOf("?>", "?><!DOCTYPE ZQ6STATE [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>")
                   .replaceFirstOccurrenceOf("<ZQ6BASE ", "<ZQ6BASE x=\"&b;\" ") } };
}
} // namespace zq6::test::crafted
