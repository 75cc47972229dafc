#include "HelpTable.h"

namespace zq6::ui
{
const std::vector<HelpEntry>& helpEntries()
{
    static const std::vector<HelpEntry> entries {
        { "size", "Size",
          "Room size. Bigger rooms space the reflections further apart and the tail thickens more slowly. How long the tail lasts is set by Decay." },
        { "decay", "Decay",
          "How long the tail rings before it fades out, in seconds. Longer values sound like a larger, more reflective space." },
        { "decay_beats", "Decay",
          "How long the tail rings before it fades out, in beats, so it stays in step with the host tempo." },
        { "predelay", "Pre-delay",
          "Delay before the reverb starts, in milliseconds. More pre-delay lets the start of each note through clean, which keeps the sound up front." },
        { "predelay_note", "Pre-delay",
          "Delay before the reverb starts, as a note length at the host tempo. More pre-delay lets the start of each note through clean." },
        { "attack", "Attack",
          "How gradually the tail fades in after each sound. At 0 ms it starts right away; turn it up and the tail swells in behind the sound. Early reflections stay where they are." },
        { "brightness", "Brightness",
          "Tone of the tail. Turn it up for a brighter, airier tail, or down for a darker, warmer one whose highs die away sooner." },
        { "lowcut", "Low cut",
          "Cuts lows from the reverb only, which keeps the low end of the mix from getting muddy. The dry sound is left alone." },
        { "decay_mult_low", "Low decay",
          "How long the lows ring compared with Decay. At x1.00 they match; lower values tighten the low end and higher ones make it fuller and boomier." },
        { "width", "Width",
          "Stereo width of the reverb: 0% is mono, 100% is the normal spread, and up to 200% is wider." },
        { "motion", "Motion",
          "Slow movement inside the tail that stops it sounding metallic. More motion is deeper and a little faster." },
        { "clean_unmask", "Unmask Amount",
          "Turns the reverb down in the bands where it clashes with the dry sound, and only while the dry sound is playing. More Unmask keeps the dry sound clearer." },
        { "clean_shaping", "Shaping Amount",
          "Softens sibilance, breaths and sharp attacks in the signal feeding the reverb, so they don't splash in the tail. The dry sound is left alone; Sibilance, Breath and Transient set how the work is shared." },
        { "shape_sibilance", "Sibilance",
          "Share of Shaping spent on S and T sounds. Turn it up if sibilance hisses in the tail." },
        { "shape_breath", "Breath",
          "Share of Shaping spent on breath noise. Turn it up if breaths show up in the tail." },
        { "shape_attack", "Transient",
          "Share of Shaping spent on sharp attacks such as drum hits and picked notes. Turn it up to soften them before they reach the reverb." },
        { "er_trim", "ER level",
          "Level of the early reflections against the tail. Turn it up to hear more of the room around the sound; the bottom of the range (-inf) turns them off." },
        { "diffusion", "Diffusion",
          "How smoothly the reflections blend. High values give a smooth, dense wash; low values leave distinct echoes." },
        { "mix", "Mix",
          "How much reverb is in the output. It is fixed at 100% in Send mode." },
        { "output", "Output",
          "Output level after the reverb, in dB." },
        { "ui.slotA", "Slot A",
          "Switch to slot A. A and B each hold a complete set of settings, so you can compare them." },
        { "ui.slotB", "Slot B",
          "Switch to slot B. A and B each hold a complete set of settings, so you can compare them." },
        { "ui.copyAtoB", "Copy A to B",
          "Copy the settings in slot A over slot B." },
        { "ui.copyBtoA", "Copy B to A",
          "Copy the settings in slot B over slot A." },
        { "ui.undo", "Undo",
          "Step back the last change (Ctrl/Cmd+Z)." },
        { "ui.redo", "Redo",
          "Step forward again (Ctrl+Y, or Ctrl/Cmd+Shift+Z)." },
        { "ui.mode", "Insert or Send",
          "Insert for a track's own insert slot; Send for a bus or send, where Mix is fixed at 100%." },
        { "ui.modeInsert", "Insert",
          "Use ZQ-6 on a track's insert. Learn listens to that track." },
        { "ui.modeSend", "Send",
          "Use ZQ-6 on a send or bus. Mix is fixed at 100% and Learn listens to the mixed signal." },
        { "ui.source", "Source",
          "What kind of sound this is. It sets the starting reverb, and Init at the top of the menu resets everything." },
        { "ui.character", "Character",
          "The kind of space: Auto, Room, Hall, Chamber or Plate. Auto lets Source and Learn choose." },
        { "ui.learn", "Learn",
          "Play the track, then press. ZQ-6 listens for a few seconds and sets the reverb to suit it." },
        { "ui.learnCancel", "Cancel",
          "Stop listening." },
        { "ui.stageView", "Stage view",
          "Show the reverb tail, or the Wet EQ." },
        { "ui.stageTail", "Tail",
          "Show the reverb tail as a ridge graph. It is a display only." },
        { "ui.stageEq", "EQ",
          "Show the Wet EQ, an EQ that only affects the reverb. Drag its points to change it." },
        { "ui.eqBand", "EQ band point",
          "Drag for frequency and gain, use the mouse wheel for Q, double-click to type a frequency." },
        { "ui.eqLowpass", "EQ low-pass point",
          "Drag sideways to set the low-pass frequency; all the way to the right is Off." },
        { "ui.eqShape", "EQ band shape",
          "Switch this band between its two shapes." },
        { "ui.unitDecay", "Decay unit",
          "Switch Decay between seconds and beats of the host tempo." },
        { "ui.unitPreDelay", "Pre-delay unit",
          "Switch Pre-delay between milliseconds and note lengths of the host tempo." },
        { "ui.unmaskSpeed", "Unmask speed",
          "How fast Unmask pulls the reverb down and lets it back up: Fast, Med or Slow." },
        { "ui.deltaUnmask", "Delta Unmask",
          "Hear only what Unmask removes (Delta). One at a time." },
        { "ui.deltaShaping", "Delta Shaping",
          "Hear only what Shaping removes (Delta). One at a time." },
        { "ui.meters", "Level meters",
          "Input and output peak levels. Each number keeps the highest peak until you click it; the click also clears the clip mark." },
        { "ui.panelLearn", "Learn",
          "Pick the source and character, then press Learn." },
        { "ui.panelStage", "Stage",
          "The reverb tail graph and the Wet EQ." },
        { "ui.panelOutlet", "Output",
          "Mix, Output and the level meters." },
        { "ui.panelSpace", "Space",
          "The shape of the reverb: Time, Color and Image." },
        { "ui.panelClean", "Clean",
          "Unmask, Shaping and the early reflections." },
        { "ui.panelHeader", "Settings history",
          "Slots A and B, copy, Undo and Redo." },
    };
    return entries;
}

const HelpEntry* help(const juce::String& key)
{
    for (const auto& entry : helpEntries())
        if (key == entry.key)
            return &entry;
    return nullptr;
}

void applyHelp(juce::Component& component, const juce::String& key)
{
    if (const auto* entry = help(key))
    {
        component.setTitle(juce::String::fromUTF8(entry->title));
        component.setDescription(juce::String::fromUTF8(entry->body));
    }
}

juce::String tooltipText(const juce::String& key)
{
    if (const auto* entry = help(key))
        return juce::String::fromUTF8(entry->title) + " - " + juce::String::fromUTF8(entry->body);
    return {};
}
} // namespace zq6::ui
