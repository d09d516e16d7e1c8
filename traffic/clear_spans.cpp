#include "traffic/clear_spans.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::traffic {
namespace {

// One element of the cut line: a cut (a single setting) or the open piece
// between two neighbouring cuts.
struct Element {
    double from = 0.0;
    double to = 0.0;
    bool clears = false;
    bool is_cut() const { return from == to; }
};

std::vector<Element> elements(const std::vector<double>& cuts, const std::function<bool(double)>& clears) {
    std::vector<Element> line;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        if (i > 0) {
            const double middle = cuts[i - 1] + (cuts[i] - cuts[i - 1]) / 2.0;
            line.push_back({cuts[i - 1], cuts[i], clears(middle)});
        }
        line.push_back({cuts[i], cuts[i], clears(cuts[i])});
    }
    return line;
}

}  // namespace

double nearest_clearing(double blocked, double clear, const std::function<bool(double)>& clears) {
    // The edge lies next to the cut more often than not: a few steps of the
    // last bit first, then halving.
    double next = blocked;
    for (int step = 0; step < 4; ++step) {
        next = std::nextafter(next, clear);
        if (next == clear) return clear;
        if (clears(next)) return next;
    }
    blocked = next;
    for (int step = 0; step < 200; ++step) {
        const double middle = blocked + (clear - blocked) / 2.0;
        if (middle == blocked || middle == clear) break;
        (clears(middle) ? clear : blocked) = middle;
    }
    return clear;
}

std::vector<Span> clear_spans(std::vector<double> cuts, double low, double high, const std::function<bool(double)>& clears) {
    std::erase_if(cuts, [&](double c) { return !(c > low && c < high); });
    cuts.push_back(low);
    cuts.push_back(high);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    const std::vector<Element> line = elements(cuts, clears);
    std::vector<Span> spans;
    for (std::size_t i = 0; i < line.size();) {
        if (!line[i].clears) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < line.size() && line[last + 1].clears) ++last;
        const Element& first = line[i];
        const Element& end = line[last];
        const auto inner = [&](const Element& e) { return e.from + (e.to - e.from) / 2.0; };
        const double from = first.is_cut() ? first.from : nearest_clearing(first.from, inner(first), clears);
        const double to = end.is_cut() ? end.to : nearest_clearing(end.to, inner(end), clears);
        spans.push_back({from, to});
        i = last + 1;
    }
    return spans;
}

std::vector<Span> clear_spans_of_every(const std::vector<std::vector<double>>& cuts, double low, double high,
                                       const std::function<bool(std::size_t, double)>& clears) {
    // What a ship blocks, as open gaps between its clearing spans; a gap
    // that holds `low` or `high` reaches past it, so that every gap is open.
    const double below = low - 1.0;
    const double above = high + 1.0;
    std::vector<Span> blocked;
    for (std::size_t ship = 0; ship < cuts.size(); ++ship) {
        const std::vector<Span> spans = clear_spans(cuts[ship], low, high, [&](double x) { return clears(ship, x); });
        if (spans.empty()) return {};
        if (spans.front().from > low) blocked.push_back({below, spans.front().from});
        for (std::size_t i = 0; i + 1 < spans.size(); ++i) blocked.push_back({spans[i].to, spans[i + 1].from});
        if (spans.back().to < high) blocked.push_back({spans.back().to, above});
    }
    std::sort(blocked.begin(), blocked.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    // The rest clears every ship; two gaps that only touch leave their
    // common end clear, for it clears both ships.
    std::vector<Span> spans;
    double from = low;
    for (const Span& gap : blocked) {
        if (gap.from >= from) spans.push_back({from, gap.from});
        from = std::max(from, gap.to);
    }
    if (from <= high) spans.push_back({from, high});
    return spans;
}

}  // namespace echo_track::traffic
