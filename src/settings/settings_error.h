#pragma once

#include <QString>

#include <stdexcept>

namespace brookhum {

// The settings store cannot be read or written.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

} // namespace brookhum
