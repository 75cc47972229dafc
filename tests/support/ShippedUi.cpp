#include "ShippedUi.h"

#include "ShippedLayout.h"

namespace zq6::test
{
ShippedUi::ShippedUi(float scale) : layout(shippedLayout())
{
    context.useEmbeddedFaces();
    context.layout = &layout;
    context.scale = scale;
}
} // namespace zq6::test
