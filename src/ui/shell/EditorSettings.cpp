#include "EditorSettings.h"

namespace zq6::ui
{
juce::PropertiesFile::Options EditorSettings::options()
{
    juce::PropertiesFile::Options o;
    o.applicationName = "ZQ-6";
    o.filenameSuffix = "ui.settings";
    o.folderName = "QUIL AUDIO";
    o.osxLibrarySubFolder = "Application Support";
    o.commonToAllUsers = false;
    o.ignoreCaseOfKeyNames = false;
    o.storageFormat = juce::PropertiesFile::storeAsXML;
    o.millisecondsBeforeSaving = 3000;
    return o;
}

juce::File EditorSettings::file()
{
#if JUCE_WINDOWS || JUCE_MAC
    // The roaming application-data folder on Windows, Application Support on macOS.
    return options().getDefaultFile();
#else
    const auto o = options();
    return juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory)
        .getChildFile(o.folderName)
        .getChildFile(o.applicationName + "." + o.filenameSuffix);
#endif
}

std::unique_ptr<juce::PropertiesFile> EditorSettings::open()
{
    return std::make_unique<juce::PropertiesFile>(file(), options());
}

int EditorSettings::stageView(juce::PropertiesFile& settings)
{
    const auto view = settings.getIntValue(stageViewKey, 0);
    return view == 1 ? 1 : 0;
}
} // namespace zq6::ui
