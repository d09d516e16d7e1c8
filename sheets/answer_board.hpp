#pragma once
// The answer board: the key drawn on the same rose as the worksheet's
// plotting sheet, at the same range, orientation and size, so that a
// transparent copy lies over the student's plot. Each ship in its own ink:
// the sightings with their times, the relative track through them to the
// CPA, the CPA with its range and time, the position at the manoeuvre time,
// the triangle of velocities at the vector time (W, O, A) and the relative
// track after the key's manoeuvre; for one ship also the new own vector that
// closes the new triangle.

#include "page/drawing.hpp"
#include "plot/range_rose.hpp"
#include "sheets/generator.hpp"

namespace echo_track::sheets {

// The rose of the exercise's plotting sheet about `centre`.
plot::RingPlan plotting_rose(const SheetExercise& x, page::PagePoint centre);

// The board added to `page` on the rose of `plan`.
void add_answer_board(const SheetExercise& x, const plot::RingPlan& plan, page::Drawing& page);

}  // namespace echo_track::sheets
