#pragma once

#include "learn/LearnSnapshot.h"

namespace zq6::test
{
// A Learn result as the Learn cycle leaves it: measured features (long gaps, soft attacks), derived
// for the selection, with the status Learned.
LearnSnapshot learnedSnapshot(SourceSelection sel);

// Every field equal, bit for bit.
bool sameRecord(const LearnRecord& a, const LearnRecord& b);
} // namespace zq6::test
