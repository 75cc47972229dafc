#include "SizeKeeper.h"

#include "EditorSettings.h"

namespace zq6::ui
{
SizeKeeper::SizeKeeper(juce::AudioProcessorEditor& e, const Layout& sizes, juce::PropertiesFile& file)
    : editor(e), layout(sizes), settings(file), lastWrittenWidth(file.getIntValue(EditorSettings::editorWidthKey, 0))
{
    editor.setResizable(true, true);
    editor.setResizeLimits(layout.minWidth, layout.heightForWidth(layout.minWidth), layout.maxWidth,
                           layout.heightForWidth(layout.maxWidth));
    editor.getConstrainer()->setFixedAspectRatio(static_cast<double>(layout.baseWidth) / layout.baseHeight);

    const auto width = clampWidth(firstWidth());
    editor.setSize(width, layout.heightForWidth(width));
}

SizeKeeper::~SizeKeeper()
{
    const auto width = clampWidth(editor.getWidth());
    if (width == lastWrittenWidth)
        return;
    settings.setValue(EditorSettings::editorWidthKey, width);
    settings.saveIfNeeded();
}

int SizeKeeper::firstWidth() const
{
    if (settings.containsKey(EditorSettings::editorWidthKey))
        return settings.getIntValue(EditorSettings::editorWidthKey);
    return layout.defaultWidth > 0 ? layout.defaultWidth : layout.baseWidth;
}
} // namespace zq6::ui
