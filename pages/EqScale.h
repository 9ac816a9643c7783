#pragma once

// The insert equaliser's band words 0..WordMax as the graph's Hz, dB and Q,
// linear in the word: one rule for the effects page's knobs and plot and for
// the equaliser dialog.

#include "LyrForm.h"
#include "TProgram.h"

namespace pages {

// What the words 0..WordMax of one band quantity span on the graph.
struct EqRange
{
    double min, max;
};

constexpr EqRange EqFrequency { 20, 20000 };  // Hz
constexpr EqRange EqGain { -24, 24 };         // dB
constexpr EqRange EqQ { 0.1, 16 };

// The graph value of a band word.
inline double eqValue(EqRange range, int word)
{
    return scaleValue(word, 0, WordMax, range.min, range.max);
}

// The band word of a graph value, truncated. The margin keeps a value that
// came from a word from going back one lower, so what the user did not move
// is neither changed nor sent.
inline int eqWord(EqRange range, double value)
{
    return int(scaleValue(value, range.min, range.max, 0, WordMax) + 1e-6);
}

} // namespace pages
