// The exercise dialog: own ship, the two radar observations of ship B, the
// minimal CPA and the delay of the manoeuvre, each offered with the value of
// the exercise before as its default.

#include "app/dialog.hpp"

#include <cmath>

#include "app/entry_rules.hpp"
#include "app/readers.hpp"

namespace echo_track {
namespace {

constexpr const char* kHyphens = "--------------------------------------------------";

// An earlier B-2 minute beyond 60 is carried into the hour before it is
// offered again (13 h 75 min is offered as 1415). Only once, and only for B-2.
void carry_minutes(double& hour, double& minute) {
    if (minute > 60.0) {
        hour = hour + 1.0;
        minute = minute - 60.0;
    }
}

void ask_own_ship(console::Console& con, PlotRecord& r) {
    con.list({"Own ship (=A):"});
    con.list({"Input course A:"});
    readint(con, r.aka);
    con.list({"Velocity A"});
    readif(con, r.va);
    con.list({});
}

void ask_observations(console::Console& con, PlotRecord& r) {
    con.list({"Two RADAR-observations B1,B2 of approaching ship B"});
    con.list({"are required, at least 6 minutes apart:"});
    con.list({});
    con.list({kHyphens});
    con.list({"Approaching ship (=B):"});

    con.list({"Time of observation B-1, hhmm (four digits): "});
    double h1 = clock_number(r.th1, r.tm1);
    readint(con, h1);
    split_clock(h1, r.th1, r.tm1);
    con.list({"Tru Bearing (rwP1): B-1"});
    readint(con, r.rwp1);
    con.list({"Distance B1"});
    readif(con, r.r1);
    con.list({kHyphens});

    con.list({"Time of observation B-2, hhmm (four digits):"});
    carry_minutes(r.th2, r.tm2);
    double h2 = clock_number(r.th2, r.tm2);
    readint(con, h2);
    split_clock(h2, r.th2, r.tm2);
    con.list({"Tru Bearing (rwP2): B-2"});
    readint(con, r.rwp2);
    con.list({"Distance B2"});
    readif(con, r.r2);
}

// The minimal CPA; a value below the threshold is the user's way to end the run.
void ask_minimal_cpa(console::Console& con, PlotRecord& r) {
    con.list({"########## ECHO-TRACK Result: #####################"});
    con.list({"Minimal CPA to maintain (Distance)=", r.scpa});
    readif(con, r.scpa);
    if (r.scpa < kEndingCpa) con.stop();
}

// Minutes from B-2 to the manoeuvre: whole and never negative.
void ask_delay(console::Console& con, PlotRecord& r) {
    r.wait = std::trunc(r.wait + 0.5);
    con.list({"Evasive manoeuver after  minutes="});
    readint(con, r.wait);
    if (r.wait < 0.0) r.wait = 0.0;
}

}  // namespace

void input(console::Console& con, PlotRecord& record) {
    ask_own_ship(con, record);
    ask_observations(con, record);
    ask_minimal_cpa(con, record);
    ask_delay(con, record);
    set_manoeuvre_time(record);
}

}  // namespace echo_track
