#include "console/run_report.hpp"

namespace console {

std::string end_of_file_report(std::string_view context, std::string_view format) {
    std::string report;
    report.append(context).append(": end of file\n");
    report.append("apparent state: unit 5 (unnamed)\n");
    report.append("last format: ").append(format).append("\n");
    report.append("lately reading sequential formatted external IO\n");
    return report;
}

std::string number_report(std::string_view context) {
    std::string report;
    report.append(context);
    report.append(context == "list in" ? ": end of file\n" : ": incomprehensible list input\n");
    report.append("apparent state: internal I/O\n");
    report.append("lately reading sequential formatted internal IO\n");
    return report;
}

}  // namespace console
