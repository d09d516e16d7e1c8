#pragma once
// The console text layer: every line the program shows and every line it
// reads passes through here, by the rules of a Fortran-style run-time library
// (list-directed and formatted records, an 8-character typed field, the
// list-directed number grammar, and the run-time error report).

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "console/byte_stream.hpp"

namespace console {

// One item of a list-directed output record: a text, a double or an integer.
class Item {
public:
    enum class Kind { Text, Real, Integer };
    Item(const char* text) : kind_(Kind::Text), text_(text) {}         // NOLINT: implicit by design
    Item(std::string_view text) : kind_(Kind::Text), text_(text) {}    // NOLINT
    Item(const std::string& text) : kind_(Kind::Text), text_(text) {} // NOLINT
    Item(double value) : kind_(Kind::Real), real_(value) {}            // NOLINT
    Item(int value) : kind_(Kind::Integer), integer_(value) {}         // NOLINT

    Kind kind() const { return kind_; }
    std::string_view text() const { return text_; }
    double real() const { return real_; }
    int integer() const { return integer_; }

private:
    Kind kind_;
    std::string_view text_{};
    double real_ = 0.0;
    int integer_ = 0;
};

// One edit descriptor of a formatted output record, with its value.
class Edit {
public:
    enum class Kind { Literal, Skip, Integer, Fixed };
    static Edit literal(std::string_view text) { return Edit(Kind::Literal, text, 0, 0, 0, 0.0); }
    static Edit skip(int n) { return Edit(Kind::Skip, {}, n, 0, 0, 0.0); }                    // nX
    static Edit iw(int value, int w) { return Edit(Kind::Integer, {}, w, 0, value, 0.0); }    // Iw
    static Edit fwd(double value, int w, int d) { return Edit(Kind::Fixed, {}, w, d, 0, value); }  // Fw.d

    Kind kind() const { return kind_; }
    std::string_view text() const { return text_; }
    int width() const { return width_; }
    int decimals() const { return decimals_; }
    int integer() const { return integer_; }
    double real() const { return real_; }

private:
    Edit(Kind k, std::string_view t, int w, int d, int i, double r)
        : kind_(k), text_(t), width_(w), decimals_(d), integer_(i), real_(r) {}
    Kind kind_;
    std::string_view text_;
    int width_;
    int decimals_;
    int integer_;
    double real_;
};

// The typed field: exactly 8 characters, blank-padded.
inline constexpr std::size_t kFieldLength = 8;
using Field = std::array<char, kFieldLength>;

class Console {
public:
    Console(ByteSource& in, ByteSink& out, ByteSink& err, RunEnder& ender);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // One list-directed output record; with no items an empty line.
    void list(std::initializer_list<Item> items);

    // One formatted output record from a fixed layout.
    void formatted(std::initializer_list<Edit> layout);

    // Reads the next input line into the 8-character field (format "(a)").
    Field read_field();

    // Reads one list-directed double from the field into `value`, which keeps
    // its old content on a null value.
    void read_number(const Field& field, double& value);

    // Reads the next input line and discards it (a list-directed read of no items).
    void wait_line();

    // Ends the run in an orderly way: pending output flushed, exit status 0.
    [[noreturn]] void stop();

    // Hands all pending output to the sinks.
    void flush();

    // Set once a read has met the end of input; never cleared.
    bool end_of_input() const { return end_of_input_; }

    // Whole records written but not yet handed to the sink; a signal handler
    // writes them out before the process ends.
    const char* pending_data() const { return outbuf_.data(); }
    std::size_t pending_size() const { return committed_; }

private:
    enum class Read { FieldRead, LineWait };
    int next_byte();  // -1 at end of input
    bool refill();
    bool skip_line();  // false when the input ends before a line end
    void put(std::string_view bytes);
    void put_blanks(std::size_t n);
    void put_spilling(std::string_view bytes);
    void hand_over();
    void end_record();
    [[noreturn]] void end_of_file_report(std::string_view context, Read read);
    [[noreturn]] void number_report(std::string_view context);
    [[noreturn]] void end_with_report(std::string_view report);
    [[noreturn]] void end_run(Ending how);

    ByteSource& in_;
    ByteSink& out_;
    ByteSink& err_;
    RunEnder& ender_;
    // Records are built in place at the end of the output buffer: `outlen_`
    // counts every byte held, `committed_` those of whole records only. The
    // buffers are large enough that a batch run writes about fifteen reports
    // per system call and reads some three hundred exercises' lines per call,
    // and small enough to leave the program's memory that of a minimal one.
    std::array<char, 32768> outbuf_{};
    std::size_t outlen_ = 0;
    std::size_t committed_ = 0;
    std::string field_;  // one formatted field's text
    std::array<char, 16384> inbuf_{};
    std::size_t inpos_ = 0;
    std::size_t inlen_ = 0;
    bool end_of_input_ = false;
};

}  // namespace console
