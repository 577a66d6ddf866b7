#pragma once

#include <QStringList>

#include <optional>

namespace brookhum {

// The playable files of one directory, standing in for a file list with the
// mask "*.mid;*.wav;*.mp3": the directory's own regular files (no
// subdirectories, no hidden dot-files) whose names end in .mid, .wav or .mp3
// in any letter case, as full paths, sorted by name (letter case folded, ties
// broken by the exact name), of which the first `limit` are returned.
//
// Only `limit` names are kept while scanning, so a huge directory costs no
// memory. A directory that does not exist or cannot be read gives nullopt.
std::optional<QStringList> listPlayableFiles(const QString &directory, int limit);

// The names of a directory's subdirectories (links to directories included,
// hidden ones left out) in the same order; empty when it cannot be read.
QStringList listSubdirectoryNames(const QString &directory);

// Whether a name carries one of the three playable extensions, in any case.
bool hasPlayableExtension(const QString &fileName);

} // namespace brookhum
