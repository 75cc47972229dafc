#include "support/ShippedUi.h"
#include "ui/shell/GlassLookAndFeel.h"
#include "ui/shell/Layout.h"

#include <UiResources.h>
#include <gtest/gtest.h>

#include <functional>

namespace zq6::test
{
namespace
{
using ui::Layout;

juce::var object()
{
    return juce::var(new juce::DynamicObject());
}

juce::var array(std::initializer_list<juce::var> values)
{
    return juce::var(juce::Array<juce::var>(values));
}

juce::var item(const juce::String& id, const juce::String& kind, juce::var rect)
{
    auto v = object();
    v.getDynamicObject()->setProperty("id", id);
    v.getDynamicObject()->setProperty("kind", kind);
    v.getDynamicObject()->setProperty("rect", rect);
    return v;
}

// A small document that passes: the shipped sizes, the knob style and one knob.
juce::var validDocument()
{
    auto size = object();
    const std::initializer_list<std::pair<const char*, int>> sizes { { "baseWidth", 1120 }, { "baseHeight", 630 },
                                                                      { "minWidth", 896 }, { "maxWidth", 1280 },
                                                                      { "bakeWidth", 2560 } };
    for (auto [key, value] : sizes)
        size.getDynamicObject()->setProperty(key, value);

    auto knobStyle = object();
    knobStyle.getDynamicObject()->setProperty("ringOuter", 1.17);
    auto style = object();
    style.getDynamicObject()->setProperty("knob", knobStyle);
    auto panel = object();
    panel.getDynamicObject()->setProperty("rad", 14);
    style.getDynamicObject()->setProperty("panel", panel);

    auto knob = item("knob.size", "knob", array({ 57.85, 338, 56, 56 }));
    knob.getDynamicObject()->setProperty("bodyRadius", 23.93);

    auto doc = object();
    doc.getDynamicObject()->setProperty("version", 1);
    doc.getDynamicObject()->setProperty("product", "ZQ-6");
    doc.getDynamicObject()->setProperty("size", size);
    doc.getDynamicObject()->setProperty("style", style);
    doc.getDynamicObject()->setProperty("items", array({ item("chassis", "chassis", array({ 0, 0, 1120, 630 })), knob }));
    return doc;
}

juce::DynamicObject& at(juce::var v, std::initializer_list<const char*> path)
{
    for (auto* key : path)
        v = v[key];
    return *v.getDynamicObject();
}

void setItems(juce::var& doc, std::initializer_list<juce::var> items)
{
    doc.getDynamicObject()->setProperty("items", array(items));
}

// Replaces the second item (the knob) by a plain item with this rect.
void setSecondRect(juce::var& doc, juce::var rect)
{
    setItems(doc, { doc["items"][0], item("box", "area", rect) });
}

void setKnobWidth(juce::var& doc, double width)
{
    doc["items"][1].getDynamicObject()->setProperty("rect", array({ 100, 100, width, width }));
}

juce::String loadMessage(const juce::String& text)
{
    Layout layout;
    return layout.load(text).getErrorMessage();
}

juce::String documentMessage(const juce::var& doc)
{
    return loadMessage(juce::JSON::toString(doc));
}

struct BrokenCase
{
    const char* name;
    std::function<void(juce::var&)> breakIt;
    const char* message;
};

class BrokenLayout : public testing::TestWithParam<BrokenCase>
{
};

TEST_P(BrokenLayout, IsRejectedWithItsMessage)
{
    auto doc = validDocument();
    GetParam().breakIt(doc);
    EXPECT_EQ(documentMessage(doc), GetParam().message);
}

// One document per check, each broken in exactly one way.
const BrokenCase brokenCases[] = {
    { "ArrayAtTop", [](juce::var& d) { d = array({ 1 }); }, "layout: top level is not an object" },
    { "VersionTwo", [](juce::var& d) { d.getDynamicObject()->setProperty("version", 2); },
      "layout: version must be 1" },
    { "VersionMissing", [](juce::var& d) { d.getDynamicObject()->removeProperty("version"); },
      "layout: version must be 1" },
    { "ProductEmpty", [](juce::var& d) { d.getDynamicObject()->setProperty("product", ""); },
      "layout: product is missing" },
    { "ProductNotText", [](juce::var& d) { d.getDynamicObject()->setProperty("product", 6); },
      "layout: product is missing" },
    { "SizeNotObject", [](juce::var& d) { d.getDynamicObject()->setProperty("size", 1120); },
      "layout: size is missing" },
    { "SizeAsArray", [](juce::var& d) { d.getDynamicObject()->setProperty("size", array({ 1120, 630 })); },
      "layout: size is missing" },
    { "BaseWidthFraction", [](juce::var& d) { at(d, { "size" }).setProperty("baseWidth", 640.5); },
      "layout: size.baseWidth must be a positive integer" },
    { "BaseHeightZero", [](juce::var& d) { at(d, { "size" }).setProperty("baseHeight", 0); },
      "layout: size.baseHeight must be a positive integer" },
    { "MinWidthText", [](juce::var& d) { at(d, { "size" }).setProperty("minWidth", "896"); },
      "layout: size.minWidth must be a positive integer" },
    { "MaxWidthNegative", [](juce::var& d) { at(d, { "size" }).setProperty("maxWidth", -1280); },
      "layout: size.maxWidth must be a positive integer" },
    { "BakeWidthMissing", [](juce::var& d) { at(d, { "size" }).removeProperty("bakeWidth"); },
      "layout: size.bakeWidth must be a positive integer" },
    { "MinAboveBase", [](juce::var& d) { at(d, { "size" }).setProperty("minWidth", 1200); },
      "layout: size must satisfy minWidth <= baseWidth <= maxWidth <= 1280 (S-191)" },
    { "MaxAbove1280", [](juce::var& d) { at(d, { "size" }).setProperty("maxWidth", 1300); },
      "layout: size must satisfy minWidth <= baseWidth <= maxWidth <= 1280 (S-191)" },
    { "TallAtLargestWidth", [](juce::var& d) { at(d, { "size" }).setProperty("baseHeight", 640); },
      "layout: height over 720 (S-191)" },
    { "DefaultWidthZero", [](juce::var& d) { at(d, { "size" }).setProperty("defaultWidth", 0); },
      "layout: size.defaultWidth must be a positive integer" },
    { "DefaultWidthBelowMin", [](juce::var& d) { at(d, { "size" }).setProperty("defaultWidth", 800); },
      "layout: size.defaultWidth must be within minWidth..maxWidth" },
    { "BakeWidthSmall", [](juce::var& d) { at(d, { "size" }).setProperty("bakeWidth", 1000); },
      "layout: size.bakeWidth is smaller than maxWidth" },
    { "ItemsEmpty", [](juce::var& d) { setItems(d, {}); }, "layout: items is missing or empty" },
    { "ItemsMissing", [](juce::var& d) { d.getDynamicObject()->removeProperty("items"); },
      "layout: items is missing or empty" },
    { "ItemNotObject", [](juce::var& d) { setItems(d, { d["items"][0], 5 }); },
      "layout: items[1] is not an object" },
    { "ItemAsArray", [](juce::var& d) { setItems(d, { d["items"][0], array({ "box" }) }); },
      "layout: items[1] is not an object" },
    { "IdMissing", [](juce::var& d) { setItems(d, { d["items"][0], item("", "area", array({ 0, 0, 1, 1 })) }); },
      "layout: items[1].id is missing or has characters outside [A-Za-z0-9._-]" },
    { "IdWithSpace",
      [](juce::var& d) { setItems(d, { d["items"][0], item("a b", "area", array({ 0, 0, 1, 1 })) }); },
      "layout: items[1].id is missing or has characters outside [A-Za-z0-9._-]" },
    { "IdBeyondAscii",
      [](juce::var& d) {
          setItems(d, { d["items"][0], item(juce::String::fromUTF8("kn\xc3\xb6" "b"), "area", array({ 0, 0, 1, 1 })) });
      },
      "layout: items[1].id is missing or has characters outside [A-Za-z0-9._-]" },
    { "DuplicateIdNamedAtSecond",
      [](juce::var& d) { setItems(d, { d["items"][0], d["items"][1], item("knob.size", "", 0) }); },
      "layout: duplicate id knob.size" },
    { "KindMissing", [](juce::var& d) { setItems(d, { d["items"][0], item("box", "", array({ 0, 0, 1, 1 })) }); },
      "layout: box: kind is missing" },
    { "RectThreeNumbers", [](juce::var& d) { setSecondRect(d, array({ 0, 0, 1 })); },
      "layout: box: rect must be 4 numbers" },
    { "RectWithText", [](juce::var& d) { setSecondRect(d, array({ 0, 0, 1, "1" })); },
      "layout: box: rect must be 4 numbers" },
    { "RectWithBool", [](juce::var& d) { setSecondRect(d, array({ 0, 0, 1, true })); },
      "layout: box: rect must be 4 numbers" },
    { "RectNoWidth", [](juce::var& d) { setSecondRect(d, array({ 10, 10, 0, 5 })); },
      "layout: box: rect has no area" },
    { "RectLeftOfCanvas", [](juce::var& d) { setSecondRect(d, array({ -0.02, 0, 10, 10 })); },
      "layout: box: rect is outside the base size" },
    { "RectOvershootsRight", [](juce::var& d) { setSecondRect(d, array({ 1100, 0, 20.02, 10 })); },
      "layout: box: rect is outside the base size" },
    { "RectOvershootsBottom", [](juce::var& d) { setSecondRect(d, array({ 0, 600, 10, 30.02 })); },
      "layout: box: rect is outside the base size" },
    { "KnobWithoutRingOuter", [](juce::var& d) { at(d, { "style", "knob" }).removeProperty("ringOuter"); },
      "layout: knob.size: style.knob.ringOuter is missing" },
    { "KnobStyleAsArray", [](juce::var& d) { at(d, { "style" }).setProperty("knob", array({ 1.17 })); },
      "layout: knob.size: style.knob.ringOuter is missing" },
    { "KnobWithoutBodyRadius", [](juce::var& d) { d["items"][1].getDynamicObject()->removeProperty("bodyRadius"); },
      "layout: knob.size: bodyRadius is missing" },
    { "KnobNotSquare",
      [](juce::var& d) { d["items"][1].getDynamicObject()->setProperty("rect", array({ 100, 100, 56, 56.02 })); },
      "layout: knob.size: rect does not match bodyRadius * ringOuter" },
    { "KnobWidth56_03", [](juce::var& d) { setKnobWidth(d, 56.03); },
      "layout: knob.size: rect does not match bodyRadius * ringOuter" },
};

INSTANTIATE_TEST_SUITE_P(Messages, BrokenLayout, testing::ValuesIn(brokenCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(LayoutCheck, NotJsonQuotesTheParser)
{
    const auto message = loadMessage("{ \"version\": ");
    EXPECT_TRUE(message.startsWith("layout: not valid JSON (")) << message;
    EXPECT_TRUE(message.endsWith(")"));
    EXPECT_GT(message.length(), juce::String("layout: not valid JSON ()").length());
}

TEST(LayoutCheck, VersionWrittenAsFloatFails)
{
    auto text = juce::JSON::toString(validDocument());
    text = text.replaceFirstOccurrenceOf("\"version\": 1", "\"version\": 1.0");
    ASSERT_TRUE(text.contains("1.0"));
    EXPECT_EQ(loadMessage(text), "layout: version must be 1");
}

struct PassingCase
{
    const char* name;
    std::function<void(juce::var&)> change;
};

class PassingLayout : public testing::TestWithParam<PassingCase>
{
};

TEST_P(PassingLayout, IsAccepted)
{
    auto doc = validDocument();
    GetParam().change(doc);
    EXPECT_EQ(documentMessage(doc), "");
}

const PassingCase passingCases[] = {
    { "AsGiven", [](juce::var&) {} },
    { "RectEndsOnEdge", [](juce::var& d) { setSecondRect(d, array({ 1100, 600, 20, 30 })); } },
    { "RectOvershootsBy0_01", [](juce::var& d) { setSecondRect(d, array({ 1100, 600, 20.01, 30.01 })); } },
    { "RectStartsAtMinus0_01", [](juce::var& d) { setSecondRect(d, array({ -0.01, -0.01, 10, 10 })); } },
    { "KnobWidth56_01", [](juce::var& d) { setKnobWidth(d, 56.01); } },
    { "SizeWithFloatIntegers", [](juce::var& d) { at(d, { "size" }).setProperty("baseWidth", 1120.0); } },
    { "DefaultWidthInRange", [](juce::var& d) { at(d, { "size" }).setProperty("defaultWidth", 1000); } },
    { "IdOfAllowedCharacters",
      [](juce::var& d) { setItems(d, { d["items"][0], item("a.Z-9_x", "area", array({ 0, 0, 1, 1 })) }); } },
    { "StyleOfAnyTypeWithoutKnobs",
      [](juce::var& d) {
          d.getDynamicObject()->setProperty("style", "plain");
          setItems(d, { d["items"][0] });
      } },
};

INSTANTIATE_TEST_SUITE_P(EdgeCases, PassingLayout, testing::ValuesIn(passingCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(LayoutCheck, RejectedFileKeepsTheFallback)
{
    Layout layout;
    auto doc = validDocument();
    at(doc, { "size" }).setProperty("bakeWidth", 10);
    ASSERT_TRUE(layout.load(juce::JSON::toString(doc)).failed());

    EXPECT_TRUE(layout.product.isEmpty());
    EXPECT_EQ(layout.baseWidth, 960);
    EXPECT_EQ(layout.baseHeight, 540);
    EXPECT_EQ(layout.minWidth, 720);
    EXPECT_EQ(layout.maxWidth, 1280);
    EXPECT_EQ(layout.defaultWidth, 0);
    EXPECT_EQ(layout.bakeWidth, 0);
    EXPECT_TRUE(layout.items.empty());
    EXPECT_TRUE(layout.scaledRect("chassis", 1.0f).isEmpty());
}

TEST(LayoutCheck, AcceptedFileTakesItsValues)
{
    Layout layout;
    auto doc = validDocument();
    at(doc, { "size" }).setProperty("defaultWidth", 1000);
    ASSERT_TRUE(layout.load(juce::JSON::toString(doc)).wasOk());

    EXPECT_EQ(layout.product, "ZQ-6");
    EXPECT_EQ(layout.baseWidth, 1120);
    EXPECT_EQ(layout.defaultWidth, 1000);
    EXPECT_EQ(layout.bakeWidth, 2560);
    ASSERT_EQ(layout.items.size(), 2u);
    EXPECT_EQ(layout.items[1].id, "knob.size");
    EXPECT_FLOAT_EQ(layout.items[1].x, 57.85f);
    EXPECT_FLOAT_EQ(layout.number("knob.size", "bodyRadius"), 23.93f);
}

TEST(LayoutLookup, UnknownIdGivesTheEmptyItem)
{
    Layout layout;
    ASSERT_TRUE(layout.load(juce::JSON::toString(validDocument())).wasOk());
    const auto& missing = layout.item("knob.nothing");
    EXPECT_TRUE(missing.id.isEmpty());
    EXPECT_TRUE(missing.kind.isEmpty());
    EXPECT_EQ(missing.scaled(1.0f), juce::Rectangle<int>());
    EXPECT_EQ(missing.number("bodyRadius"), 0.0f);
}

TEST(LayoutLookup, NumbersAndStyleValuesReadZeroUnlessNumeric)
{
    Layout layout;
    auto doc = validDocument();
    auto& knob = *doc["items"][1].getDynamicObject();
    knob.setProperty("columns", "10");
    knob.setProperty("round", true);
    knob.setProperty("barW", 9);
    ASSERT_TRUE(layout.load(juce::JSON::toString(doc)).wasOk());

    EXPECT_EQ(layout.number("knob.size", "columns"), 0.0f);
    EXPECT_EQ(layout.number("knob.size", "round"), 0.0f);
    EXPECT_EQ(layout.number("knob.size", "absent"), 0.0f);
    EXPECT_EQ(layout.number("knob.size", "barW"), 9.0f);
    EXPECT_FLOAT_EQ(layout.styleNumber("knob", "ringOuter"), 1.17f);
    EXPECT_EQ(layout.styleNumber("panel", "rad"), 14.0f);
    EXPECT_EQ(layout.styleNumber("panel", "missing"), 0.0f);
    EXPECT_EQ(layout.styleNumber("nothing", "rad"), 0.0f);
}

TEST(LayoutScaling, EdgesRoundToNearestWithTiesToEven)
{
    ui::LayoutItem box;
    box.x = 2.5f;
    box.y = 0.5f;
    box.w = 1.0f;
    box.h = 1.0f;
    // Left 2.5 -> 2, right 3.5 -> 4; top 0.5 -> 0, bottom 1.5 -> 2.
    EXPECT_EQ(box.scaled(1.0f), juce::Rectangle<int>(2, 0, 2, 2));
}

class ShippedLayout : public testing::Test
{
protected:
    void SetUp() override
    {
        result = layout.load(juce::String::fromUTF8(UiResources::layout_json, UiResources::layout_jsonSize));
    }

    Layout layout;
    juce::Result result = juce::Result::ok();
};

TEST_F(ShippedLayout, PassesWithAllItems)
{
    ASSERT_TRUE(result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ(layout.items.size(), 145u);
    EXPECT_EQ(layout.items.front().id, "chassis");
    EXPECT_EQ(layout.items.back().id, "knob.diffusion.value");
    EXPECT_EQ(layout.product, "ZQ-6");
    EXPECT_EQ(layout.heightForWidth(layout.maxWidth), 720);
}

TEST_F(ShippedLayout, ScalesTheSlotCapAtEightTenths)
{
    EXPECT_EQ(layout.scaledRect("header.ab.a", 0.8f), juce::Rectangle<int>(680, 16, 27, 16));
}

TEST_F(ShippedLayout, KnobFamiliesFollowTheirKnob)
{
    const auto& decay = layout.item("knob.decay");
    EXPECT_EQ(layout.item("knob.decay.window").x, decay.x - 21.0f);
    EXPECT_FLOAT_EQ(layout.item("knob.decay.unit").x, decay.x + 17.0f);
    EXPECT_EQ(layout.number("knob.decay.unit", "capRad"), 2.5f);
    EXPECT_EQ(layout.item("knob.mix.title").y, layout.item("knob.mix").y - 20.0f);
    EXPECT_EQ(layout.item("knob.size.window").y, layout.item("knob.size").y + 65.0f);
    EXPECT_EQ(layout.item("knob.diffusion.value").props["tone"].toString(), "disp");
}
struct PrintedCaption
{
    juce::String id;
    juce::Range<float> across, down;
};

// Where a printed text item's ink runs, as the baker sets it: Inter at "px" with "spacing" between
// letters, aligned in its rectangle.
PrintedCaption printedCaption(const ui::UiContext& faces, const ui::LayoutItem& item)
{
    const auto px = item.number("px");
    const auto spacing = item.number("spacing");
    auto font = juce::Font(static_cast<bool>(item.props["bold"]) ? faces.bold : faces.regular).withPointHeight(px);
    font = font.withExtraKerningFactor(spacing / font.getHeight());
    const auto width = ui::GlassLookAndFeel::textWidth(font, item.props["text"].toString()) - spacing;
    const auto align = item.props["align"].toString();
    const auto left = align == "L" ? item.x : align == "R" ? item.x + item.w - width : item.x + 0.5f * (item.w - width);
    return { item.id, { left, left + width }, { item.y, item.y + item.h } };
}

// Captions printed side by side stay at least 6 units (two word spaces) apart, so two words never
// read as one ("dB" and "OUT" once ran together under the meters).
TEST_F(ShippedLayout, CaptionsPrintedSideBySideKeepApart)
{
    ASSERT_TRUE(result.wasOk()) << result.getErrorMessage();
    const ShippedUi faces;
    std::vector<PrintedCaption> captions;
    for (const auto& item : layout.items)
        if (item.kind == "text" && item.props["text"].toString().isNotEmpty() && item.props["layer"].toString() != "live")
            captions.push_back(printedCaption(faces.context, item));
    ASSERT_GT(captions.size(), 20u);
    for (size_t i = 0; i < captions.size(); ++i)
        for (size_t j = i + 1; j < captions.size(); ++j)
        {
            const auto& a = captions[i];
            const auto& b = captions[j];
            if (!a.down.intersects(b.down))
                continue;
            const auto gap = std::max(b.across.getStart() - a.across.getEnd(), a.across.getStart() - b.across.getEnd());
            EXPECT_GE(gap, 6.0f) << a.id << " and " << b.id;
        }
}
} // namespace
} // namespace zq6::test
