#include "app/result.hpp"

#include <optional>

#include "app/report.hpp"
#include "solver/kernel.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track {

bool result(console::Console& con, PlotRecord& record) {
    const PlotSolution plot = solve_plot(record);
    write_plot_report(con, plot);

    const std::optional<Manoeuvre> manoeuvre = solve_manoeuvre(record, plot);
    if (!manoeuvre) {
        // No manoeuvre without speeds; the own course is still left normalised.
        wnorm(record.aka);
        return false;
    }
    record.aka = manoeuvre->aka;
    write_manoeuvre_report(con, record.scpa, plot, *manoeuvre);
    return manoeuvre->outcome == Outcome::NoDanger;
}

}  // namespace echo_track
