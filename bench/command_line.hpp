#pragma once
// Command-line numbers of the bench programs, read by the console's own grammar.

#include "console/number_reader.hpp"

namespace bench {

// Reads a number from a command-line argument; false if there is none.
inline bool argument(const char* text, double& value) {
    return console::read_list_number(text, value) == console::NumberOutcome::Value;
}

}  // namespace bench
