#pragma once
// The Traffic view's side of the bridge: a traffic file solved, as JSON.
//
//   { "exercise": the file's values as read (for the page's form),
//     "warnings": [...], "report": the whole text report,
//     "heading", "altering", "manoeuvre", "recommendation": its parts as text,
//     "sightings", "targets": { "titles": [...], "rows": [[...], ...] },
//       each cell as the report prints it,
//     "trial": null or { "heading", "titles", "rows", "resume" },
//     "own_vector": { "x", "y", "length" } where the board draws the own
//       ship's vector of the present speed }
// and the board itself, as SVG, by board_answer().

#include <string>

namespace echo_track::web {

// Throws TrafficFileError ("source:line:column: what is wrong") for a bad file.
std::string traffic_answer(const std::string& toml, const std::string& source);

// The board of the file solved last, as SVG (not escaped into the JSON:
// it is most of the answer's bytes); empty before any file is solved.
std::string board_answer();

// { "course": 123, "speed_kt": 12.3 } of the own ship's vector ending at
// (x, y) on the board of the file solved last (null where the vector gives
// none); an error before any file is solved.
std::string vector_answer(double x, double y);

}  // namespace echo_track::web
