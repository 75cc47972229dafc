#include "ShippedUi.h"

#include "ShippedLayout.h"

namespace zq6::test
{
ShippedUi::ShippedUi() : layout(shippedLayout())
{
    context.useEmbeddedFaces();
    context.layout = &layout;
}
} // namespace zq6::test
