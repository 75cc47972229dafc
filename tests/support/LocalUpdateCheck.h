#pragma once

#include "update/UpdateCore.h"

namespace zq6::test
{
// The running ZQ-6 1.0.0 asking the service at `baseUrl` over the real web client, remembering
// dismissals in `cacheFile` and handing pages to `openUrl` instead of a browser.
quil::update::UpdateCore::Config localUpdateConfig(const juce::String& baseUrl, const juce::File& cacheFile,
                                                   std::function<void(const juce::String&)> openUrl);
} // namespace zq6::test
