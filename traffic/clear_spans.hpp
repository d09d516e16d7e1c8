#pragma once
// The settings that clear, along one line of own settings (a course turned
// through, a speed run down): where the line is cut into pieces at every
// setting where some ship's verdict can change, each piece and each cut is
// judged by the clearing judgement itself, and the clear ones are joined.

#include <functional>
#include <vector>

namespace echo_track::traffic {

// Settings from `from` to `to`, both ends included and both clearing.
struct Span {
    double from = 0.0;
    double to = 0.0;
};

// The spans of [low, high] where `clears` holds, in order, given `cuts`:
// every setting where a verdict may change (more cuts than needed do no
// harm). An end of a span that is not itself a clearing cut is found by
// halving towards the blocked side, so every end that is returned clears.
// The clearing setting nearest `blocked` between it and `clear` (which
// clears), to the last bit of a double.
double nearest_clearing(double blocked, double clear, const std::function<bool(double)>& clears);

std::vector<Span> clear_spans(std::vector<double> cuts, double low, double high, const std::function<bool(double)>& clears);

}  // namespace echo_track::traffic
