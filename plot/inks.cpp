#include "plot/inks.hpp"

namespace echo_track::plot {

Rgb ink_colour(Ink ink) {
    switch (ink) {
        case Ink::Paper: return {255, 255, 255};
        case Ink::Grid: return {150, 172, 196};
        case Ink::GridText: return {80, 102, 128};
        case Ink::Text: return {25, 25, 25};
        case Ink::OwnShip: return {0, 60, 170};
        case Ink::ShipB: return {40, 40, 40};
        case Ink::RelativeTrack: return {150, 40, 160};
        case Ink::Cpa: return {225, 120, 0};
        case Ink::Manoeuvre: return {0, 135, 150};
        case Ink::Starboard: return {0, 140, 60};
        case Ink::Port: return {205, 20, 30};
    }
    return {0, 0, 0};
}

}  // namespace echo_track::plot
