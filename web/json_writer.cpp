#include "web/json_writer.hpp"

#include <cmath>

#include "console/number_text.hpp"

namespace echo_track::web {

void JsonWriter::next() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::begin_object() {
    next();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::end_object() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::begin_array() {
    next();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::end_array() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    out_ += ':';
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    next();
    out_ += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (c == '\n') {
            out_ += "\\n";
        } else if (u < 0x20 || u == 0x7f) {
            static const char kHex[] = "0123456789abcdef";
            out_ += "\\u00";
            out_ += kHex[u >> 4];
            out_ += kHex[u & 15];
        } else {
            out_ += c;  // UTF-8 as it is
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number)) return null();
    next();
    char text[32];
    out_.append(text, console::write_shortest(text, sizeof text, number));
    return *this;
}

JsonWriter& JsonWriter::value(bool yes) {
    next();
    out_ += yes ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(const std::optional<double>& number) { return number ? value(*number) : null(); }

JsonWriter& JsonWriter::null() {
    next();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::value(const std::vector<std::string>& texts) {
    begin_array();
    for (const std::string& t : texts) value(t);
    return end_array();
}

JsonWriter& JsonWriter::value(const std::vector<std::vector<std::string>>& rows) {
    begin_array();
    for (const std::vector<std::string>& r : rows) value(r);
    return end_array();
}

}  // namespace echo_track::web
