// The system's bytes for the name of a file that came through text, as Qt's
// file dialogs give names.
#pragma once

#include <QByteArray>
#include <QString>

namespace varnel {

// The name of the file that `path` stands for, as the system's bytes. Qt reads
// a name's bytes as UTF-8 and turns those that are not into U+FFFD, so such a
// name, encoded again, names nothing. Each part of `path` that holds U+FFFD is
// therefore taken as the one entry of its folder that reads the same; a part
// that no entry, or more than one, reads as stays as encoded. Never fails.
QByteArray LocalFileName(const QString& path);

}  // namespace varnel
