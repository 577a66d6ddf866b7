#pragma once

#include <stdexcept>
#include <QString>

namespace brookhum {

// A file that a media player cannot open or play. The message names the file.
class MediaError : public std::runtime_error {
public:
    explicit MediaError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

} // namespace brookhum
