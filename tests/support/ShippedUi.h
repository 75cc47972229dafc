#pragma once

#include "ui/shell/Layout.h"
#include "ui/shell/UiContext.h"

namespace zq6::test
{
// The shipped layout and the editor's faces at a chosen scale, for testing controls on their own.
struct ShippedUi
{
    explicit ShippedUi(float scale = 1.0f);
    ShippedUi(const ShippedUi&) = delete;
    ShippedUi& operator=(const ShippedUi&) = delete;

    ui::Layout layout;
    ui::UiContext context;
};
} // namespace zq6::test
