#include "app/command_line.hpp"

#include <string>
#include <string_view>

#include "version/version.hpp"

namespace echo_track {
namespace {

constexpr int kUsageStatus = 2;

constexpr std::string_view kUsage =
    "Usage: echo-track             the dialog: own ship, two radar observations of B,\n"
    "                              the plot solved and the evasive manoeuvre\n"
    "       echo-track --help      this usage\n"
    "       echo-track --version   the version\n"
    "See man echo-track.\n";

}  // namespace

int answer_arguments(std::span<const char* const> args, console::ByteSink& out, console::ByteSink& err) {
    if (args.size() == 1) {
        const std::string_view arg = args.front();
        if (arg == "--help") {
            out.write(kUsage);
            return 0;
        }
        if (arg == "--version") {
            out.write(version_text("echo-track") + "\n");
            return 0;
        }
    }
    err.write(kUsage);
    return kUsageStatus;
}

}  // namespace echo_track
