#pragma once
// Each family file fills its styles' slots of the effect table.

#include "Effects.h"

namespace orvane::fx {

void AddSlideEffects(TEffectTable& t);  // expand, slide, reveal, build up, quarters, push
void AddUnrollEffects(TEffectTable& t); // unroll with a shaded roll
void AddBarEffects(TEffectTable& t);    // bars, shreds, criss-cross, blinds
void AddCurveEffects(TEffectTable& t);  // curved and elliptic reveals, diagonals, sweeps, V shapes
void AddPivotEffects(TEffectTable& t);  // pivots and rotating shapes
void AddShapeEffects(TEffectTable& t);  // squares, rectangles, diamonds, zigzags, pixelate
void AddFadeEffects(TEffectTable& t);   // fade, speckles, dissolves

} // namespace orvane::fx

// The parameter list every routine has: frame, new picture, W, progress, Y, X, H. Not every
// routine needs all of them.
#define ORVANE_FX_ARGS                                                                             \
    [[maybe_unused]] QImage &f, [[maybe_unused]] const QImage &n, [[maybe_unused]] int W,          \
        [[maybe_unused]] int p, [[maybe_unused]] int Y, [[maybe_unused]] int X,                    \
        [[maybe_unused]] int H
