#include "platform/local_name.h"

#include <dirent.h>

#include <QFile>
#include <QStringList>

namespace varnel {

namespace {

// The name of the one entry of `folder` that reads as `part`; `part` encoded
// when there is no such entry, or more than one.
QByteArray EntryReadAs(const QByteArray& folder, const QString& part) {
  QByteArray found;
  int matches = 0;
  if (DIR* dir = opendir(folder.constData())) {
    while (const dirent* entry = readdir(dir)) {
      if (QFile::decodeName(entry->d_name) != part) continue;
      found = entry->d_name;
      ++matches;
    }
    closedir(dir);
  }
  return matches == 1 ? found : QFile::encodeName(part);
}

}  // namespace

QByteArray LocalFileName(const QString& path) {
  if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path);
  QByteArray name;
  const QStringList parts = path.split(QLatin1Char('/'));
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) name += '/';
    const QString& part = parts[i];
    name += part.contains(QChar::ReplacementCharacter)
                ? EntryReadAs(name.isEmpty() ? QByteArray(".") : name, part)
                : QFile::encodeName(part);
  }
  return name;
}

}  // namespace varnel
