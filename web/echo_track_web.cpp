// The browser edition's entry point: the classic main program over a console
// whose typed bytes come from the page and whose lines go to it. A read that
// must wait suspends the module (Asyncify) until the page has bytes; the ends
// of a run are told to the page, and the module then sleeps for good (the page
// starts a new run in a new instance). After each exercise the page gets the
// plot of it as SVG, once the report is out and the program waits again.
// An interrupt from the page (Ctrl-C) ends the run as SIGINT ends the native
// one: "Interrupt" on standard error, the pending output, exit status 1.

#include <emscripten.h>

#include <csignal>
#include <optional>
#include <string>

#include "app/main_program.hpp"
#include "console/byte_stream.hpp"
#include "console/console.hpp"
#include "console/process_console.hpp"
#include "plot/layout.hpp"
#include "page/svg_writer.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

// The page's side, in web/src/run.mjs. A read gives -1 for an interrupt.
EM_ASYNC_JS(int, page_read, (char* buffer, int capacity), {
    const bytes = await Module.echoTrack.read(capacity);
    if (bytes === null) return -1;
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});
EM_JS(int, page_ready, (), { return Module.echoTrack.ready() ? 1 : 0; });
EM_JS(void, page_write, (int stream, const char* data, int size), {
    Module.echoTrack.write(stream, HEAPU8.slice(data, data + size));
});
EM_JS(void, page_picture, (const char* data, int size), {
    Module.echoTrack.picture(UTF8ToString(data, size));
});
EM_ASYNC_JS(void, page_end, (int how), {
    Module.echoTrack.ended(["stop", "error-report", "interrupt"][how]);
    await new Promise(function() {});
});

namespace {

// The drawing of the last exercise, handed over just before the next read.
std::optional<std::string> g_picture;
// The run's console, whose pending output an interrupt gives out.
const console::Console* g_console = nullptr;

void show_picture() {
    if (!g_picture) return;
    page_picture(g_picture->data(), static_cast<int>(g_picture->size()));
    g_picture.reset();
}

class PageSource final : public console::ByteSource {
public:
    std::size_t read(char* buf, std::size_t capacity) override {
        show_picture();  // the console has shown its report by now
        const int n = page_read(buf, static_cast<int>(capacity));
        if (n < 0) interrupted();
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    bool ready() override { return page_ready() != 0; }

private:
    [[noreturn]] static void interrupted() {
        const std::string_view line = console::signal_line(SIGINT);
        page_write(2, line.data(), static_cast<int>(line.size()));
        if (g_console != nullptr && g_console->pending_size() > 0)
            page_write(1, g_console->pending_data(), static_cast<int>(g_console->pending_size()));
        page_end(2);
        __builtin_unreachable();
    }
};

class PageSink final : public console::ByteSink {
public:
    explicit PageSink(int stream) : stream_(stream) {}
    void write(std::string_view bytes) override { page_write(stream_, bytes.data(), static_cast<int>(bytes.size())); }

private:
    int stream_;
};

class PageEnder final : public console::RunEnder {
public:
    [[noreturn]] void end(console::Ending how) override {
        show_picture();
        page_end(how == console::Ending::ErrorReport ? 1 : 0);
        __builtin_unreachable();  // page_end never returns: the run sleeps for good
    }
};

// Solves the exercise again, as echo-track-plot does, for its picture.
class PlotWatcher final : public echo_track::ExerciseWatcher {
public:
    void entered(const echo_track::PlotRecord& record) override {
        const echo_track::PlotSolution solution = echo_track::solve_plot(record);
        const auto manoeuvre = echo_track::solve_manoeuvre(record, solution);
        g_picture = echo_track::page::svg_page(echo_track::plot::layout_plot(record, solution, manoeuvre));
    }
};

}  // namespace

int main() {
    static PageSource in;
    static PageSink out(1);
    static PageSink err(2);
    static PageEnder ender;
    static PlotWatcher watcher;
    static console::Console con(in, out, err, ender);
    g_console = &con;
    echo_track::MAIN__(con, &watcher);
}
