// The main program: the banner once, then one exercise after another, each
// starting from the values of the exercise before.

#include "app/main_program.hpp"

#include "app/dialog.hpp"
#include "app/dialog_texts.hpp"
#include "app/result.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {
namespace {

// Enough empty lines to scroll the previous exercise off a console window.
constexpr int kClearingLines = 50;

void print_banner(console::Console& con) {
    con.list({"ECHO-TRACK and Evasive Manoeuvre"});
    con.list({"CHECK: K. Orvang, p.78-81, Aufgb.Abb.40)"});
    con.list({});
    con.list({"(For default values, just hit RETURN to continue)"});
}

void print_help(console::Console& con) {
    con.list({kHyphens});
    con.list({"To prevent a collision at sea, with RADAR-assistance,"});
    con.list({"an evasive manoeuvre under Radar is calculated."});
    con.list({"You must enter the own course of ship A and velocity"});
    con.list({"and then two observations of approaching ship B."});
    con.list({});
    con.list({"Definitions:"});
    con.list({"KA=true course of ship A, VA=velocity of ship A"});
    con.list({"KBr=relative course of ship B, as seen from ship A"});
    con.list({"KB=true course of ship B, VB=velocity of ship B"});
    con.list({"StB=starboard,  BB=port-side (\"backbord\")"});
    con.list({"CPA= Closest Point of Approaach = minimal distance"});
    con.list({"(CPA required is typically about 1 nautical mile)"});
    con.list({});
}

// Whatever is typed at the pause is read and thrown away, so it never
// reaches the next exercise's prompts.
void pause_and_clear(console::Console& con) {
    con.list({"<Hit RETURN to continue...>"});
    con.wait_line();
    for (int i = 0; i < kClearingLines; ++i) con.list({});
    con.list({"##########  Own Course etc. as before ! ##### "});
}

}  // namespace

void MAIN__(console::Console& con, ExerciseWatcher* watcher) {
    PlotRecord record;  // the default exercise; never reset, so answers become defaults
    print_banner(con);
    for (;;) {
        print_help(con);
        input(con, record);
        if (watcher != nullptr) watcher->entered(record);
        con.list({"OBSERVATION:"});
        // After "NO danger" one typed line more is read, without a prompt.
        if (result(con, record)) con.wait_line();
        pause_and_clear(con);
    }
}

}  // namespace echo_track
