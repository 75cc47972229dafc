// The fuzzer never opens the editor, so it links without the baked background (and without baking
// it under the sanitizers at build time).
namespace BakedResources
{
const char* getNamedResource(const char*, int& dataSizeInBytes)
{
    dataSizeInBytes = 0;
    return nullptr;
}
} // namespace BakedResources
