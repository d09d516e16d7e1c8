#pragma once
// A small JSON writer for the workbench's bridge: objects, arrays, strings,
// numbers (the fewest digits that read back the same; null for one that is
// not finite), booleans and null, with the commas put in. Far lighter in the
// module than a general JSON library.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace echo_track::web {

class JsonWriter {
public:
    JsonWriter& begin_object();
    JsonWriter& end_object();
    JsonWriter& begin_array();
    JsonWriter& end_array();
    // The key of the next member of the object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(int number) { return value(static_cast<double>(number)); }
    JsonWriter& value(bool yes);
    JsonWriter& value(const std::optional<double>& number);
    JsonWriter& null();
    // An array of texts, or of arrays of texts.
    JsonWriter& value(const std::vector<std::string>& texts);
    JsonWriter& value(const std::vector<std::vector<std::string>>& rows);

    const std::string& text() const { return out_; }

private:
    void next();
    std::string out_;
    std::vector<bool> first_;  // per open object or array: nothing in it yet
    bool after_key_ = false;
};

}  // namespace echo_track::web
