#include "FeedbackDialog.h"

namespace quil::ui
{
namespace
{
constexpr float panelCorner = 8.0f;
constexpr float titleSize = 14.0f;
constexpr float statusSize = 12.0f;
constexpr float noteSize = 11.0f;

float lineWidth(const juce::Font& font, const juce::String& line)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText(font, line, 0.0f, 0.0f);
    return glyphs.getBoundingBox(0, -1, true).getRight();
}

// Words laid into lines no wider than `width`; a word longer than a line gets one of its own.
juce::StringArray wrapWords(const juce::Font& font, const juce::String& text, float width)
{
    juce::StringArray lines;
    juce::String line;
    for (const auto& word : juce::StringArray::fromTokens(text, " ", {}))
    {
        const auto longer = line.isEmpty() ? word : line + " " + word;
        if (line.isNotEmpty() && lineWidth(font, longer) > width)
        {
            lines.add(line);
            line = word;
        }
        else
        {
            line = longer;
        }
    }
    if (line.isNotEmpty())
        lines.add(line);
    return lines;
}
} // namespace

FeedbackDialog::FeedbackDialog(const DialogStyle& dialogStyle, help::HelpInfo info, help::FeedbackSender sender,
                               int editorDesignWidth)
    : style(dialogStyle),
      designWidth(juce::jmax(1, editorDesignWidth)),
      form(std::move(info), std::move(sender)),
      close(style, "Close"),
      text(style, help::FeedbackModel::placeholder()),
      send(style, "Send"),
      cancel(style, "Cancel")
{
    setTitle(form.title());
    setWantsKeyboardFocus(false);
    for (size_t i = 0; i < categories.size(); ++i)
    {
        categories[i] = std::make_unique<DialogButton>(style, help::feedbackCategories[i].buttonText);
        categories[i]->onClick = [this, i] { form.setCategory(static_cast<int>(i)); };
        addAndMakeVisible(*categories[i]);
    }
    for (auto* button : { &close, &send, &cancel })
        addAndMakeVisible(*button);
    addAndMakeVisible(text);

    close.onClick = [this] { requestClose(); };
    cancel.onClick = [this] { requestClose(); };
    send.onClick = [this] { form.send(); };
    text.onTextChange = [this] { form.setText(text.getText()); };
    form.onChange = [this] { refresh(); };
    refresh();
}

FeedbackDialog::~FeedbackDialog()
{
    if (heardParent != nullptr)
        heardParent->removeKeyListener(this);
}

void FeedbackDialog::parentHierarchyChanged()
{
    if (heardParent == getParentComponent())
        return;
    if (heardParent != nullptr)
        heardParent->removeKeyListener(this);
    heardParent = getParentComponent();
    if (heardParent != nullptr)
        heardParent->addKeyListener(this);
}

juce::StringArray FeedbackDialog::privacyNoteLines() const
{
    return wrapWords(style.font(noteSize), form.privacyNote(),
                     static_cast<float>(help::feedbackInnerWidth(style.scale)));
}

void FeedbackDialog::refresh()
{
    for (size_t i = 0; i < categories.size(); ++i)
        categories[i]->setToggleState(form.category() == static_cast<int>(i), juce::dontSendNotification);
    send.setEnabled(form.canSend());
    send.setButtonText(form.sendButtonText());
    repaint();
}

void FeedbackDialog::resized()
{
    style.scale = static_cast<float>(getWidth()) / static_cast<float>(designWidth);
    placed = help::feedbackLayout(getLocalBounds(), style.scale, privacyNoteLines().size());
    close.setBounds(placed.closeButton);
    for (size_t i = 0; i < categories.size(); ++i)
        categories[i]->setBounds(placed.categoryButtons[i]);
    text.setBounds(placed.textEditor);
    text.applyStyle();
    send.setBounds(placed.sendButton);
    cancel.setBounds(placed.cancelButton);
}

void FeedbackDialog::paint(juce::Graphics& g)
{
    g.fillAll(style.backdrop);
    const auto panel = placed.panel.toFloat().reduced(0.5f);
    g.setColour(style.panel);
    g.fillRoundedRectangle(panel, style.px(panelCorner));
    g.setColour(style.outline);
    g.drawRoundedRectangle(panel, style.px(panelCorner), 1.0f);

    g.setColour(style.text);
    g.setFont(style.font(titleSize, true));
    g.drawText(form.title(), placed.title, juce::Justification::centredLeft, true);

    if (form.hasStatus())
    {
        g.setColour(form.statusIsError() ? style.error : style.text);
        g.setFont(style.font(statusSize));
        g.drawText(form.statusText(), placed.statusLine, juce::Justification::centredLeft, true);
    }

    g.setColour(style.softText);
    g.setFont(style.font(noteSize));
    auto line = placed.privacyNote.withHeight(placed.privacyNoteLineHeight);
    for (const auto& words : privacyNoteLines())
    {
        g.drawText(words, line, juce::Justification::centredLeft, false);
        line.translate(0, placed.privacyNoteLineHeight);
    }
}

bool FeedbackDialog::keyPressed(const juce::KeyPress& key)
{
    if (key.isKeyCode(juce::KeyPress::escapeKey) && !key.getModifiers().isAnyModifierKeyDown())
    {
        requestClose();
        return true;
    }
    if (text.hasKeyboardFocus(false))
        return false;
    text.grabKeyboardFocus();
    return text.keyPressed(key);
}

bool FeedbackDialog::keyPressed(const juce::KeyPress& key, juce::Component*)
{
    return keyPressed(key);
}

void FeedbackDialog::mouseDown(const juce::MouseEvent& event)
{
    if (!placed.panel.contains(event.getPosition()))
        requestClose();
}

void FeedbackDialog::requestClose()
{
    if (onClose)
        onClose();
}
} // namespace quil::ui
