// The exercise dialog: own ship, the two radar observations of ship B, the
// minimal CPA and the delay of the manoeuvre, each offered with the value of
// the exercise before as its default.

#include "app/dialog.hpp"

#include "app/dialog_texts.hpp"
#include "app/entry_rules.hpp"
#include "app/readers.hpp"

namespace echo_track {
namespace {

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

// One radar observation of B as the dialog asks for it: the question lines
// (their texts differ slightly between B-1 and B-2) and the values they fill.
struct Observation {
    const char* time_question;
    const char* bearing_question;
    const char* distance_question;
    double& hour;
    double& minute;
    double& bearing;
    double& distance;
};

void ask_observation(console::Console& con, const Observation& b) {
    con.list({b.time_question});
    double hhmm = clock_number(b.hour, b.minute);
    readint(con, hhmm);
    split_clock(hhmm, b.hour, b.minute);
    con.list({b.bearing_question});
    readint(con, b.bearing);
    con.list({b.distance_question});
    readif(con, b.distance);
}

void ask_observations(console::Console& con, PlotRecord& r) {
    con.list({"Two RADAR-observations B1,B2 of approaching ship B"});
    con.list({"are required, at least 6 minutes apart:"});
    con.list({});
    con.list({kHyphens});
    con.list({"Approaching ship (=B):"});
    ask_observation(con, {"Time of observation B-1, hhmm (four digits): ", "Tru Bearing (rwP1): B-1", "Distance B1",
                          r.th1, r.tm1, r.rwp1, r.r1});
    con.list({kHyphens});
    carry_minutes(r.th2, r.tm2);
    ask_observation(con, {"Time of observation B-2, hhmm (four digits):", "Tru Bearing (rwP2): B-2", "Distance B2",
                          r.th2, r.tm2, r.rwp2, r.r2});
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
    r.wait = whole_number(r.wait);
    con.list({"Evasive manoeuver after  minutes="});
    readint(con, r.wait);
    r.wait = clamped_delay(r.wait);
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
