#pragma once
// The temporary files and new folders of a file batch, kept where a signal
// handler can reach them: an interrupt, termination or hang-up removes them
// and then ends the process by that signal. Each is registered and released
// with those signals blocked, so the handler never removes a file that is not
// ours nor misses one that is.

namespace echo_track::page::on_signal {

// Creates a new temporary file in the folder open as `folder` (a
// descriptor), under a short name of its own, registered in `slot`. Returns
// the open file, or -1 with errno set (EMFILE when every slot is taken).
int create_temporary(int folder, int& slot);

// Renames the temporary file of `slot` to `name` in its folder and releases
// the slot; 0, or the errno of the failed rename (the slot then stays).
int rename_temporary(int slot, const char* name);

// Removes the temporary file of `slot` and releases the slot.
void remove_temporary(int slot);

// Makes the folder `path`, registered in `slot`; 0, or the errno of the
// failure (EMFILE when every slot is taken).
int make_folder(const char* path, int& slot);

// Removes the folder of `slot` if it is empty, and releases the slot.
void remove_folder(int slot);

// Keeps the folder of `slot` and releases the slot.
void keep_folder(int slot);

}  // namespace echo_track::page::on_signal
