// The LV2 host's support libraries, which the plug-in library leaves out.
#include <juce_audio_processors/juce_audio_processors_lv2_libs.cpp>
