#pragma once

#include <QString>

namespace DesignFile {

inline const char *const kHeader = "ZARN AMPORA SAVED PREFERENCES";

enum class HeaderCheck { Ok, Unreadable, WrongHeader };

// Whether `path` opens and starts with the design-file header line. The file
// is read without line-end conversion: a CR LF file does not carry the header.
HeaderCheck readHeader(const QString &path);

}  // namespace DesignFile
