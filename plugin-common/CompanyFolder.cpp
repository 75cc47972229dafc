#include "CompanyFolder.h"

namespace quil
{
juce::File companyDataFolder()
{
    return juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory).getChildFile("QUIL AUDIO");
}
} // namespace quil
