#include "page/inks.hpp"

namespace echo_track::page {

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
        case Ink::Clear: return {0, 150, 70};
        case Ink::Blocked: return {215, 30, 40};
        case Ink::Target1: return {200, 30, 120};
        case Ink::Target2: return {0, 110, 200};
        case Ink::Target3: return {110, 60, 190};
        case Ink::Target4: return {140, 90, 30};
        case Ink::Target5: return {100, 130, 0};
        case Ink::Target6: return {90, 90, 90};
    }
    return {0, 0, 0};
}

}  // namespace echo_track::page
