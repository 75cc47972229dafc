#pragma once

#include "SourceNames.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zq6::render
{
// A failure the command line reports with one line on stderr and its exit code.
struct RenderError : std::runtime_error
{
    RenderError(const juce::String& message, int code = 2) : std::runtime_error(message.toStdString()), exitCode(code) {}
    int exitCode;
};

struct RenderOptions
{
    juce::File input;  // none: the built-in demo
    juce::File output;
    std::vector<std::pair<juce::String, juce::String>> settings; // --set id=value, in order
    std::optional<SourceName> source;        // applied before the --set values
    std::optional<int> characterChoice;      // 0 Auto to 4 Plate
    std::optional<double> tailSeconds;
    bool quiet = false;
    bool listSources = false;
    bool listParams = false;
    bool help = false;
    bool version = false;
    bool overwrite = false; // a single file argument may name an existing file
    bool learn = false;     // run a Learn cycle on the input before rendering
    bool learnOnly = false; // print what Learn found and set, render nothing
    juce::File stateIn;     // a saved state (the block a host stores), loaded before any other option
    juce::File stateOut;    // where the state is saved once every other option was applied
};

// Throws RenderError on malformed arguments.
RenderOptions parseArguments(const juce::StringArray& args);

juce::String usage();
// The usage with every option explained, for --help.
juce::String helpText();
} // namespace zq6::render
