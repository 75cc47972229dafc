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
           "[--set id=value]... [--tail seconds] [--save-state file] [--overwrite] [--quiet] | --learn-only [in] "
           "[--state file] [--source ...] [--character ...] [--save-state file] | --list-sources | --list-params "
           "| --help | --version";
}

juce::String helpText()
{
    return "zq6-render renders an audio file through the ZQ-6 reverb, with the latency removed and the tail\n"
           "appended. Without an input file it renders a built-in demo (a few seconds of synthesised music).\n"
           "\n"
           "  zq6-render in.wav out.wav         render in.wav into out.wav (WAV, FLAC, AIFF or Ogg in; WAV out)\n"
           "  zq6-render demo.wav               render the demo; an existing demo.wav needs --overwrite\n"
           "\n"
           "options:\n"
           "  --set id=value        set a parameter in its own units or texts (decay=3.5, mix=25%, eq_lp=Off)\n"
           "  --list-params         list the ids --set takes, with their values and defaults\n"
           "  --state file          load a saved state (the block a host stores) before the other options\n"
           "  --save-state file     save the state once every other option was applied\n"
           "  --source group/entry  apply a Source's starting settings (--list-sources lists them)\n"
           "  --character name      Auto, Room, Hall, Chamber or Plate\n"
           "  --learn               let Learn listen to the input and set the reverb before rendering\n"
           "  --learn-only [in]     print what Learn found and set; render nothing\n"
           "  --tail seconds        render exactly this much after the input (else until -90 dBFS, at most 10 s)\n"
           "  --overwrite           let a single file argument replace an existing file with the demo\n"
           "  --quiet               no progress bar and no summary\n"
           "  --help, -h            this text\n"
           "  --version             the version\n"
           "\n"
           "Errors print one line on stderr and exit with code 2 (3 when Learn heard too little).\n";
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
        else if (arg == "--list-params")
        {
            options.listParams = true;
        }
        else if (arg == "--help" || arg == "-h")
        {
            options.help = true;
        }
        else if (arg == "--version")
        {
            options.version = true;
        }
        else if (arg == "--overwrite")
        {
            options.overwrite = true;
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

    if (options.help || options.version || options.listParams || (options.listSources && files.isEmpty()))
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
    {
        // One name alone is where the demo goes; most likely the user meant an input they forgot
        // to give an output for, so an existing file is kept unless they say otherwise.
        options.output = juce::File::getCurrentWorkingDirectory().getChildFile(files[0]);
        if (options.output.exists() && !options.overwrite)
            throw RenderError(options.output.getFullPathName() + " exists and a single file is where the demo goes; "
                              "give an output too (zq6-render in.wav out.wav) or add --overwrite");
    }
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
