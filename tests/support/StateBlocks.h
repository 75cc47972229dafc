#pragma once

#include "processor/ZQ6AudioProcessor.h"

namespace zq6::test
{
juce::MemoryBlock saveOf(ZQ6AudioProcessor& processor);
void loadInto(ZQ6AudioProcessor& processor, const juce::MemoryBlock& block);

// A state block's document and a block holding a document, both in the framework's format.
std::unique_ptr<juce::XmlElement> documentOf(const juce::MemoryBlock& block);
juce::MemoryBlock blockOf(const juce::XmlElement& document);

// The text of a block, and a block holding any text behind a correct header.
juce::String textOf(const juce::MemoryBlock& block);
juce::MemoryBlock headerWithText(const juce::String& text);
} // namespace zq6::test
