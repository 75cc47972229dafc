#pragma once

// The background image is baked from the layout file at build time by a tool that links this code,
// so its generated header cannot exist when this code compiles. Its resource lookup is declared
// here and linked in by the plug-in formats and the tools that open the editor.
namespace BakedResources
{
const char* getNamedResource(const char* resourceNameUTF8, int& dataSizeInBytes);
} // namespace BakedResources
