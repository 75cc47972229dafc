#include "RenderOptions.h"

namespace zq6::render
{
namespace
{
juce::String takeValue(const juce::StringArray& args, int& i, const juce::String& option)
{
    if (i + 1 >= args.size())
        throw RenderError(option + " needs a value");
    return args[++i];
}
} // namespace

juce::String usage()
{
    return "usage: zq6-render [in] out.wav [--state file] [--learn] [--source group/entry] [--character name] "
           "[--set id=value]... [--tail seconds] [--save-state file] [--quiet] | --learn-only [in] [--state file] "
           "[--source ...] [--character ...] [--save-state file] | --list-sources";
}

RenderOptions parseArguments(const juce::StringArray& args)
{
    RenderOptions options;
    juce::StringArray files;
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        if (arg == "--set")
        {
            const auto setting = takeValue(args, i, arg);
            if (!setting.containsChar('=') || setting.upToFirstOccurrenceOf("=", false, false).trim().isEmpty())
                throw RenderError("--set expects id=value, got \"" + setting + "\"");
            options.settings.emplace_back(setting.upToFirstOccurrenceOf("=", false, false).trim(),
                                          setting.fromFirstOccurrenceOf("=", false, false).trim());
        }
        else if (arg == "--tail")
        {
            const auto text = takeValue(args, i, arg).trim();
            if (!text.containsOnly("0123456789.") || text.isEmpty() || text.getDoubleValue() > 600.0)
                throw RenderError("--tail expects seconds from 0 to 600, got \"" + text + "\"");
            options.tailSeconds = text.getDoubleValue();
        }
        else if (arg == "--state" || arg == "--save-state")
        {
            const auto file = juce::File::getCurrentWorkingDirectory().getChildFile(takeValue(args, i, arg));
            (arg == "--state" ? options.stateIn : options.stateOut) = file;
        }
        else if (arg == "--source")
        {
            options.source = findSource(takeValue(args, i, arg));
        }
        else if (arg == "--character")
        {
            options.characterChoice = findCharacterChoice(takeValue(args, i, arg));
        }
        else if (arg == "--learn" || arg == "--learn-only")
        {
            options.learn = true;
            options.learnOnly = options.learnOnly || arg == "--learn-only";
        }
        else if (arg == "--list-sources")
        {
            options.listSources = true;
        }
        else if (arg == "--quiet")
        {
            options.quiet = true;
        }
        else if (arg.startsWith("--"))
        {
            throw RenderError("unknown option " + arg + "; " + usage());
        }
        else
        {
            files.add(arg);
        }
    }

    if (options.listSources && files.isEmpty())
        return options;
    if (options.learnOnly)
    {
        if (files.size() > 1)
            throw RenderError("--learn-only takes an input file and no output; " + usage());
        if (files.size() == 1)
            options.input = juce::File::getCurrentWorkingDirectory().getChildFile(files[0]);
        return options;
    }
    if (files.size() == 1)
        options.output = juce::File::getCurrentWorkingDirectory().getChildFile(files[0]);
    else if (files.size() == 2)
    {
        options.input = juce::File::getCurrentWorkingDirectory().getChildFile(files[0]);
        options.output = juce::File::getCurrentWorkingDirectory().getChildFile(files[1]);
    }
    else
        throw RenderError(usage());
    return options;
}
} // namespace zq6::render
