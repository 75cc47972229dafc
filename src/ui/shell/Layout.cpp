#include "Layout.h"

#include "LayoutNumbers.h"

#include <cmath>
#include <limits>
#include <set>

namespace zq6::ui
{
namespace
{
constexpr int largestWidth = 1280;
constexpr int largestHeight = 720;
// Absorbs binary rounding of decimal coordinates, so a rect that ends exactly on a limit passes.
constexpr double slack = 1.0e-9;

juce::Result fail(const juce::String& message)
{
    return juce::Result::fail("layout: " + message);
}

// JSON objects only: the framework reports arrays as objects too.
bool isJsonObject(const juce::var& v)
{
    return v.getDynamicObject() != nullptr;
}

bool isFiniteNumber(const juce::var& v)
{
    return isLayoutNumber(v) && std::isfinite(static_cast<double>(v));
}

// A finite number above 0 equal to its floor that fits a 32-bit integer.
bool readPositiveInteger(const juce::var& v, int& out)
{
    if (!isFiniteNumber(v))
        return false;
    const auto d = static_cast<double>(v);
    if (d <= 0.0 || d != std::floor(d) || d > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(d);
    return true;
}

bool isAllowedIdCharacter(juce::juce_wchar c)
{
    if (c >= 128)
        return false;
    return juce::CharacterFunctions::isLetterOrDigit(c) || c == '.' || c == '_' || c == '-';
}

bool isValidId(const juce::var& v)
{
    if (!v.isString() || v.toString().isEmpty())
        return false;
    const auto text = v.toString();
    for (auto p = text.getCharPointer(); !p.isEmpty(); ++p)
        if (!isAllowedIdCharacter(*p))
            return false;
    return true;
}

struct SizeCheck
{
    const char* key;
    int Layout::*field;
};

juce::Result readSizes(const juce::var& size, Layout& out)
{
    static const SizeCheck required[] = { { "baseWidth", &Layout::baseWidth },
                                          { "baseHeight", &Layout::baseHeight },
                                          { "minWidth", &Layout::minWidth },
                                          { "maxWidth", &Layout::maxWidth },
                                          { "bakeWidth", &Layout::bakeWidth } };
    for (const auto& check : required)
        if (!readPositiveInteger(size[check.key], out.*check.field))
            return fail("size." + juce::String(check.key) + " must be a positive integer");

    if (!(out.minWidth <= out.baseWidth && out.baseWidth <= out.maxWidth && out.maxWidth <= largestWidth))
        return fail("size must satisfy minWidth <= baseWidth <= maxWidth <= 1280 (S-191)");
    if (out.baseHeight > largestHeight || out.heightForWidth(out.maxWidth) > largestHeight)
        return fail("height over 720 (S-191)");

    out.defaultWidth = 0;
    if (const auto* object = size.getDynamicObject(); object->hasProperty("defaultWidth"))
    {
        if (!readPositiveInteger(size["defaultWidth"], out.defaultWidth))
            return fail("size.defaultWidth must be a positive integer");
        if (out.defaultWidth < out.minWidth || out.defaultWidth > out.maxWidth)
            return fail("size.defaultWidth must be within minWidth..maxWidth");
    }
    if (out.bakeWidth < out.maxWidth)
        return fail("size.bakeWidth is smaller than maxWidth");
    return juce::Result::ok();
}

juce::Result checkKnob(const LayoutItem& item, double ringOuter)
{
    const auto prefix = item.id + ": ";
    if (!(ringOuter > 0.0))
        return fail(prefix + "style.knob.ringOuter is missing");
    const auto& bodyRadius = item.props["bodyRadius"];
    if (!isFiniteNumber(bodyRadius) || !(static_cast<double>(bodyRadius) > 0.0))
        return fail(prefix + "bodyRadius is missing");
    const auto& rect = item.props["rect"];
    const auto w = static_cast<double>(rect[2]);
    const auto h = static_cast<double>(rect[3]);
    const auto expected = 2.0 * static_cast<double>(bodyRadius) * ringOuter;
    if (std::abs(w - h) > 0.01 + slack || std::abs(w - expected) > 0.02 + slack)
        return fail(prefix + "rect does not match bodyRadius * ringOuter");
    return juce::Result::ok();
}

bool readRect(const juce::var& rect, double (&out)[4])
{
    if (!rect.isArray() || rect.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
    {
        if (!isFiniteNumber(rect[i]))
            return false;
        out[i] = static_cast<double>(rect[i]);
    }
    return true;
}

juce::Result readItem(const juce::var& v, int index, const Layout& layout, double ringOuter, LayoutItem& out)
{
    const auto where = "items[" + juce::String(index) + "]";
    if (!isJsonObject(v))
        return fail(where + " is not an object");
    if (!isValidId(v["id"]))
        return fail(where + ".id is missing or has characters outside [A-Za-z0-9._-]");

    out.id = v["id"].toString();
    out.props = v;
    const auto prefix = out.id + ": ";
    const auto& kind = v["kind"];
    if (!kind.isString() || kind.toString().isEmpty())
        return fail(prefix + "kind is missing");
    out.kind = kind.toString();

    double r[4];
    if (!readRect(v["rect"], r))
        return fail(prefix + "rect must be 4 numbers");
    if (!(r[2] > 0.0 && r[3] > 0.0))
        return fail(prefix + "rect has no area");
    const auto edge = 0.01 + slack;
    if (r[0] < -edge || r[1] < -edge || r[0] + r[2] > layout.baseWidth + edge
        || r[1] + r[3] > layout.baseHeight + edge)
        return fail(prefix + "rect is outside the base size");
    if (out.kind == "knob")
        if (auto result = checkKnob(out, ringOuter); result.failed())
            return result;

    out.x = static_cast<float>(r[0]);
    out.y = static_cast<float>(r[1]);
    out.w = static_cast<float>(r[2]);
    out.h = static_cast<float>(r[3]);
    return juce::Result::ok();
}

juce::Result readItems(const juce::var& items, double ringOuter, Layout& out)
{
    if (!items.isArray() || items.size() == 0)
        return fail("items is missing or empty");

    std::set<juce::String> seen;
    out.items.resize(static_cast<size_t>(items.size()));
    for (int i = 0; i < items.size(); ++i)
    {
        const auto& v = items[i];
        if (isJsonObject(v) && isValidId(v["id"]) && seen.count(v["id"].toString()) != 0)
            return fail("duplicate id " + v["id"].toString());
        if (auto result = readItem(v, i, out, ringOuter, out.items[static_cast<size_t>(i)]); result.failed())
            return result;
        seen.insert(out.items[static_cast<size_t>(i)].id);
    }
    return juce::Result::ok();
}

double readRingOuter(const juce::var& style)
{
    const auto& knob = style["knob"];
    const auto& ringOuter = knob["ringOuter"];
    return isJsonObject(knob) && isFiniteNumber(ringOuter) ? static_cast<double>(ringOuter) : 0.0;
}

juce::Result check(const juce::String& text, Layout& out)
{
    juce::var root;
    if (auto parsed = juce::JSON::parse(text, root); parsed.failed())
        return fail("not valid JSON (" + parsed.getErrorMessage() + ")");
    if (!isJsonObject(root))
        return fail("top level is not an object");

    const auto& version = root["version"];
    if (!(version.isInt() || version.isInt64()) || static_cast<juce::int64>(version) != 1)
        return fail("version must be 1");

    const auto& product = root["product"];
    if (!product.isString() || product.toString().isEmpty())
        return fail("product is missing");
    out.product = product.toString();

    const auto& size = root["size"];
    if (!isJsonObject(size))
        return fail("size is missing");
    if (auto result = readSizes(size, out); result.failed())
        return result;

    out.style = root["style"];
    return readItems(root["items"], readRingOuter(out.style), out);
}

const LayoutItem& emptyItem()
{
    static const LayoutItem empty;
    return empty;
}
} // namespace

juce::Result Layout::load(const juce::String& text)
{
    Layout candidate;
    auto result = check(text, candidate);
    if (result.wasOk())
        *this = std::move(candidate);
    return result;
}

const LayoutItem& Layout::item(const juce::String& id) const
{
    for (const auto& candidate : items)
        if (candidate.id == id)
            return candidate;
    return emptyItem();
}

float Layout::styleNumber(const juce::Identifier& group, const juce::Identifier& key) const
{
    return layoutNumber(style[group], key);
}

int Layout::heightForWidth(int width) const
{
    const auto numerator = static_cast<juce::int64>(width) * baseHeight + baseWidth / 2;
    return static_cast<int>(numerator / baseWidth);
}
} // namespace zq6::ui
