#pragma once

#include "ui/Layout.h"
#include "ui/UiContext.h"

namespace zq6::test
{
// The shipped layout and the editor's faces at scale 1, for views built without an editor.
struct ShippedUi
{
    ShippedUi();
    ShippedUi(const ShippedUi&) = delete;
    ShippedUi& operator=(const ShippedUi&) = delete;

    ui::Layout layout;
    ui::UiContext context;
};
} // namespace zq6::test
