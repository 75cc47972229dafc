#include "CtestDisplay.h"

#include <cstdlib>
#include <string>

namespace zq6::test
{
void useDisplayGivenByCtest()
{
    // ctest writes the allocation as "id:<display number>,slots:1".
    const char* allocation = std::getenv("CTEST_RESOURCE_GROUP_0_DISPLAY");
    if (allocation == nullptr)
        return;
    const std::string text = allocation;
    const auto idStart = text.find("id:");
    if (idStart == std::string::npos)
        return;
    const auto numberStart = idStart + 3;
    const auto number = text.substr(numberStart, text.find(',', numberStart) - numberStart);
    setenv("DISPLAY", (":" + number).c_str(), 1);
}
} // namespace zq6::test
