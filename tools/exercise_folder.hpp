#pragma once
// The folder that echo-track-sheets --exercises writes: the files an earlier
// sheet left there, which a new sheet never leaves beside its own.

#include <sys/types.h>

#include <string>
#include <vector>

namespace echo_track::tools {

// An entry of the folder named like a sheet's file (exercise-*).
struct EarlierFile {
    std::string name;
    ino_t inode = 0;
    bool folder = false;  // a folder of that name, which is never removed
};

// Every entry of `folder` whose name begins with "exercise-", sorted by name;
// none when the folder does not exist. Throws page::OutputError when it
// cannot be read.
std::vector<EarlierFile> earlier_sheet_files(const std::string& folder);

// Removes each of `files` that is still there as the same file: those the
// new sheet has not replaced by name. Throws page::OutputError when one
// cannot be removed.
void remove_earlier_files(const std::string& folder, const std::vector<EarlierFile>& files);

}  // namespace echo_track::tools
