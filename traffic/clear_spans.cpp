#include "traffic/clear_spans.hpp"

#include <algorithm>

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

}  // namespace echo_track::traffic
