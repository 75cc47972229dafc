#pragma once

namespace zq6
{
// Snapshot of every parameter the engine reads, taken once per host block.
struct BlockParams
{
    float size = 0.5f;
    float decaySeconds = 2.0f;
    float preDelayMs = 20.0f;
    float brightness = 0.5f;
    float lowCutHz = 100.0f;
    float width = 1.0f;
    float unmaskAmount = 0.0f;
    float shapingAmount = 0.0f;
    bool deltaUnmask = false;
    bool deltaShaping = false;
    float mix = 0.3f;
    float outputDb = 0.0f;
    int character = 1;
    float decayLowMultiplier = 1.0f;
    float attackMs = 0.0f;
    float erLevelDb = 0.0f;
    float motion = 0.3f;
    float diffusion = 0.7f;
    int unmaskSpeed = 1;
    float shapeSibilance = 1.0f;
    float shapeBreath = 1.0f;
    float shapeTransient = 1.0f;
    int eqKind[4] = { 0, 1, 1, 2 };
    float eqFrequency[4] = { 180.0f, 400.0f, 3000.0f, 8000.0f };
    float eqGain[4] = { 0.0f, 0.0f, 0.0f, 0.0f };
    float eqQ[4] = { 0.71f, 1.0f, 1.0f, 0.71f };
    float eqLowPassHz = 20000.0f;
    bool sendMode = false;
    bool learnListening = false;
};
} // namespace zq6
