#include "console/console.hpp"

#include <cstdlib>
#include <cstring>

#include "console/formatted_layout.hpp"
#include "console/list_layout.hpp"
#include "console/number_reader.hpp"

namespace console {

namespace {

// A list-directed record is ended before an item that would bring it to this
// many characters or more.
constexpr std::size_t kListRecordLimit = 80;

std::string_view context_word(NumberOutcome outcome) {
    switch (outcome) {
        case NumberOutcome::EndOfRecord: return "list in";
        case NumberOutcome::InvalidNumber: return "invalid number";
        case NumberOutcome::ExponentField: return "exponent field";
        case NumberOutcome::BadRepeatCount: return "bad repetition count";
        case NumberOutcome::Value:
        case NumberOutcome::Null: break;
    }
    return {};
}

}  // namespace

Console::Console(ByteSource& in, ByteSink& out, ByteSink& err, RunEnder& ender)
    : in_(in), out_(out), err_(err), ender_(ender) {
    record_.reserve(256);
    scratch_.reserve(64);
}

Console::~Console() = default;

// ---- output ----------------------------------------------------------------

void Console::put_output(std::string_view bytes) {
    if (outlen_ + bytes.size() > outbuf_.size()) flush();
    if (bytes.size() > outbuf_.size()) {
        out_.write(bytes);
        return;
    }
    std::memcpy(outbuf_.data() + outlen_, bytes.data(), bytes.size());
    outlen_ += bytes.size();
}

void Console::put_record() {
    record_.push_back('\n');
    put_output(record_);
    record_.clear();
}

void Console::flush() {
    if (outlen_ == 0) return;
    out_.write(std::string_view(outbuf_.data(), outlen_));
    outlen_ = 0;
}

void Console::list(std::initializer_list<Item> items) {
    record_.clear();
    for (const Item& item : items) {
        std::string_view text;
        std::size_t counted = 0;  // the length the wrap rule counts for this item
        switch (item.kind()) {
            case Item::Kind::Text:
                text = item.text();
                counted = text.size();
                break;
            case Item::Kind::Real:
                scratch_.clear();
                append_list_real(scratch_, item.real());
                text = scratch_;
                counted = text.size();
                break;
            case Item::Kind::Integer:
                scratch_.clear();
                append_list_integer(scratch_, item.integer());
                text = scratch_;
                counted = static_cast<std::size_t>(integer_digit_count(item.integer()));
                break;
        }
        if (!record_.empty() && record_.size() + counted >= kListRecordLimit) put_record();
        if (item.kind() == Item::Kind::Text && record_.empty()) record_.push_back(' ');
        record_.append(text);
    }
    put_record();
}

void Console::formatted(std::initializer_list<Edit> layout) {
    record_.clear();
    for (const Edit& edit : layout) {
        switch (edit.kind()) {
            case Edit::Kind::Literal: record_.append(edit.text()); break;
            case Edit::Kind::Skip: record_.append(static_cast<std::size_t>(edit.width() < 0 ? 0 : edit.width()), ' '); break;
            case Edit::Kind::Integer: append_iw(record_, edit.integer(), edit.width()); break;
            case Edit::Kind::Fixed: append_fwd(record_, edit.real(), edit.width(), edit.decimals()); break;
        }
    }
    put_record();
}

// ---- input -----------------------------------------------------------------

bool Console::refill() {
    // About to wait for input: whatever the user should see must be on screen.
    flush();
    inpos_ = 0;
    inlen_ = in_.read(inbuf_.data(), inbuf_.size());
    return inlen_ > 0;
}

int Console::next_byte() {
    if (inpos_ == inlen_ && !refill()) return -1;
    return static_cast<unsigned char>(inbuf_[inpos_++]);
}

bool Console::skip_line() {
    for (;;) {
        if (inpos_ == inlen_ && !refill()) return false;
        const char* start = inbuf_.data() + inpos_;
        const void* nl = std::memchr(start, '\n', inlen_ - inpos_);
        if (nl != nullptr) {
            inpos_ += static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1;
            return true;
        }
        inpos_ = inlen_;
    }
}

Field Console::read_field() {
    if (end_of_input_) end_of_file_report("read start", Read::FieldRead);
    Field field;
    field.fill(' ');
    for (std::size_t i = 0; i < field.size(); ++i) {
        int c = next_byte();
        if (c < 0) {
            end_of_input_ = true;
            end_of_file_report("fmt", Read::FieldRead);
        }
        if (c == '\n') return field;
        field[i] = static_cast<char>(c);
    }
    // The field is complete: the rest of the line streams by unkept.
    if (!skip_line()) end_of_input_ = true;
    return field;
}

void Console::read_number(const Field& field, double& value) {
    NumberOutcome outcome = read_list_number(std::string_view(field.data(), field.size()), value);
    if (outcome != NumberOutcome::Value && outcome != NumberOutcome::Null) number_report(context_word(outcome));
}

void Console::wait_line() {
    if (end_of_input_) end_of_file_report("read start", Read::LineWait);
    if (!skip_line()) end_of_input_ = true;
}

// ---- ends of the run -------------------------------------------------------

void Console::stop() {
    end_run(Ending::Stop);
}

void Console::end_of_file_report(std::string_view context, Read read) {
    std::string report;
    report.append(context).append(": end of file\n");
    report.append("apparent state: unit 5 (unnamed)\n");
    report.append(read == Read::FieldRead ? "last format: (a)\n" : "last format: list io\n");
    report.append("lately reading sequential formatted external IO\n");
    end_with_report(report);
}

void Console::number_report(std::string_view context) {
    std::string report;
    report.append(context);
    report.append(context == "list in" ? ": end of file\n" : ": incomprehensible list input\n");
    report.append("apparent state: internal I/O\n");
    report.append("lately reading sequential formatted internal IO\n");
    end_with_report(report);
}

void Console::end_with_report(std::string_view report) {
    flush();
    err_.write(report);
    end_run(Ending::ErrorReport);
}

void Console::end_run(Ending how) {
    flush();
    ender_.end(how);
    std::abort();  // an ender that returned has broken its promise: never run on
}

}  // namespace console
