#pragma once

#include "LearnRecord.h"
#include "SourceSelection.h"

namespace zq6
{
// No Source and no Character: what a record that was never derived was derived for.
inline constexpr SourceSelection noSelection { -1, -1, -1 };

// The Learn state that one history step can change: the stored result, the mode, the status shown
// and the Source and Character the result was last derived for. A default snapshot is the empty one.
struct LearnSnapshot
{
    LearnRecord record;
    int mode = 0;
    int status = 0;
    SourceSelection derivedFor = noSelection;
};
} // namespace zq6
