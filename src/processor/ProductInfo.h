#pragma once

#include "../../plugin-common/help/HelpInfo.h"
#include "../../plugin-common/update/UpdateCore.h"

namespace zq6
{
inline constexpr const char* productName = "ZQ-6";
inline constexpr const char* productVersion = "1.0.0";

inline quil::help::HelpInfo helpInfo()
{
    return { productName, "zq6", productVersion, "/downloads/ZQ-6_Manual_EN.pdf" };
}

// The update check that every editor of this product shares.
inline std::shared_ptr<quil::update::UpdateCore> sharedUpdateCore()
{
    return quil::update::UpdateCore::forProduct(quil::update::UpdateCore::defaultConfig(productName, productVersion));
}
} // namespace zq6
