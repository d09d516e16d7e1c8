// The browser's workbench module: the bridge from the page's Traffic and
// Exercises views to the same C++ as echo-track-traffic, echo-track-sheets
// and echo-track-grade. Texts in (the traffic file's TOML, a seed, kinds,
// answers), JSON with the figures as the tools print them and SVG pictures
// out; nothing is computed on the page's side. Every call catches what is
// thrown below it and answers {"error": "..."}: a bad file gives its message
// and the module lives on.
//
// Each call returns the answer's UTF-8 bytes, valid until the next call;
// workbench_length() gives their count.

#include <emscripten.h>

#include <exception>
#include <string>

#include "web/exercise_bridge.hpp"
#include "web/json_writer.hpp"
#include "web/traffic_bridge.hpp"

namespace {

std::string g_answer;

const char* answer(std::string text) {
    g_answer = std::move(text);
    return g_answer.c_str();
}

template <typename Call>
const char* guarded(Call call) {
    try {
        return answer(call());
    } catch (const std::exception& e) {
        echo_track::web::JsonWriter json;
        json.begin_object().key("error").value(e.what()).end_object();
        return answer(json.text());
    }
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int workbench_length() { return static_cast<int>(g_answer.size()); }

// The traffic file solved, as traffic_bridge.hpp describes; `source` names
// the file in a complaint.
EMSCRIPTEN_KEEPALIVE const char* workbench_traffic(const char* toml, const char* source) {
    return guarded([&] { return echo_track::web::traffic_answer(toml, source); });
}

// The board of the traffic file solved last, SVG.
EMSCRIPTEN_KEEPALIVE const char* workbench_board() { return answer(echo_track::web::board_answer()); }

// The course and speed of the own ship's vector ending at (x, y) on the
// board of the traffic file solved last.
EMSCRIPTEN_KEEPALIVE const char* workbench_vector_at(double x, double y) {
    return guarded([&] { return echo_track::web::vector_answer(x, y); });
}

// The worksheet and answer pages of a sheet.
EMSCRIPTEN_KEEPALIVE const char* workbench_sheet(const char* seed, const char* kinds, int count) {
    return guarded([&] { return echo_track::web::sheet_answer(seed, kinds, count); });
}

// One exercise of a sheet for the trainer: its worksheet and questions.
EMSCRIPTEN_KEEPALIVE const char* workbench_exercise(const char* seed, const char* kinds, int number, int count) {
    return guarded([&] { return echo_track::web::exercise_answer(seed, kinds, number, count); });
}

// The answers, "key<TAB>text" lines, graded; with the key and the solved
// board.
EMSCRIPTEN_KEEPALIVE const char* workbench_grade(const char* seed, const char* kinds, int number, int count, const char* answers) {
    return guarded([&] { return echo_track::web::grade_answer(seed, kinds, number, count, answers); });
}

}  // extern "C"
