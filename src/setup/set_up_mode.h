#pragma once

namespace brookhum {

// The editing mode of the set-up dialog: which slots it edits and saves.
// None until the stored play kind or a radio button picks one.
enum class SetUpMode { None, Directory, File };

} // namespace brookhum
