#include "console/console.hpp"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "console/formatted_layout.hpp"
#include "console/list_layout.hpp"
#include "console/number_reader.hpp"
#include "console/run_report.hpp"

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
    field_.reserve(64);
}

Console::~Console() = default;

// ---- output ----------------------------------------------------------------

void Console::put(std::string_view bytes) {
    if (bytes.size() > outbuf_.size() - outlen_) {
        put_spilling(bytes);
        return;
    }
    std::memcpy(outbuf_.data() + outlen_, bytes.data(), bytes.size());
    outlen_ += bytes.size();
}

// The buffer is full: hand everything held so far to the sink, the start of
// the record in progress included, so that the bytes keep their order.
void Console::put_spilling(std::string_view bytes) {
    hand_over();
    if (bytes.size() > outbuf_.size()) {
        out_.write(bytes);
        return;
    }
    std::memcpy(outbuf_.data(), bytes.data(), bytes.size());
    outlen_ = bytes.size();
}

void Console::put_blanks(std::size_t n) {
    static constexpr char kBlanks[] = "                                ";
    for (; n > sizeof kBlanks - 1; n -= sizeof kBlanks - 1) put({kBlanks, sizeof kBlanks - 1});
    put({kBlanks, n});
}

void Console::end_record() {
    if (outlen_ == outbuf_.size()) {
        put("\n");
    } else {
        outbuf_[outlen_++] = '\n';
    }
    std::atomic_signal_fence(std::memory_order_seq_cst);  // a handler sees the record whole
    committed_ = outlen_;
}

// The held bytes stop counting as pending before the sink gets them: a signal
// handler that writes the pending output never writes them a second time.
void Console::hand_over() {
    const std::size_t held = outlen_;
    outlen_ = 0;
    committed_ = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    out_.write(std::string_view(outbuf_.data(), held));
}

void Console::flush() {
    if (outlen_ != 0) hand_over();
}

void Console::list(std::initializer_list<Item> items) {
    std::size_t length = 0;  // characters in the record so far
    for (const Item& item : items) {
        char number[kListItemRoom];
        std::string_view text;
        std::size_t counted = 0;  // the length the wrap rule counts for this item
        switch (item.kind()) {
            case Item::Kind::Text:
                text = item.text();
                counted = text.size();
                break;
            case Item::Kind::Real:
                text = std::string_view(number, format_list_real(number, item.real()));
                counted = text.size();
                break;
            case Item::Kind::Integer:
                text = std::string_view(number, format_list_integer(number, item.integer()));
                counted = static_cast<std::size_t>(integer_digit_count(item.integer()));
                break;
        }
        if (length > 0 && length + counted >= kListRecordLimit) {
            end_record();
            length = 0;
        }
        if (item.kind() == Item::Kind::Text && length == 0) {
            put(" ");
            length = 1;
        }
        put(text);
        length += text.size();
    }
    end_record();
}

void Console::formatted(std::initializer_list<Edit> layout) {
    for (const Edit& edit : layout) {
        switch (edit.kind()) {
            case Edit::Kind::Literal:
                put(edit.text());
                break;
            case Edit::Kind::Skip:
                put_blanks(static_cast<std::size_t>(edit.width() < 0 ? 0 : edit.width()));
                break;
            case Edit::Kind::Integer:
                field_.clear();
                append_iw(field_, edit.integer(), edit.width());
                put(field_);
                break;
            case Edit::Kind::Fixed:
                field_.clear();
                append_fwd(field_, edit.real(), edit.width(), edit.decimals());
                put(field_);
                break;
        }
    }
    end_record();
}

// ---- input -----------------------------------------------------------------

bool Console::refill() {
    // About to wait for input: whatever the user should see must be on screen.
    // Input already there (a pipe or file in a batch run, lines typed ahead)
    // keeps the output gathering into large writes.
    if (!in_.ready()) flush();
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
    end_with_report(console::end_of_file_report(context, read == Read::FieldRead ? kFieldFormat : kLineWaitFormat));
}

void Console::number_report(std::string_view context) { end_with_report(console::number_report(context)); }

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
