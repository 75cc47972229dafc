#pragma once

#include "../../learn/LearnControl.h"
#include "../../learn/SourceSelection.h"

namespace zq6::ui
{
// What the Learn panel shows, as the editor's refresh reads it from the processor.
struct LearnDisplay
{
    bool send = false;
    SourceSelection selection;
    // What Auto stands for: 0 Room, 1 Hall, 2 Chamber, 3 Plate.
    int autoCharacter = 1;
    LearnState state = LearnState::idle;
    LearnStatus status = LearnStatus::none;
    float progress = 0.0f;
    bool waitingForSignal = false;

    bool listening() const noexcept { return state != LearnState::idle; }

    bool operator==(const LearnDisplay& other) const noexcept
    {
        return send == other.send && selection == other.selection && autoCharacter == other.autoCharacter
            && state == other.state && status == other.status && progress == other.progress
            && waitingForSignal == other.waitingForSignal;
    }
    bool operator!=(const LearnDisplay& other) const noexcept { return !(*this == other); }
};
} // namespace zq6::ui
