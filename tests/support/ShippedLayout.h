#pragma once

#include "ui/shell/Layout.h"

namespace zq6::test
{
// The layout file built into the plug-in, loaded and checked.
ui::Layout shippedLayout();
} // namespace zq6::test
