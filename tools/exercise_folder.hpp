#pragma once
// The folders that echo-track-sheets --exercises and --answer-forms write:
// the files an earlier sheet left there, which a new sheet never leaves
// beside its own.

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace echo_track::tools {

// An entry of the folder named like a sheet's file (exercise-*, answers-*).
struct EarlierFile {
    std::string name;
    ino_t inode = 0;
    bool folder = false;  // a folder of that name, which is never removed
};

// Every entry of `folder` whose name begins with `prefix`, sorted by name;
// none when the folder does not exist. Throws page::OutputError when it
// cannot be read.
std::vector<EarlierFile> earlier_sheet_files(const std::string& folder, std::string_view prefix);

// Removes each of `files` that is still there as the same file: those the
// new sheet has not replaced by name. Throws page::OutputError when one
// cannot be removed.
void remove_earlier_files(const std::string& folder, const std::vector<EarlierFile>& files);

}  // namespace echo_track::tools
