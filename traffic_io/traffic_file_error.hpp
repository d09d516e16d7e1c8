#pragma once
// What is wrong with a traffic file, as "file:line:column: what is wrong"
// (or "file: what is wrong" where no place in it is to blame): thrown by
// the reader of the file's bytes and by the reader of its TOML alike.

#include <stdexcept>

namespace echo_track::traffic_io {

class TrafficFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace echo_track::traffic_io
